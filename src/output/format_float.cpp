#include "output/format_float.h"

#include "engine/number_text.h"

namespace korvex {

// Placeholder until the mask language lands: the general number text.
std::string FormatFloat(std::string_view mask, long double value, char decimal_separator,
                        char /*thousands_separator*/) {
  if (mask.size() > 224) throw FormatFailure(kFormatStringTooLong);
  return FloatToStr(value, decimal_separator);
}

}  // namespace korvex
