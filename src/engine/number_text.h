// Number texts: the one pair of conversions between 80-bit values and the
// engine's text form (15 significant digits, decimal comma by default).
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace korvex {

static_assert(std::numeric_limits<long double>::digits == 64,
              "Korvex computes in the 80-bit extended format");

// Inside the engine every number text uses the comma.
inline constexpr char kEngineSeparator = ',';

// General format with 15 significant digits, correctly rounded from the exact
// binary value (an exact decimal tie rounds away from zero). Fixed notation
// when the decimal exponent E of 0.d1d2... x 10^E lies in -3..15, otherwise
// d[,ddd]E[-]n. Non-finite values give "INF", "-INF" or "NAN".
std::string FloatToStr(long double value, char separator = kEngineSeparator);

// Blanks, optional sign, digits with at most one separator, optional exponent,
// blanks. Yields the nearest extended value, or nothing for any other text
// and for values beyond the extended range.
std::optional<long double> StrToFloat(std::string_view text, char separator = kEngineSeparator);

// The value a result has once written as a number text and read back:
// StrToFloat(FloatToStr(value)), without building the texts where that can
// be avoided. Nothing for non-finite values and for texts that do not read
// back (rounded beyond the extended range).
//
// This form works where the value lies in memory: `value` becomes what its
// number text reads back as or, false, stays as it was. A replayed plot
// sample rounds every result it computes; storing an extended value from the
// 80-bit unit is slow, so the result is stored once, where the sample keeps
// it, and its bits are read and rewritten by integer moves.
bool RoundThroughNumberTextInPlace(long double& value);

// `value` rounded into `slot`; false, with `value` in the slot, for nothing.
inline bool StoreRoundedThroughNumberText(long double value, long double& slot) {
  slot = value;
  return RoundThroughNumberTextInPlace(slot);
}

inline std::optional<long double> RoundThroughNumberText(long double value) {
  long double rounded;
  if (!StoreRoundedThroughNumberText(value, rounded)) return std::nullopt;
  return rounded;
}

}  // namespace korvex
