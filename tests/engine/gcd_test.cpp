// Gcd's integer remainder below 2^64 against Euclid's algorithm on exact
// extended remainders, on random and edge operands.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "engine/function_helpers.h"

namespace korvex {
namespace {

long double FmodGcd(long double x, long double y) {
  long double a = std::floor(x);
  long double b = std::floor(y);
  if (a < b) std::swap(a, b);
  if (a < 1) return 0;
  if (b < 1) return a;
  while (b != 0) {
    const long double r = std::fmod(a, b);
    a = b;
    b = r;
  }
  return a;
}

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(Gcd, IntegerRemainderGivesTheExtendedResult) {
  std::vector<std::pair<long double, long double>> pairs = {
      {12, 18},
      {18446744073709551615.0L, 3},
      {18446744073709551616.0L, 6},
      {1e19L, 4e18L},
      {9007199254740993.0L, 3},
      {7.9L, 2.5L},
      {-4, 6},
      {0, 5},

      {1, 1},
      {10000000, 9999},
      {18446744073709551614.0L, 9223372036854775807.0L}};
  std::mt19937_64 random(11);
  for (int i = 0; i < 2000; ++i) {
    const auto a = static_cast<long double>(random() >> (random() % 64));
    const auto b = static_cast<long double>(random() >> (random() % 64));
    pairs.push_back({a, b});
  }
  for (const auto& [x, y] : pairs)
    EXPECT_TRUE(SameBits(Gcd(x, y), FmodGcd(x, y)))
        << static_cast<double>(x) << ", " << static_cast<double>(y);
}

}  // namespace
}  // namespace korvex
