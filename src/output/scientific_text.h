// The answer in scientific notation: a mantissa, "*10^" and the exponent.
#pragma once

#include <string>

namespace korvex {

// Scales by steps of ten, so the mantissa can come out as 10 (1000 gives
// "10*10^2"); the mantissa is a FloatToStr text with `separator`.
std::string ScientificText(long double value, char separator);

}  // namespace korvex
