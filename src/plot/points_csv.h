// The points of a series as CSV, for other tools: the graph's CSV export and
// korvex-cli plot --csv write the same lines.
#pragma once

#include <span>
#include <string>

#include "plot/chart_model.h"

namespace korvex {

enum class CsvHeader { kWithout, kWith };

// One "x,y" line per point, each number in the shortest form that reads back
// to the very same double, with a decimal point whatever the program's
// separator; with the header, a first line "x,y".
std::string PointsCsv(const ChartSeries& series, CsvHeader header);
// The same lines for some points, such as one batch of a running plot.
std::string PointsCsv(std::span<const ChartPoint> points, CsvHeader header);

}  // namespace korvex
