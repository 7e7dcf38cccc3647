// The chart model tells its observers about every change and only then; its
// outlines keep a chart's shape without the points.
#include "plot/chart_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvex {
namespace {

// A chart with one series of two positive points and a manual x axis from
// 1 to 3, watched by a counter.
class WatchedChart : public ::testing::Test {
 protected:
  WatchedChart() {
    chart.AddSeries("f");
    chart.AppendPoint(1, 1, 2);
    chart.AppendPoint(1, 3, 4);
    chart.SetAutomatic(AxisId::kBottom, false);
    subscription = chart.Subscribe([this] { ++told; });
  }

  ChartModel chart;
  int told = 0;
  ChartModel::Subscription subscription;
};

TEST_F(WatchedChart, EveryChangeIsToldOnce) {
  const SeriesAppearance red{true, true, 255, 255};
  const struct {
    const char* name;
    std::function<void(ChartModel&)> change;
  } cases[] = {
      {"add series", [](ChartModel& c) { c.AddSeries("g"); }},
      {"remove series", [](ChartModel& c) { c.RemoveLastSeries(); }},
      {"append point", [](ChartModel& c) { c.AppendPoint(1, 5, 6); }},
      {"append points",
       [](ChartModel& c) {
         const ChartPoint points[] = {{5, 6}, {6, 3}, {7, 5}};
         c.AppendPoints(1, points);
       }},
      {"appearance", [&red](ChartModel& c) { c.SetSeriesAppearance(1, red); }},
      {"manual", [](ChartModel& c) { c.SetAutomatic(AxisId::kLeft, false); }},
      {"maximum", [](ChartModel& c) { EXPECT_TRUE(c.SetMaximum(AxisId::kLeft, 9)); }},
      {"minimum", [](ChartModel& c) { EXPECT_TRUE(c.SetMinimum(AxisId::kBottom, -9)); }},
      {"inverted", [](ChartModel& c) { c.SetInverted(AxisId::kBottom, true); }},
      {"logarithmic", [](ChartModel& c) { EXPECT_TRUE(c.SetLogarithmic(AxisId::kLeft, true)); }},
      {"log base", [](ChartModel& c) { EXPECT_TRUE(c.SetLogBase(AxisId::kLeft, 2)); }},
      {"grid", [](ChartModel& c) { c.SetGridVisible(AxisId::kLeft, true); }},
      {"grid colour", [](ChartModel& c) { c.SetGridColour(AxisId::kLeft, 255); }},
      {"back colour", [](ChartModel& c) { c.SetBackColour(255); }},
      {"3D", [](ChartModel& c) { c.SetView3D(true); }},
      {"depth", [](ChartModel& c) { c.SetDepthPercent(40); }},
      {"legend", [](ChartModel& c) { c.SetLegendVisible(false); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    told = 0;
    const auto revision = chart.revision();
    c.change(chart);
    EXPECT_EQ(told, 1);
    EXPECT_GT(chart.revision(), revision);
  }
}

// Reading, setting what is already set, and refused settings leave the
// views alone.
TEST_F(WatchedChart, NoChangeIsNotTold) {
  const struct {
    const char* name;
    std::function<void(ChartModel&)> action;
  } cases[] = {
      {"read",
       [](ChartModel& c) {
         // Through the non-const object, as the plot driver holds it.
         EXPECT_EQ(c.series(1).count(), 2u);
         EXPECT_EQ(c.series(1).points()[1].y, 4);
         EXPECT_TRUE(c.axis(AxisId::kLeft).automatic);
         EXPECT_TRUE(c.CurrentRange(AxisId::kLeft).has_value());
         EXPECT_TRUE(c.legend_visible());
       }},
      {"same appearance", [](ChartModel& c) { c.SetSeriesAppearance(1, SeriesAppearance()); }},
      {"still automatic", [](ChartModel& c) { c.SetAutomatic(AxisId::kLeft, true); }},
      {"same maximum", [](ChartModel& c) { EXPECT_TRUE(c.SetMaximum(AxisId::kBottom, 3)); }},
      {"same inverted", [](ChartModel& c) { c.SetInverted(AxisId::kLeft, false); }},
      {"same base", [](ChartModel& c) { EXPECT_TRUE(c.SetLogBase(AxisId::kLeft, 10)); }},
      {"refused base", [](ChartModel& c) { EXPECT_FALSE(c.SetLogBase(AxisId::kLeft, 1)); }},
      {"same back colour", [](ChartModel& c) { c.SetBackColour(c.back_colour()); }},
      {"same 3D", [](ChartModel& c) { c.SetView3D(false); }},
      {"same legend", [](ChartModel& c) { c.SetLegendVisible(true); }},
      {"refused limit", [](ChartModel& c) { EXPECT_FALSE(c.SetMaximum(AxisId::kBottom, 0)); }},
      {"no points", [](ChartModel& c) { c.AppendPoints(1, {}); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto revision = chart.revision();
    c.action(chart);
    EXPECT_EQ(told, 0);
    EXPECT_EQ(chart.revision(), revision);
  }
  ChartModel empty;
  const auto revision = empty.revision();
  empty.RemoveLastSeries();
  EXPECT_EQ(empty.revision(), revision);
}

TEST_F(WatchedChart, UnsubscribeStopsOnlyThatObserver) {
  int other = 0;
  const auto second = chart.Subscribe([&other] { ++other; });
  chart.AppendPoint(1, 5, 6);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(other, 1);

  chart.Unsubscribe(subscription);
  chart.Unsubscribe(subscription);  // twice is harmless
  chart.AppendPoint(1, 7, 8);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(other, 2);

  chart.Unsubscribe(second);
  chart.SetView3D(true);
  EXPECT_EQ(other, 2);
}

// A plot hands its points over in batches; the series must end up as if they
// had come one by one, ranges included (NAN and infinities among them).
TEST(ChartSeries, BatchAppendMatchesPointByPoint) {
  const std::vector<ChartPoint> points = {{0, NAN}, {1, 3},        {-2, -INFINITY}, {4, 0.5},
                                          {NAN, 7}, {5, INFINITY}, {6, -3}};
  for (size_t split = 0; split <= points.size(); ++split) {
    SCOPED_TRACE(split);
    ChartSeries one_by_one("a");
    for (const ChartPoint& p : points) one_by_one.Append(p.x, p.y);
    ChartSeries batched("b");
    batched.Append(std::span(points).first(split));
    batched.Append(std::span(points).subspan(split));
    ASSERT_EQ(batched.count(), one_by_one.count());
    for (size_t i = 0; i < points.size(); ++i) {
      EXPECT_EQ(std::memcmp(&batched.points()[i], &one_by_one.points()[i], sizeof(ChartPoint)), 0);
    }
    const auto same_range = [](std::optional<ValueRange> a, std::optional<ValueRange> b) {
      return a.has_value() == b.has_value() &&
             (!a || std::memcmp(&*a, &*b, sizeof(ValueRange)) == 0);
    };
    EXPECT_TRUE(same_range(batched.XRange(), one_by_one.XRange()));
    EXPECT_TRUE(same_range(batched.YRange(), one_by_one.YRange()));
  }
}

// Observers watch one object: a copy changes on its own.
TEST_F(WatchedChart, CopyIsNotWatched) {
  ChartModel copy = chart;
  copy.AppendPoint(1, 5, 6);
  EXPECT_EQ(told, 0);
  EXPECT_EQ(copy.series(1).count(), 3u);
  EXPECT_EQ(chart.series(1).count(), 2u);
}

bool SameRange(std::optional<ValueRange> a, std::optional<ValueRange> b) {
  return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(ValueRange)) == 0);
}

// Everything of a series but its points.
void ExpectSameShape(const ChartSeries& outline, const ChartSeries& full) {
  EXPECT_TRUE(outline.outline());
  EXPECT_TRUE(outline.points().empty());
  EXPECT_EQ(outline.title(), full.title());
  EXPECT_EQ(outline.appearance(), full.appearance());
  EXPECT_EQ(outline.count(), full.count());
  EXPECT_TRUE(SameRange(outline.XRange(), full.XRange()));
  EXPECT_TRUE(SameRange(outline.YRange(), full.YRange()));
}

// A worker plots into an outline while the full chart gets the points: after
// the same changes both must agree on everything but the points, for the
// series the outline started with and for those added to it.
TEST(ChartOutline, FollowsTheFullChartWithoutPoints) {
  const SeriesAppearance red{true, true, 255, 255};
  const struct {
    const char* name;
    std::function<void(ChartModel&)> change;
  } cases[] = {
      {"as it was", [](ChartModel&) {}},
      {"one point", [](ChartModel& c) { c.AppendPoint(2, -9, 40); }},
      {"a batch with NAN",
       [](ChartModel& c) {
         const ChartPoint points[] = {{5, NAN}, {-7, 3}, {8, -INFINITY}};
         c.AppendPoints(1, points);
       }},
      {"added series, empty", [](ChartModel& c) { c.AddSeries("h"); }},
      {"added series with points",
       [&red](ChartModel& c) {
         c.AddSeries("h");
         c.SetSeriesAppearance(3, red);
         const ChartPoint points[] = {{0, 1}, {100, -100}};
         c.AppendPoints(3, points);
         c.AppendPoint(3, 50, 7);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChartModel full;
    full.AddSeries("f");
    full.AppendPoint(1, 1, 2);
    full.AppendPoint(1, 3, -4);
    full.AddSeries("g");  // no points yet: no ranges
    full.SetSeriesAppearance(2, red);
    ASSERT_TRUE(full.SetLogBase(AxisId::kLeft, 2));
    full.SetBackColour(0x123456);
    full.SetView3D(true);
    full.SetLegendVisible(false);

    ChartModel outline = full.Outline();
    c.change(full);
    c.change(outline);
    ASSERT_EQ(outline.series_count(), full.series_count());
    for (std::size_t n = 1; n <= full.series_count(); ++n) {
      SCOPED_TRACE(n);
      ExpectSameShape(outline.series(n), full.series(n));
    }
    EXPECT_EQ(outline.axis(AxisId::kLeft).log_base, 2);
    EXPECT_EQ(outline.back_colour(), 0x123456);
    EXPECT_TRUE(outline.view_3d());
    EXPECT_FALSE(outline.legend_visible());
    EXPECT_TRUE(SameRange(outline.CurrentRange(AxisId::kLeft), full.CurrentRange(AxisId::kLeft)));
  }
}

// The chart a session shows takes the shape a plot request left in its
// outline: the series before the request's new one, the new one empty (its
// points follow), the axes, colours and 3D; the legend is the viewer's.
TEST(ChartOutline, AdoptedShapeKeepsTheSessionsEarlierSeries) {
  const SeriesAppearance blue{false, true, 0xff0000, 0x00ff00};
  struct Case {
    const char* name;
    std::size_t outline_kept;  // series of the session's outline the request kept
    std::vector<std::string> titles;
    std::vector<std::size_t> counts;
  };
  const Case cases[] = {
      {"single: the new series replaces all", 0, {"new"}, {0}},
      {"multiple: added after the others", 3, {"a", "b", "c", "new"}, {2, 1, 3, 0}},
      {"the newest removed first", 2, {"a", "b", "new"}, {2, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartModel session;
    const char* const titles[] = {"a", "b", "c"};
    const std::size_t counts[] = {2, 1, 3};
    for (std::size_t n = 1; n <= 3; ++n) {
      session.AddSeries(titles[n - 1]);
      for (std::size_t k = 0; k < counts[n - 1]; ++k)
        session.AppendPoint(n, static_cast<double>(k), static_cast<double>(n));
    }
    int told = 0;
    session.Subscribe([&told] { ++told; });

    ChartModel outline = session.Outline();
    while (outline.series_count() > c.outline_kept) outline.RemoveLastSeries();
    outline.AddSeries("new");
    outline.SetSeriesAppearance(outline.series_count(), blue);
    outline.AppendPoint(outline.series_count(), 4, 5);  // travels separately
    outline.SetAutomatic(AxisId::kBottom, false);
    ASSERT_TRUE(outline.SetMaximum(AxisId::kBottom, 9));
    outline.SetGridColour(AxisId::kLeft, 77);
    outline.SetBackColour(0xabcdef);
    outline.SetView3D(true);
    outline.SetDepthPercent(40);
    outline.SetLegendVisible(false);

    session.AdoptOutline(outline);
    EXPECT_EQ(told, 1);
    std::vector<std::string> shown_titles;
    std::vector<std::size_t> shown_counts;
    for (std::size_t n = 1; n <= session.series_count(); ++n) {
      shown_titles.push_back(session.series(n).title());
      shown_counts.push_back(session.series(n).count());
      EXPECT_FALSE(session.series(n).outline()) << n;
      EXPECT_EQ(session.series(n).points().size(), session.series(n).count()) << n;
    }
    EXPECT_EQ(shown_titles, c.titles);
    EXPECT_EQ(shown_counts, c.counts);
    EXPECT_EQ(session.series(session.series_count()).appearance(), blue);
    EXPECT_FALSE(session.axis(AxisId::kBottom).automatic);
    EXPECT_EQ(session.axis(AxisId::kBottom).maximum, 9);
    EXPECT_EQ(session.axis(AxisId::kLeft).grid_colour, 77);
    EXPECT_EQ(session.back_colour(), 0xabcdef);
    EXPECT_TRUE(session.view_3d());
    EXPECT_EQ(session.depth_percent(), 40);
    EXPECT_TRUE(session.legend_visible());
    // The adopted series takes points as any other.
    session.AppendPoint(session.series_count(), 4, 5);
    EXPECT_EQ(session.series(session.series_count()).points().size(), 1u);
  }
}

// Assigned, a watched chart shows the other's content to its own views; the
// other's views stay with the other.
TEST_F(WatchedChart, AssignmentKeepsAndTellsTheObservers) {
  ChartModel other;
  other.AddSeries("g");
  other.AddSeries("h");
  other.AppendPoint(2, -1, -1);
  int other_told = 0;
  other.Subscribe([&other_told] { ++other_told; });
  const auto revision = chart.revision();
  const auto shape_revision = chart.shape_revision();

  chart = other;
  EXPECT_EQ(told, 1);
  EXPECT_GT(chart.revision(), revision);
  EXPECT_GT(chart.shape_revision(), shape_revision);
  ASSERT_EQ(chart.series_count(), 2u);
  EXPECT_EQ(chart.series(1).title(), "g");
  EXPECT_EQ(chart.series(2).count(), 1u);
  EXPECT_TRUE(chart.axis(AxisId::kBottom).automatic);

  chart.AppendPoint(1, 5, 6);
  EXPECT_EQ(told, 2);
  EXPECT_EQ(other_told, 0);
  other.AppendPoint(1, 5, 6);
  EXPECT_EQ(told, 2);
  EXPECT_EQ(other_told, 1);
}

}  // namespace
}  // namespace korvex
