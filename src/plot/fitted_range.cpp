// Fitting an axis to its settings and to the points of the shown series.
#include "plot/fitted_range.h"

#include <algorithm>
#include <cmath>

namespace korvex {

ValueRange Widened(ValueRange range, const ChartAxis& axis) {
  if (range.maximum > range.minimum) return range;
  if (axis.logarithmic && range.minimum > 0) return {range.minimum / 10, range.maximum * 10};
  const double pad = range.minimum == 0 ? 1 : std::fabs(range.minimum) * 0.1;
  return {range.minimum - pad, range.maximum + pad};
}

ValueRange FittedRange(const ChartModel& model, AxisId id,
                       const std::function<bool(std::size_t number)>& shown) {
  const ChartAxis& axis = model.axis(id);
  if (!axis.automatic) return Widened({axis.minimum, axis.maximum}, axis);
  bool found = false;
  ValueRange range{0, 0};
  for (std::size_t number = 1; number <= model.series_count(); ++number) {
    if (shown && !shown(number)) continue;
    for (const ChartPoint& point : model.series(number).points()) {
      const double value = id == AxisId::kBottom ? point.x : point.y;
      if (!std::isfinite(value) || (axis.logarithmic && value <= 0)) continue;
      if (!found) {
        range = {value, value};
        found = true;
      } else {
        range.minimum = std::min(range.minimum, value);
        range.maximum = std::max(range.maximum, value);
      }
    }
  }
  if (!found) {
    return axis.logarithmic ? ValueRange{1, kEmptyRangeLimit}
                            : ValueRange{-kEmptyRangeLimit, kEmptyRangeLimit};
  }
  return Widened(range, axis);
}

}  // namespace korvex
