// The chart model tells its observers about every change and only then.
#include "plot/chart_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <span>
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

}  // namespace
}  // namespace korvex
