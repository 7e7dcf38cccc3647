// Building blocks that several function families share; one definition each.
#pragma once

#include <cstdint>

namespace korvex {

// ln(1 + u) without forming 1 + u when |u| is small.
long double Ln1p(long double u);
// x^m by repeated squaring; x^0 = 1; m < 0 gives 1 / x^|m|. Overflow and a
// zero base with a negative power are arithmetic failures.
long double IntegralPower(long double x, std::int32_t m);

// Integer and combinatorial families.
long double MultiFactorial(long double x, long double k);
long double RisingFactorial(long double x, long double n);
long double Stirling(long double x);
long double LinearRecursion(long double x, long double a, long double b);
long double IsPrime(long double x);
long double Gcd(long double x, long double y);

}  // namespace korvex
