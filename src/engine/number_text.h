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

// RoundThroughNumberText for every value; the inline part below only takes
// the commonest case off it.
std::optional<long double> RoundThroughNumberTextGeneral(long double value);

// The value a result has once written as a number text and read back:
// StrToFloat(FloatToStr(value)), without building the texts where that can
// be avoided. Nothing for non-finite values and for texts that do not read
// back (rounded beyond the extended range).
//
// Inline because a replayed plot sample rounds every result it computes, and
// most of those in integer plots are whole numbers below 10^15: written with
// all their digits, they read back as themselves. Adding and taking away 2^63
// leaves such a magnitude as it is and moves one with a fraction to a whole
// number, exactly and in every rounding mode: the sum lies in [2^63, 2^64),
// where the 64-bit significand holds whole numbers and nothing finer (a
// negative value plus 2^63 would land where halves still exist). NAN fails
// the range test.
inline std::optional<long double> RoundThroughNumberText(long double value) {
  constexpr long double kWholeLimit = 1e15L;
  constexpr long double kWholeShift = 9223372036854775808.0L;  // 2^63
  const long double magnitude = value < 0 ? -value : value;
  if (magnitude < kWholeLimit && (magnitude + kWholeShift) - kWholeShift == magnitude) [[likely]]
    return value == 0 ? 0.0L : value;  // "0" reads back unsigned
  return RoundThroughNumberTextGeneral(value);
}

}  // namespace korvex
