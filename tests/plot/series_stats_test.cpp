// RecordPlotPoint: table, turning points, extremes, zeros and sums built one
// sample at a time.
#include "plot/series_stats.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/number_text.h"

namespace korvex {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Feeds (x, y) samples the way the driver does, the value text being the
// number text of y.
SeriesStats Record(const std::vector<std::pair<long double, long double>>& samples,
                   bool derivative = false) {
  SeriesStats stats;
  stats.Reset();
  CurveTracker tracker;
  const PointLineFormat format("x", derivative);
  for (const auto& [x, y] : samples) RecordPlotPoint(stats, tracker, format, x, y, FloatToStr(y));
  return stats;
}

TEST(RecordPlotPoint, SquareOverMinusTwoToTwo) {
  const SeriesStats stats = Record({{-2, 4}, {-1, 1}, {0, 0}, {1, 1}, {2, 4}});
  EXPECT_THAT(stats.table_lines, ElementsAre("x: -2 = f(x): 4", "x: -1 = f(x): 1", "x: 0 = f(x): 0",
                                             "x: 1 = f(x): 1", "x: 2 = f(x): 4"));
  EXPECT_THAT(stats.top_lines, IsEmpty());
  EXPECT_THAT(stats.bottom_lines, ElementsAre("x: 0 = f(x): 0"));
  EXPECT_THAT(stats.zero_lines, ElementsAre("x: 0 = f(x): 0"));
  EXPECT_THAT(stats.max_lines, ElementsAre("x: -2 = f(x): 4", "x: 2 = f(x): 4"));
  EXPECT_THAT(stats.min_lines, ElementsAre("x: 0 = f(x): 0"));
  EXPECT_EQ(stats.sum_y, 10);
  EXPECT_EQ(stats.sum_abs_y, 10);
}

TEST(RecordPlotPoint, TurningPointsZerosAndTies) {
  struct Case {
    const char* name;
    std::vector<long double> values;  // at x = 1, 2, 3, ...
    std::vector<std::string> top, bottom, max, min, zero;
  };
  const Case cases[] = {
      {"a flat step breaks the top",
       {1, 3, 3, 1},
       {},
       {},
       {"x: 2 = f(x): 3", "x: 3 = f(x): 3"},
       {"x: 1 = f(x): 1", "x: 4 = f(x): 1"},
       {}},
      {"peak without flat step",
       {1, 3, 1},
       {"x: 2 = f(x): 3"},
       {},
       {"x: 2 = f(x): 3"},
       {"x: 1 = f(x): 1", "x: 3 = f(x): 1"},
       {}},
      {"exact zero clears the sign",
       {-1, 0, 1},
       {},
       {},
       {"x: 3 = f(x): 1"},
       {"x: 1 = f(x): -1"},
       {"x: 2 = f(x): 0"}},
      {"sign change between samples",
       {-1, 1},
       {},
       {},
       {"x: 2 = f(x): 1"},
       {"x: 1 = f(x): -1"},
       {"1<x<2 = f(x): 0"}},
      {"ties at the maximum",
       {4, 1, 4},
       {},
       {"x: 2 = f(x): 1"},
       {"x: 1 = f(x): 4", "x: 3 = f(x): 4"},
       {"x: 2 = f(x): 1"},
       {}},
      {"a new extreme clears the ties",
       {2, 2, 5},
       {},
       {},
       {"x: 3 = f(x): 5"},
       {"x: 1 = f(x): 2", "x: 2 = f(x): 2"},
       {}},
      {"the last sample is never a turning point",
       {1, 2},
       {},
       {},
       {"x: 2 = f(x): 2"},
       {"x: 1 = f(x): 1"},
       {}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<long double, long double>> samples;
    for (size_t i = 0; i < c.values.size(); ++i)
      samples.push_back({static_cast<long double>(i + 1), c.values[i]});
    const SeriesStats stats = Record(samples);
    EXPECT_EQ(stats.top_lines, c.top) << c.name;
    EXPECT_EQ(stats.bottom_lines, c.bottom) << c.name;
    EXPECT_EQ(stats.max_lines, c.max) << c.name;
    EXPECT_EQ(stats.min_lines, c.min) << c.name;
    EXPECT_EQ(stats.zero_lines, c.zero) << c.name;
  }
}

TEST(RecordPlotPoint, LinesCarryVariableDerivativeAndValueText) {
  SeriesStats stats;
  CurveTracker tracker;
  const PointLineFormat format("t", true);
  // The table line copies the evaluation's text; the others format the value.
  RecordPlotPoint(stats, tracker, format, 0.5L, -2, "-2");
  RecordPlotPoint(stats, tracker, format, 1.5L, 3, "3");
  EXPECT_THAT(stats.table_lines, ElementsAre("t: 0,5 = f'(t): -2", "t: 1,5 = f'(t): 3"));
  EXPECT_THAT(stats.zero_lines, ElementsAre("0,5<t<1,5 = f'(t): 0"));
  EXPECT_EQ(stats.sum_y, 1);
  EXPECT_EQ(stats.sum_abs_y, 5);
}

TEST(SeriesStats, ReleaseKeepsSumsUntilReset) {
  SeriesStats stats = Record({{1, 2}, {2, -3}});
  stats.ReleaseLines();
  EXPECT_EQ(stats.TotalLines(), 0u);
  EXPECT_EQ(stats.sum_y, -1);
  stats.Reset();
  EXPECT_EQ(stats.sum_y, 0);
  EXPECT_EQ(stats.sum_abs_y, 0);
}

// Deferred lines must come out exactly as the eager ones, whatever way the
// samples go; a table value given as text and eager samples mixed in keep
// their places.
TEST(RecordPlotPointDeferred, WritesTheSameLinesAsRecordingEagerly) {
  struct Case {
    const char* name;
    std::vector<long double> values;  // at x = -2, -1,5, -1, ...
    std::vector<bool> eager;          // samples recorded eagerly, the rest deferred
    // The x of each sample where it does not move on by 0,5; a deferred
    // table line keeps its x only where it does not.
    std::vector<long double> xs = {};
  };
  const Case cases[] = {
      {"rising, every sample a new maximum", {1, 2, 3, 4, 5, 6}, {}},
      {"falling then rising through zero", {4, 1, 0, -2, -2, 3, 0.1L, -1E-20L}, {}},
      {"new extremes after some lines are written",
       {1, 5, -3, 5, 7, -8, 0, 7},
       {false, false, true, false, true, false, false, false}},
      {"ties at max and min", {2, -2, 2, -2, 2, -2}, {false, true}},
      {"x jumps, stays, and comes to -0 where adding gives 0",
       {1, 2, 3, 4, 5, 6, 7},
       {false, false, false, false, true},
       {-0.5L, -0.0L, 0.5L, 7, 7, 7.5L, 0.1L}},
  };
  for (const Case& c : cases) {
    SeriesStats eager_stats;
    SeriesStats deferred_stats;
    deferred_stats.set_x_increment(0.5L);
    CurveTracker eager_tracker;
    CurveTracker deferred_tracker;
    const PointLineFormat format("t", true);
    const std::string text = "2,50";  // an evaluation's text, not FloatToStr of any value
    size_t pending_seen = 0;
    for (size_t i = 0; i < c.values.size(); ++i) {
      const long double x = c.xs.empty() ? -2 + 0.5L * static_cast<long double>(i) : c.xs[i];
      const long double y = c.values[i];
      const bool as_text = i % 3 == 2;
      const std::string value_text = as_text ? text : FloatToStr(y * 3);
      RecordPlotPoint(eager_stats, eager_tracker, format, x, y, value_text);
      if (i < c.eager.size() && c.eager[i])
        RecordPlotPoint(deferred_stats, deferred_tracker, format, x, y, value_text);
      else
        RecordPlotPointDeferred(deferred_stats, deferred_tracker, format, x, y, y * 3,
                                as_text ? &text : nullptr);
      pending_seen += deferred_stats.has_pending_lines() ? 1 : 0;
      EXPECT_EQ(deferred_stats.TotalLines(), eager_stats.TotalLines()) << c.name << " " << i;
    }
    EXPECT_GT(pending_seen, 0u) << c.name;
    deferred_stats.WritePendingLines();
    EXPECT_FALSE(deferred_stats.has_pending_lines());
    EXPECT_EQ(deferred_stats.table_lines, eager_stats.table_lines) << c.name;
    EXPECT_EQ(deferred_stats.top_lines, eager_stats.top_lines) << c.name;
    EXPECT_EQ(deferred_stats.bottom_lines, eager_stats.bottom_lines) << c.name;
    EXPECT_EQ(deferred_stats.max_lines, eager_stats.max_lines) << c.name;
    EXPECT_EQ(deferred_stats.min_lines, eager_stats.min_lines) << c.name;
    EXPECT_EQ(deferred_stats.zero_lines, eager_stats.zero_lines) << c.name;
    EXPECT_EQ(deferred_stats.sum_y, eager_stats.sum_y) << c.name;
    EXPECT_EQ(deferred_stats.sum_abs_y, eager_stats.sum_abs_y) << c.name;
  }
}

}  // namespace
}  // namespace korvex
