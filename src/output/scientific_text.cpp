// Scientific notation by repeated scaling with extended arithmetic.
#include "output/scientific_text.h"

#include <cmath>

#include "engine/number_text.h"

namespace korvex {

std::string ScientificText(long double value, char separator) {
  // INF or NAN would never leave the scaling loops.
  if (!std::isfinite(value)) return FloatToStr(value, separator);
  // The extended value nearest 0.1; multiplying by it, not dividing by ten,
  // is what makes 1000 stop at exactly 10.
  constexpr long double kTenth = 0.1L;
  std::string sign;
  long double x = value;
  if (x < 0) {
    sign = "-";
    x = -x;
  }
  long exponent = 0;
  if (x != 0) {
    if (x >= 1) {
      while (x > 10) {
        x *= kTenth;
        ++exponent;
      }
    } else {
      while (x < 1) {
        x *= 10;
        --exponent;
      }
    }
  }
  return sign + FloatToStr(x, separator) + "*10^" + std::to_string(exponent);
}

}  // namespace korvex
