// The figures of the "Table stats" page of one series, as number texts, so
// the Table and stats window and korvex-cli show the same.
#pragma once

#include <string>

#include "plot/chart_model.h"
#include "plot/series_stats.h"

namespace korvex {

struct SeriesFigures {
  std::string max_value;
  std::string min_value;
  std::string sum_points;
  std::string point_area;
  std::string point_mean;
};

// A series without points shows 0 for every figure.
SeriesFigures ComputeSeriesFigures(const ChartSeries& series, const SeriesStats& stats);

}  // namespace korvex
