// The range an axis shows when the graph is drawn or reset: its manual
// limits, or the span of the shown series, widened so it always has a width
// and, on a linear axis, so its ends fall on ticks with a little room beyond.
#pragma once

#include <cstddef>
#include <functional>

#include "plot/chart_model.h"

namespace korvex {

// An axis with nothing to fit spans -10 to 10, or 1 to 10 when logarithmic.
inline constexpr double kEmptyRangeLimit = 10;
// Room left beyond the outer ticks of an automatic linear axis on each side,
// as a share of the span between them, so no point sits on the frame.
inline constexpr double kAxisMargin = 0.04;

// A range of no width (one value, or equal manual limits) opened up around
// its value: a decade either way on a logarithmic axis, else a tenth of the
// value, or 1 around 0.
ValueRange Widened(ValueRange range, const ChartAxis& axis);

// A readable distance between ticks, 1, 2, 2.5 or 5 times a power of ten,
// that cuts `span` into about half a dozen intervals; 0 when there is none.
double TickStep(double span);

struct AxisFit {
  ValueRange range;
  // The tick distance that puts ticks on the outer ticks the range was
  // rounded out to; 0 where the range was taken as it is (manual limits, a
  // logarithmic axis) and the drawing chooses its own ticks.
  double tick_step = 0;
};

// For an automatic axis, the finite values of the series `shown` accepts
// (all of them without it), and on a logarithmic axis only those above 0.
// An automatic linear axis is rounded out to the ticks around its values
// (so the extremes of sin[x] are labelled -1 and 1) and kAxisMargin added.
AxisFit FitAxis(const ChartModel& model, AxisId id,
                const std::function<bool(std::size_t number)>& shown = nullptr);
inline ValueRange FittedRange(const ChartModel& model, AxisId id,
                              const std::function<bool(std::size_t number)>& shown = nullptr) {
  return FitAxis(model, id, shown).range;
}

}  // namespace korvex
