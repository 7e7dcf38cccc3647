#include "engine/function_helpers.h"

#include <cmath>

#include "engine/arithmetic.h"

namespace korvex {

long double Ln1p(long double u) { return std::log1p(u); }

long double IntegralPower(long double x, std::int32_t m) {
  std::uint32_t bits = m < 0 ? 0u - static_cast<std::uint32_t>(m) : static_cast<std::uint32_t>(m);
  long double result = 1;
  long double square = x;
  while (bits != 0) {
    if (bits & 1u) result = Multiply(result, square);
    bits >>= 1;
    if (bits != 0) square = Multiply(square, square);
  }
  return m < 0 ? Divide(1, result) : result;
}

}  // namespace korvex
