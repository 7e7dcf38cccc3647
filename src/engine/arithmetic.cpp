#include "engine/arithmetic.h"

namespace korvex {

long double CheckedNonFiniteResult(long double result, long double a, long double b) {
  // A NAN operand carries its NAN through quietly; a NAN made from numbers,
  // infinities included (INF-INF, INF/INF, 0*INF), is an invalid operation.
  if (std::isnan(result)) {
    if (std::isnan(a) || std::isnan(b)) return result;
    throw ArithmeticFailure(kInvalidOperation);
  }
  // An infinite result of an infinite operand is exact; of finite ones it
  // is an overflow.
  if (!std::isfinite(a) || !std::isfinite(b)) return result;
  throw ArithmeticFailure(kOverflow);
}

long double Divide(long double a, long double b) {
  if (b == 0 && !std::isnan(a)) {
    if (a == 0) throw ArithmeticFailure(kInvalidOperation);
    if (std::isfinite(a)) throw ArithmeticFailure(kDivisionByZero);
  }
  return CheckedResult(a / b, a, b);
}

long double Sgn(long double x) {
  const double d = static_cast<double>(x);
  if (d < 0) return -1;
  if (d > 0) return 1;
  return 0;
}

long double Trunc(long double x) { return Sgn(x) * std::floor(std::fabs(x)); }

std::int64_t Int64(long double x) {
  // The x87 store of an out-of-range value is an invalid operation.
  const long double t = std::trunc(x);
  if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L))
    throw ArithmeticFailure(kInvalidOperation);
  return static_cast<std::int64_t>(t);
}

std::int32_t Int32(long double x) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(static_cast<std::uint64_t>(Int64(x))));
}

}  // namespace korvex
