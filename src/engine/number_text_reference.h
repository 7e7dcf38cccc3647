// The number text conversions as they were before the fast paths: exact
// through the C library (printf with the rounding mode toward zero, then
// strtold). Kept as the fallback of number_text.cpp where the fast method
// cannot decide, and as the reference that the differential test and the
// benchmark compare the fast paths with. Not for other callers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex::reference {

std::string FloatToStr(long double value, char separator = ',');
// strtold follows the current rounding mode; the engine runs in round to nearest.
std::optional<long double> StrToFloat(std::string_view text, char separator = ',');
std::optional<long double> RoundThroughNumberText(long double value);

}  // namespace korvex::reference
