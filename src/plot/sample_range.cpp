#include "plot/sample_range.h"

#include <cmath>

#include "engine/number_text.h"

namespace korvex {

std::optional<std::string> RangeRefusal(const SampleRange& range) {
  if (!(range.start < range.end())) return kNoSamplesMessage;
  if (!range.derivative) return std::nullopt;
  // Each sample goes into the expression as its number text, so a step is
  // only real where it changes that text. The end of the range farthest
  // from zero is where a small step vanishes first and where a large one
  // still has the most of x to keep.
  const long double x = std::fabs(range.start) >= std::fabs(range.stop) ? range.start : range.stop;
  const std::string stepped = FloatToStr(range.PlusInput(x));
  if (stepped == FloatToStr(x)) return kEpsilonVanishesMessage;
  if (x != 0 && stepped == FloatToStr(range.epsilon)) return kEpsilonSwampsMessage;
  return std::nullopt;
}

}  // namespace korvex
