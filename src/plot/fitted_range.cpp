// Fitting an axis to its settings and to the points of the shown series.
#include "plot/fitted_range.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace korvex {
namespace {

constexpr double kTargetIntervals = 6;
// Tick distances in tenths of their power of ten: whole numbers, so the
// tick values below are computed from integers and come out as the doubles
// nearest to their decimal texts (0.3, not 0.1 * 3).
constexpr double kStepTenths[] = {10, 20, 25, 50, 100};
// Values this close to a tick (in steps) count as on it: a sum of 0.1
// increments lands a hair beside the round value it stands for.
constexpr double kOnTick = 1e-9;

struct Step {
  double tenths;
  int exponent;  // of the step's tenths: step = tenths * 10^exponent
  double value() const { return Multiple(1); }
  double Multiple(double k) const {
    const double whole = k * tenths;
    return exponent >= 0 ? whole * std::pow(10.0, exponent) : whole / std::pow(10.0, -exponent);
  }
};

std::optional<Step> NiceStep(double span) {
  const double rough = span / kTargetIntervals;
  if (!(rough > 0) || !std::isfinite(rough)) return std::nullopt;
  const int magnitude = static_cast<int>(std::floor(std::log10(rough)));
  const double tenths = rough / std::pow(10.0, magnitude) * 10;  // 10 to 100
  for (const double candidate : kStepTenths)
    if (candidate >= tenths * (1 - kOnTick)) return Step{candidate, magnitude - 1};
  return Step{100, magnitude - 1};
}

// `range` (of some width) rounded out to ticks, then the margin added; the
// range as it was when the numbers do not allow it.
AxisFit RoundedOut(ValueRange range) {
  const auto step = NiceStep(range.maximum - range.minimum);
  if (!step) return {range, 0};
  const double size = step->value();
  const double low = step->Multiple(std::floor(range.minimum / size + kOnTick));
  const double high = step->Multiple(std::ceil(range.maximum / size - kOnTick));
  const double margin = (high - low) * kAxisMargin;
  const ValueRange fitted{low - margin, high + margin};
  if (!std::isfinite(fitted.minimum) || !std::isfinite(fitted.maximum) ||
      !(fitted.maximum > fitted.minimum))
    return {range, 0};
  return {fitted, size};
}

}  // namespace

ValueRange Widened(ValueRange range, const ChartAxis& axis) {
  if (range.maximum > range.minimum) return range;
  if (axis.logarithmic && range.minimum > 0) return {range.minimum / 10, range.maximum * 10};
  const double pad = range.minimum == 0 ? 1 : std::fabs(range.minimum) * 0.1;
  return {range.minimum - pad, range.maximum + pad};
}

double TickStep(double span) {
  const auto step = NiceStep(span);
  return step ? step->value() : 0;
}

AxisFit FitAxis(const ChartModel& model, AxisId id,
                const std::function<bool(std::size_t number)>& shown) {
  const ChartAxis& axis = model.axis(id);
  if (!axis.automatic) return {Widened({axis.minimum, axis.maximum}, axis), 0};
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
    return {axis.logarithmic ? ValueRange{1, kEmptyRangeLimit}
                             : ValueRange{-kEmptyRangeLimit, kEmptyRangeLimit},
            0};
  }
  const ValueRange widened = Widened(range, axis);
  if (axis.logarithmic) return {widened, 0};
  return RoundedOut(widened);
}

}  // namespace korvex
