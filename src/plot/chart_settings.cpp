// ApplyChartSettings: each axis in turn, then grids, colours and 3D.
#include "plot/chart_settings.h"

#include "engine/number_text.h"

namespace korvex {
namespace {

// Limits are set maximum first, as the chart takes them; that order is what
// makes limits wholly below the current range fail.
bool ApplyAxis(const AxisSettings& settings, AxisId id, ChartModel& chart) {
  if (settings.automatic) {
    chart.SetAutomatic(id, true);
  } else {
    chart.SetAutomatic(id, false);
    const auto maximum = StrToInt(settings.maximum);
    if (!maximum || !chart.SetMaximum(id, *maximum)) return false;
    const auto minimum = StrToInt(settings.minimum);
    if (!minimum || !chart.SetMinimum(id, *minimum)) return false;
  }
  chart.SetInverted(id, settings.inverted);
  if (!settings.logarithmic) return chart.SetLogarithmic(id, false);
  if (!chart.SetLogarithmic(id, true)) return false;
  const auto base = StrToFloat(settings.log_base);
  return base && chart.SetLogBase(id, static_cast<double>(*base));
}

}  // namespace

bool ApplyChartSettings(const PlotSettings& settings, ChartModel& chart, ErrorSink& errors) {
  if (!ApplyAxis(settings.x_axis, AxisId::kBottom, chart) ||
      !ApplyAxis(settings.y_axis, AxisId::kLeft, chart)) {
    errors.ReportError(kScalesErrorMessage, kPlotError);
    return false;
  }
  chart.SetGridVisible(AxisId::kLeft, settings.horizontal_grid);
  chart.SetGridVisible(AxisId::kBottom, settings.vertical_grid);
  chart.SetBackColour(settings.back_colour);
  chart.SetGridColour(AxisId::kBottom, settings.grid_colour);
  chart.SetGridColour(AxisId::kLeft, settings.grid_colour);
  chart.SetView3D(settings.view_3d);
  if (settings.view_3d) chart.SetDepthPercent(settings.percent_3d);
  return true;
}

}  // namespace korvex
