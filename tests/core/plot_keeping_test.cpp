// A plot that keeps nothing hands on the very points and table lines a plot
// that keeps everything holds, and ends with the same figures.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/calculator_fixture.h"
#include "plot/points_csv.h"
#include "plot/series_figures.h"

namespace korvex {
namespace {

// Collects what a run hands on.
class HandedOn : public RequestNotices {
 public:
  void PointsAdded(std::size_t /*number*/, std::span<const ChartPoint> points) override {
    csv += PointsCsv(points, {}, CsvHeader::kWithout);
  }
  void TableLinesAdded(std::size_t /*number*/, std::span<const std::string> lines) override {
    table.insert(table.end(), lines.begin(), lines.end());
  }
  std::string csv;
  std::vector<std::string> table;
};

struct Lists {
  std::vector<std::string> top, bottom, max, min, zero;
  // Max and min value, sum, area and mean.
  std::vector<std::string> figures;
  bool operator==(const Lists&) const = default;
};

Lists ListsOf(const PlotStore& plots, std::size_t number) {
  const SeriesStats& stats = plots.stats(number);
  const SeriesFigures figures = ComputeSeriesFigures(plots.chart().series(number), stats);
  return {stats.top_lines,
          stats.bottom_lines,
          stats.max_lines,
          stats.min_lines,
          stats.zero_lines,
          {figures.max_value, figures.min_value, figures.sum_points, figures.point_area,
           figures.point_mean}};
}

using PlotKeepingTest = CalculatorFixture;

TEST_F(PlotKeepingTest, WhatARunHandsOnIsWhatItWouldKeep) {
  struct Case {
    const char* text;
    const char* start;
    const char* stop;
    const char* increment;
    bool derivative;
  };
  // Runs longer than one batch of points, on the integer path, the replay,
  // both in turn, and the token engine; lists that fill with every sample.
  const Case cases[] = {
      {"2x+4", "1", "20000", "1", false},
      {"x-10(x+8(x-6(x+4(x-2(x10x)2+x)4-x)6+x)8-x)10+x", "-5000", "5000", "1", false},
      {"sin[x]+cos[1,6x]", "-500", "500", "0,1", false},
      {"x/4", "-3000", "3000", "1", false},
      {"3", "1", "9000", "1", false},
      {"x^3", "-20", "20", "0,01", true},
      {"primepi[x]", "10000", "100000", "1000", false},
  };
  Calculator& calculator = Started();
  PlotSettings& settings = calculator.plot_settings();
  settings.mode = PlotMode::kMultiple;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    calculator.plots().RemoveSeries(false);
    settings.start = c.start;
    settings.stop = c.stop;
    settings.increment = c.increment;
    settings.derivative = c.derivative;

    ASSERT_EQ(calculator.Plot(c.text).status, PlotOutcome::Status::kComplete);
    const PlotStore& plots = calculator.plots();
    const std::vector<std::string> kept_table = plots.stats(1).table_lines;
    const std::string kept_csv = PointsCsv(plots.chart().series(1), {}, CsvHeader::kWithout);
    const Lists kept_lists = ListsOf(plots, 1);

    HandedOn streamed;
    ASSERT_EQ(calculator.Plot(c.text, &streamed, PlotKeeping{false, false, true, false}).status,
              PlotOutcome::Status::kComplete);
    EXPECT_EQ(streamed.table, kept_table);
    EXPECT_EQ(streamed.csv, kept_csv);
    const ChartSeries& bare = plots.chart().series(2);
    EXPECT_EQ(bare.count(), kept_table.size());
    EXPECT_TRUE(bare.points().empty());
    EXPECT_TRUE(plots.stats(2).table_lines.empty());
    EXPECT_TRUE(plots.stats(2).max_lines.empty());

    // The lists and figures without the chart's points.
    ASSERT_EQ(calculator.Plot(c.text, nullptr, PlotKeeping{false, true, false, true}).status,
              PlotOutcome::Status::kComplete);
    EXPECT_TRUE(plots.chart().series(3).points().empty());
    EXPECT_EQ(plots.stats(3).table_lines, kept_table);
    EXPECT_EQ(ListsOf(plots, 3), kept_lists);

    // Nothing kept, nothing handed on: the count and the figures still.
    HandedOn nothing;
    ASSERT_EQ(calculator.Plot(c.text, &nothing, PlotKeeping{false, false, false, false}).status,
              PlotOutcome::Status::kComplete);
    EXPECT_TRUE(nothing.table.empty());
    EXPECT_EQ(plots.chart().series(4).count(), kept_table.size());
    const SeriesStats& bare_stats = plots.stats(4);
    EXPECT_TRUE(bare_stats.table_lines.empty());
    EXPECT_EQ(ListsOf(plots, 4).figures, kept_lists.figures);
  }
}

TEST_F(PlotKeepingTest, AStoppedRunHasHandedOnEveryLineUpToTheStop) {
  Calculator& calculator = Started();
  PlotSettings& settings = calculator.plot_settings();
  settings.start = "0";
  settings.stop = "100000000";
  settings.increment = "1";
  HandedOn streamed;
  PlotOutcome outcome;
  {
    StopWhenUnderway stop(calculator);
    outcome = calculator.Plot("x*2", &streamed, PlotKeeping{false, false, true, false});
  }
  EXPECT_EQ(outcome.status, PlotOutcome::Status::kCanceled);
  const std::size_t count = calculator.plots().chart().series(1).count();
  ASSERT_GT(count, 0u);
  ASSERT_EQ(streamed.table.size(), count);
  EXPECT_EQ(streamed.table.back(),
            "x: " + std::to_string(count - 1) + " = f(x): " + std::to_string(2 * (count - 1)));
  EXPECT_EQ(static_cast<std::size_t>(std::count(streamed.csv.begin(), streamed.csv.end(), '\n')),
            count);
}

}  // namespace
}  // namespace korvex
