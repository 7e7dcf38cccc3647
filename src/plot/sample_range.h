// The x values a plot run samples and the inputs each sample writes into the
// expression.
#pragma once

#include <optional>
#include <string>

namespace korvex {

inline constexpr const char* kNoSamplesMessage =
    "The plot samples nothing: start must lie below stop + increment "
    "(Tools/Plot options/Calculations)";
inline constexpr const char* kEpsilonVanishesMessage =
    "The derivative's epsilon is too small: x + epsilon equals x at the ends of the range "
    "(Tools/Plot options/Calculations)";
inline constexpr const char* kEpsilonSwampsMessage =
    "The derivative's epsilon is too large: x + epsilon equals epsilon at the ends of the range "
    "(Tools/Plot options/Calculations)";

// x starts at `start` and moves by repeated addition of `increment` while it
// stays below end() (the stop plus one increment): the samples every source
// walks, in the same order and with the same rounding. With the derivative
// each sample writes x + epsilon into the first copy of the expression and
// x - epsilon into the second.
struct SampleRange {
  long double start = 0;
  long double stop = 0;
  long double increment = 1;
  long double epsilon = 0;
  bool derivative = false;

  long double end() const { return stop + increment; }
  long double PlusInput(long double x) const { return derivative ? x + epsilon : x; }
  long double MinusInput(long double x) const { return derivative ? x - epsilon : x; }
};

// Why a range whose total passed the count check would still give no
// meaningful run: no sample at all (a negative increment from a start above
// the stop), or a derivative step that the 15-digit number texts of the
// samples lose against x or that loses x. Nothing when the range is usable.
std::optional<std::string> RangeRefusal(const SampleRange& range);

}  // namespace korvex
