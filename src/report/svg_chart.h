// A plotted series as a small SVG picture: frame, zero lines, the curve as
// polylines and the ranges at the corners. For reports written without Qt.
#pragma once

#include <string>
#include <vector>

#include "plot/chart_model.h"

namespace korvex {

inline constexpr int kSvgChartWidth = 640;
inline constexpr int kSvgChartHeight = 360;

// Points that are not finite break the curve. A series of many points is
// thinned to a few per pixel column, keeping each column's extremes.
std::string SeriesSvg(const std::vector<ChartPoint>& points, const std::string& title);

}  // namespace korvex
