// The range an axis shows when the graph is drawn or reset: its manual
// limits, or the span of the shown series, widened so it always has a width.
#pragma once

#include <cstddef>
#include <functional>

#include "plot/chart_model.h"

namespace korvex {

// An axis with nothing to fit spans -10 to 10, or 1 to 10 when logarithmic.
inline constexpr double kEmptyRangeLimit = 10;

// A range of no width (one value, or equal manual limits) opened up around
// its value: a decade either way on a logarithmic axis, else a tenth of the
// value, or 1 around 0.
ValueRange Widened(ValueRange range, const ChartAxis& axis);

// For an automatic axis, the finite values of the series `shown` accepts
// (all of them without it), and on a logarithmic axis only those above 0.
ValueRange FittedRange(const ChartModel& model, AxisId id,
                       const std::function<bool(std::size_t number)>& shown = nullptr);

}  // namespace korvex
