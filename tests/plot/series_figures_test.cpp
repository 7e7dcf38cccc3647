// The "Table stats" figures of a series, as the window and the CLI show them.
#include "plot/series_figures.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/number_text.h"

namespace korvex {
namespace {

TEST(ComputeSeriesFigures, FromTheSamplesOfARun) {
  struct Case {
    const char* name;
    std::vector<std::pair<long double, long double>> samples;
    SeriesFigures expected;
  };
  const Case cases[] = {
      {"no points", {}, {"0", "0", "0", "0", "0"}},
      {"square", {{-2, 4}, {-1, 1}, {0, 0}, {1, 1}, {2, 4}}, {"4", "0", "10", "10", "2"}},
      // Area adds the sizes; the mean divides by the samples, not by the area.
      {"below zero",
       {{0, -2.5L}, {1, 1}, {2, 0.5L}},
       {"1", "-2,5", "-1", "4", "-0,333333333333333"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Series and statistics filled the way the plot driver fills them.
    ChartSeries series("f");
    SeriesStats stats;
    stats.Reset();
    CurveTracker tracker;
    const PointLineFormat format("x", false);
    for (const auto& [x, y] : c.samples) {
      series.Append(static_cast<double>(x), static_cast<double>(y));
      RecordPlotPoint(stats, tracker, format, x, y, FloatToStr(y));
    }
    const SeriesFigures figures = ComputeSeriesFigures(series, stats);
    EXPECT_EQ(figures.max_value, c.expected.max_value);
    EXPECT_EQ(figures.min_value, c.expected.min_value);
    EXPECT_EQ(figures.sum_points, c.expected.sum_points);
    EXPECT_EQ(figures.point_area, c.expected.point_area);
    EXPECT_EQ(figures.point_mean, c.expected.point_mean);
  }
}

}  // namespace
}  // namespace korvex
