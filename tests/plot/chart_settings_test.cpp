// ApplyChartSettings and the chart's refusals of axis settings.
#include "plot/chart_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/test_support.h"
#include "plot/plotter.h"

namespace korvex {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingSink;
using testing::Report;

const Report kScales{"One or more errors occurred in (Tools/Plot options/Scales)", kPlotError};

// A chart holding one series from (-10, -3) to (10, 5).
ChartModel ChartWithData() {
  ChartModel chart;
  chart.AddSeries("data");
  chart.AppendPoint(1, -10, -3);
  chart.AppendPoint(1, 10, 5);
  return chart;
}

TEST(ApplyChartSettings, AxisRefusals) {
  struct Case {
    const char* name;
    AxisSettings x;
    bool accepted;
  };
  const auto manual = [](const char* min, const char* max) {
    return AxisSettings{false, false, false, min, max, "10"};
  };
  const auto log = [](bool automatic, const char* base) {
    return AxisSettings{automatic, false, true, "1", "100", base};
  };
  const Case cases[] = {
      {"limits inside the data range", manual("-5", "5"), true},
      {"limits above the data range", manual("20", "30"), true},
      {"limits wholly below the range", manual("-50", "-20"), false},
      {"minimum above the new maximum", manual("10", "5"), false},
      {"limits that are not whole numbers", manual("-0,5", "0,5"), false},
      {"limit that is no number", manual("a", "5"), false},
      {"logarithmic over data below 0", log(true, "10"), false},
      {"logarithmic over manual limits from 1", log(false, "10"), true},
      {"base 1", log(false, "1"), false},
      {"base 0", log(false, "0"), false},
      {"negative base", log(false, "-2"), false},
      {"base that is no number", log(false, "2.5"), false},
      {"base 2,5", log(false, "2,5"), true},
  };
  for (const Case& c : cases) {
    ChartModel chart = ChartWithData();
    RecordingSink sink;
    PlotSettings settings;
    settings.x_axis = c.x;
    settings.view_3d = true;
    EXPECT_EQ(ApplyChartSettings(settings, chart, sink), c.accepted) << c.name;
    if (c.accepted) {
      EXPECT_THAT(sink.reports, IsEmpty()) << c.name;
      EXPECT_TRUE(chart.view_3d()) << c.name;
    } else {
      EXPECT_THAT(sink.reports, ElementsAre(kScales)) << c.name;
      EXPECT_FALSE(chart.view_3d()) << c.name;  // later steps are skipped
    }
  }
}

TEST(ApplyChartSettings, LimitsBelowTheRangeKeepFailing) {
  ChartModel chart = ChartWithData();
  RecordingSink sink;
  PlotSettings settings;
  settings.x_axis.automatic = false;
  settings.x_axis.minimum = "-50";
  settings.x_axis.maximum = "-20";
  EXPECT_FALSE(ApplyChartSettings(settings, chart, sink));
  // The axis stays manual at the range it had, so the minimum is never reached.
  EXPECT_FALSE(chart.axis(AxisId::kBottom).automatic);
  EXPECT_EQ(chart.axis(AxisId::kBottom).minimum, -10);
  EXPECT_FALSE(ApplyChartSettings(settings, chart, sink));
  chart.RemoveLastSeries();
  EXPECT_FALSE(ApplyChartSettings(settings, chart, sink));
  EXPECT_EQ(sink.reports.size(), 3u);
  settings.x_axis.automatic = true;
  EXPECT_TRUE(ApplyChartSettings(settings, chart, sink));
}

TEST(ApplyChartSettings, SettingsBeforeARefusalStay) {
  ChartModel chart = ChartWithData();
  RecordingSink sink;
  PlotSettings settings;
  settings.x_axis = {false, true, false, "-2", "2", "10"};
  settings.y_axis.logarithmic = true;  // y data reaches -3
  settings.horizontal_grid = true;
  EXPECT_FALSE(ApplyChartSettings(settings, chart, sink));
  const ChartAxis& x = chart.axis(AxisId::kBottom);
  EXPECT_FALSE(x.automatic);
  EXPECT_TRUE(x.inverted);
  EXPECT_EQ(x.minimum, -2);
  EXPECT_EQ(x.maximum, 2);
  EXPECT_FALSE(chart.axis(AxisId::kLeft).logarithmic);
  EXPECT_FALSE(chart.axis(AxisId::kLeft).grid_visible);
}

TEST(ApplyChartSettings, GridsColoursAnd3D) {
  ChartModel chart;
  RecordingSink sink;
  PlotSettings settings;
  settings.horizontal_grid = true;
  settings.back_colour = 255;
  settings.grid_colour = 65280;
  settings.view_3d = true;
  settings.percent_3d = 40;
  settings.y_axis.logarithmic = true;  // no data: nothing to refuse
  settings.y_axis.log_base = "2";
  const auto before = chart.revision();
  ASSERT_TRUE(ApplyChartSettings(settings, chart, sink));
  EXPECT_GT(chart.revision(), before);
  EXPECT_TRUE(chart.axis(AxisId::kLeft).grid_visible);
  EXPECT_FALSE(chart.axis(AxisId::kBottom).grid_visible);
  EXPECT_EQ(chart.axis(AxisId::kLeft).grid_colour, 65280);
  EXPECT_EQ(chart.axis(AxisId::kBottom).grid_colour, 65280);
  EXPECT_EQ(chart.back_colour(), 255);
  EXPECT_TRUE(chart.view_3d());
  EXPECT_EQ(chart.depth_percent(), 40);
  EXPECT_TRUE(chart.axis(AxisId::kLeft).logarithmic);
  EXPECT_EQ(chart.axis(AxisId::kLeft).log_base, 2);
}

TEST(ApplyChartSettings, LogAxisRefusedWhileASeriesHasNegativeX) {
  testing::TestCalculator calc;
  Plotter plotter(calc.engine);
  ASSERT_TRUE(plotter.SolvePlot("x"));  // -10 to 10
  plotter.settings().x_axis.logarithmic = true;
  plotter.settings().start = "1";
  // Single mode too: the chart settings come before the old series go.
  EXPECT_FALSE(plotter.SolvePlot("x"));
  EXPECT_THAT(calc.sink.reports, ElementsAre(kScales));
  EXPECT_EQ(plotter.chart().series_count(), 1u);
  plotter.RemoveSeries(false);
  EXPECT_TRUE(plotter.SolvePlot("x"));
  EXPECT_TRUE(plotter.chart().axis(AxisId::kBottom).logarithmic);
}

}  // namespace
}  // namespace korvex
