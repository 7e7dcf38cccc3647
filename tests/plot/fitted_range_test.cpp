// The range an axis is drawn with: manual limits, the span of the shown
// series on an automatic axis, widened where it has no width and rounded
// out to ticks with a margin on a linear one.
#include "plot/fitted_range.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <limits>
#include <vector>

namespace korvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct AxisSetup {
  bool logarithmic = false;
  bool manual = false;
  double minimum = 0;
  double maximum = 0;
};

// One series per list of y values, x running 0, 1, 2 ...; the y axis set up
// as `setup` says.
ChartModel Chart(const std::vector<std::vector<double>>& series, AxisSetup setup) {
  ChartModel chart;
  // Logarithmic before any point: the model refuses it over values below 0.
  EXPECT_TRUE(chart.SetLogarithmic(AxisId::kLeft, setup.logarithmic));
  if (setup.manual) {
    chart.SetAutomatic(AxisId::kLeft, false);
    EXPECT_TRUE(chart.SetMaximum(AxisId::kLeft, setup.maximum));
    EXPECT_TRUE(chart.SetMinimum(AxisId::kLeft, setup.minimum));
  }
  for (const std::vector<double>& values : series) {
    chart.AddSeries("f");
    for (std::size_t i = 0; i < values.size(); ++i)
      chart.AppendPoint(chart.series_count(), static_cast<double>(i), values[i]);
  }
  return chart;
}

// Where an automatic linear axis is rounded out, `ticks` are the outer ticks
// and the range reaches kAxisMargin of their span beyond them; elsewhere
// (step 0) `ticks` is the range itself.
void ExpectFit(const AxisFit& fit, ValueRange ticks, double step) {
  EXPECT_DOUBLE_EQ(fit.tick_step, step);
  const double margin = step > 0 ? (ticks.maximum - ticks.minimum) * kAxisMargin : 0;
  EXPECT_DOUBLE_EQ(fit.range.minimum, ticks.minimum - margin);
  EXPECT_DOUBLE_EQ(fit.range.maximum, ticks.maximum + margin);
}

TEST(FittedRange, YAxis) {
  struct Case {
    const char* name;
    std::vector<std::vector<double>> series;
    AxisSetup setup;
    std::function<bool(std::size_t)> shown;
    ValueRange ticks;
    double step;
  };
  const auto all_but_first = [](std::size_t number) { return number != 1; };
  const Case cases[] = {
      {"automatic over every series", {{-3, 4}, {7, 1}}, {}, nullptr, {-4, 8}, 2},
      {"automatic skips what is not finite", {{kNaN, 2, -kInf, 5, kInf}}, {}, nullptr, {2, 5}, 0.5},
      {"automatic over the shown series", {{-30, 40}, {7, 1}}, {}, all_but_first, {1, 7}, 1},
      {"automatic, extremes a rounding error beside round values",
       {{1e-30, 100.00000000000003, 50}},
       {},
       nullptr,
       {0, 100},
       20},
      {"automatic, decimal steps", {{0.12, 0.31}}, {}, nullptr, {0.1, 0.35}, 0.05},
      {"automatic, one value", {{5, 5}}, {}, nullptr, {4.4, 5.6}, 0.2},
      {"automatic, one negative value", {{-20}}, {}, nullptr, {-22, -18}, 1},
      {"automatic, only 0", {{0}}, {}, nullptr, {-1, 1}, 0.5},
      {"automatic, span too wide to round", {{-1e308, 1e308}}, {}, nullptr, {-1e308, 1e308}, 0},
      {"manual limits, whatever the data", {{-30, 40}}, {false, true, -3, 7}, nullptr, {-3, 7}, 0},
      {"manual equal limits", {{1}}, {false, true, 2, 2}, nullptr, {1.8, 2.2}, 0},
      {"logarithmic, positive values only", {{-1, 0, 2, 50}}, {true}, nullptr, {2, 50}, 0},
      {"logarithmic, one value", {{-1, 5}}, {true}, nullptr, {0.5, 50}, 0},
      {"empty", {}, {}, nullptr, {-10, 10}, 0},
      {"no shown points", {{1, 2}}, {}, all_but_first, {-10, 10}, 0},
      {"logarithmic, nothing above 0", {{-1, 0}}, {true}, nullptr, {1, 10}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChartModel chart = Chart(c.series, c.setup);
    ExpectFit(FitAxis(chart, AxisId::kLeft, c.shown), c.ticks, c.step);
  }
}

// The case the rounding is for: sin[x] sampled at 0,1 steps never reaches
// -1 or 1, yet the axis shows ticks there and a little room beyond.
TEST(FittedRange, SineGetsTicksAtItsExtremes) {
  const ChartModel chart = Chart({{-0.99992, 0.99992}}, {});
  const AxisFit fit = FitAxis(chart, AxisId::kLeft);
  EXPECT_EQ(fit.tick_step, 0.5);
  EXPECT_DOUBLE_EQ(fit.range.minimum, -1.08);
  EXPECT_DOUBLE_EQ(fit.range.maximum, 1.08);
}

TEST(FittedRange, TickStepCutsTheSpanIntoAboutSixReadableSteps) {
  struct Case {
    double span;
    double step;
  };
  const Case cases[] = {{20, 5},   {100, 20},  {2, 0.5}, {1, 0.2}, {0.19, 0.05}, {6, 1},
                        {13, 2.5}, {3e6, 5e5}, {0, 0},   {-1, 0},  {kInf, 0},    {kNaN, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.span);
    EXPECT_EQ(TickStep(c.span), c.step);
  }
}

// Each axis fits its own coordinate of the points.
TEST(FittedRange, XAxisFitsTheKeys) {
  const ChartModel chart = Chart({{9, 9, 9}}, {});
  ExpectFit(FitAxis(chart, AxisId::kBottom), {0, 2}, 0.5);
  ExpectFit(FitAxis(chart, AxisId::kLeft), {8, 10}, 0.5);
}

}  // namespace
}  // namespace korvex
