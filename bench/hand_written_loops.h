// The benchmark tests' expressions written by hand, and the loops over a
// test's range that a program written for one expression would run: what a
// plot's cost per sample is measured against.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/number_text.h"
#include "plot/benchmark.h"

namespace korvex::hand_written {

// Range of a test as the plot walks it: repeated addition from the start.
struct Range {
  long double start, stop, increment;
};

inline Range RangeOf(const BenchmarkTest& test) {
  return {*StrToFloat(test.start), *StrToFloat(test.stop), *StrToFloat(test.increment)};
}

// With the calculator's pi and e.
constexpr long double kPi = 3.141592653589793;
constexpr long double kE = 2.718281828459045;

inline long double IntSimple(long double x) { return 2 * x + 4; }

inline long double IntComplex(long double x) {
  const long double e = x * 10 * x;
  const long double d = x - 2 * e * 2 + x;
  const long double c = x + 4 * d * 4 - x;
  const long double b = x - 6 * c * 6 + x;
  const long double a = x + 8 * b * 8 - x;
  return x - 10 * a * 10 + x;
}

inline long double FloatSimple(long double x) { return std::sin(x) + std::cos(1.6L * x); }

inline long double FloatComplex(long double x) {
  const long double inner = 1 + x * (2 - std::log(std::exp(9.0L)) * (kPi + 2 * x));
  return (1.0L / 4 * (std::sqrt(x) * std::cos(inner)) - std::sin(std::sqrt(x)) * kE) /
         std::pow(2.0L, 0 - kPi);
}

// A sieve of Eratosthenes up to x for every sample.
inline long double SievePrimePi(long double x) {
  const auto limit = static_cast<std::size_t>(x);
  std::vector<bool> composite(limit + 1);
  std::size_t count = 0;
  for (std::size_t n = 2; n <= limit; ++n) {
    if (composite[n]) continue;
    ++count;
    for (std::size_t m = n * n; m <= limit; m += n) composite[m] = true;
  }
  return static_cast<long double>(count);
}

// On 64-bit integers, as a program written for speed would.
inline long double EuclidGcd(long double x, std::int64_t y) {
  auto a = static_cast<std::int64_t>(x);
  std::int64_t b = y;
  while (b != 0) {
    const std::int64_t r = a % b;
    a = b;
    b = r;
  }
  return static_cast<long double>(a);
}

// The loop over a range with its expression inlined: nothing is chosen per
// sample.
template <typename Expression>
long double SumOver(const Range& range, std::size_t& points, Expression expression) {
  long double sum = 0;
  points = 0;
  for (long double x = range.start; x < range.stop + range.increment; x += range.increment) {
    sum += expression(x);
    ++points;
  }
  return sum;
}

// Test `test` of the standard table (0..11).
inline long double HandWrittenLoop(std::int64_t test, const Range& range, std::size_t& points) {
  switch (test) {
    case 0:
    case 2:
      return SumOver(range, points, IntSimple);
    case 1:
    case 3:
      return SumOver(range, points, IntComplex);
    case 4:
    case 6:
      return SumOver(range, points, FloatSimple);
    case 5:
    case 7:
      return SumOver(range, points, FloatComplex);
    case 8:
    case 9:
      return SumOver(range, points, SievePrimePi);
    case 10:
      return SumOver(range, points, [](long double x) { return EuclidGcd(x, 10000000); });
    default:
      return SumOver(range, points, [](long double x) { return EuclidGcd(x, 50000000); });
  }
}

}  // namespace korvex::hand_written
