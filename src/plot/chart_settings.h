// ApplyChartSettings: the chart-wide plot options (scales, grids, colours,
// 3D) carried onto the graph.
#pragma once

#include "engine/error_sink.h"
#include "plot/chart_model.h"
#include "settings/plot_file.h"

namespace korvex {

inline constexpr const char* kScalesErrorMessage =
    "One or more errors occurred in (Tools/Plot options/Scales)";

// False after reporting the "Scales" error; the axis settings made before the
// refusal stay, and grids, colours and 3D are then left alone.
bool ApplyChartSettings(const PlotSettings& settings, ChartModel& chart, ErrorSink& errors);

}  // namespace korvex
