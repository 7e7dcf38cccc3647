// The range an axis is drawn with: manual limits, the span of the shown
// series on an automatic axis, widened where it has no width.
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

TEST(FittedRange, YAxis) {
  struct Case {
    const char* name;
    std::vector<std::vector<double>> series;
    AxisSetup setup;
    std::function<bool(std::size_t)> shown;
    ValueRange expected;
  };
  const auto all_but_first = [](std::size_t number) { return number != 1; };
  const Case cases[] = {
      {"automatic over every series", {{-3, 4}, {7, 1}}, {}, nullptr, {-3, 7}},
      {"automatic skips what is not finite", {{kNaN, 2, -kInf, 5, kInf}}, {}, nullptr, {2, 5}},
      {"automatic over the shown series", {{-30, 40}, {7, 1}}, {}, all_but_first, {1, 7}},
      {"automatic, one value", {{5, 5}}, {}, nullptr, {4.5, 5.5}},
      {"automatic, one negative value", {{-20}}, {}, nullptr, {-22, -18}},
      {"automatic, only 0", {{0}}, {}, nullptr, {-1, 1}},
      {"manual limits, whatever the data", {{-30, 40}}, {false, true, -3, 7}, nullptr, {-3, 7}},
      {"manual equal limits", {{1}}, {false, true, 2, 2}, nullptr, {1.8, 2.2}},
      {"logarithmic, positive values only", {{-1, 0, 2, 50}}, {true}, nullptr, {2, 50}},
      {"logarithmic, one value", {{-1, 5}}, {true}, nullptr, {0.5, 50}},
      {"empty", {}, {}, nullptr, {-10, 10}},
      {"no shown points", {{1, 2}}, {}, all_but_first, {-10, 10}},
      {"logarithmic, nothing above 0", {{-1, 0}}, {true}, nullptr, {1, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChartModel chart = Chart(c.series, c.setup);
    const ValueRange range = FittedRange(chart, AxisId::kLeft, c.shown);
    EXPECT_DOUBLE_EQ(range.minimum, c.expected.minimum);
    EXPECT_DOUBLE_EQ(range.maximum, c.expected.maximum);
  }
}

// Each axis fits its own coordinate of the points.
TEST(FittedRange, XAxisFitsTheKeys) {
  const ChartModel chart = Chart({{9, 9, 9}}, {});
  const ValueRange x = FittedRange(chart, AxisId::kBottom);
  EXPECT_EQ(x.minimum, 0);
  EXPECT_EQ(x.maximum, 2);
  const ValueRange y = FittedRange(chart, AxisId::kLeft);
  EXPECT_DOUBLE_EQ(y.minimum, 8.1);
  EXPECT_DOUBLE_EQ(y.maximum, 9.9);
}

}  // namespace
}  // namespace korvex
