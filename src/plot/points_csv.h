// The points of a series as CSV, for other tools: the graph's CSV export and
// korvex-cli plot --csv write the same lines.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plot/chart_model.h"

namespace korvex {

enum class CsvHeader { kWithout, kWith };

// One "x,y" line per point; with the header, a first line "x,y". Each value
// is the number text of the point's Table line (`table_lines`, one per point
// as the series' statistics hold them), so values beyond a double's range
// or precision stay as the engine computed them; a point without its line
// is written in the shortest form that reads back to the same double.
// Numbers carry a decimal point whatever the program's separator.
std::string PointsCsv(const ChartSeries& series, std::span<const std::string> table_lines,
                      CsvHeader header);
// The same lines for some points and their Table lines.
std::string PointsCsv(std::span<const ChartPoint> points, std::span<const std::string> table_lines,
                      CsvHeader header);
// The rows of Table lines alone, such as those a running plot hands on
// (which may trail its points); a line that is no Table line gives no row.
std::string TableLinesCsv(std::span<const std::string> table_lines);

// An engine number text ("-1,5E3", "INF") as a CSV value: a decimal point in
// place of the comma, every digit kept.
std::string CsvNumber(std::string_view number_text);

}  // namespace korvex
