// Exact decimal digits of an extended value, rounded half away from zero,
// for the mask language (fixed decimals or significant digits).
#pragma once

#include <string>

namespace korvex {

// `magnitude` rounded to `decimals` places. `integer` has no leading zeros
// (empty below 1); `fraction` holds exactly `decimals` digits.
struct FixedDigits {
  std::string integer;
  std::string fraction;
};
FixedDigits RoundToDecimals(long double magnitude, int decimals);

// `magnitude` rounded to `count` significant digits: magnitude is about
// 0.digits x 10^exponent. A zero magnitude gives no digits and exponent 0.
struct SignificantDigits {
  std::string digits;
  int exponent = 0;
};
SignificantDigits RoundToSignificant(long double magnitude, int count);

}  // namespace korvex
