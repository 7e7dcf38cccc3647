// The shared helpers whose shortcuts must agree with the plain algorithms:
// the prime count with a shortened sieve, and Euclid on large integers.
#include "engine/function_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

namespace korvex {
namespace {

bool TrialDivisionIsPrime(std::uint64_t n) {
  if (n < 2) return false;
  for (std::uint64_t d = 2; d <= n / d; ++d)
    if (n % d == 0) return false;
  return true;
}

// With a low sieve limit the numbers the sieve leaves are tested one by one;
// every split between sieve and test must give the same counts.
TEST(CountPrimes, AgreesWithTrialDivisionForEverySieveLimit) {
  constexpr std::uint64_t kTop = 600000;
  std::vector<std::uint64_t> count_up_to(kTop + 1);
  std::uint64_t count = 0;
  for (std::uint64_t n = 0; n <= kTop; ++n) {
    if (TrialDivisionIsPrime(n)) ++count;
    count_up_to[n] = count;
  }
  const std::uint64_t limits[] = {0,  1,  2,    3,      4,      8,      9,      25,  48,
                                  49, 50, 1000, 524287, 524288, 524289, 524290, kTop};
  for (const std::uint32_t sieve_limit : {2u, 10u, 100u, 1000u, kSievePrimeLimit}) {
    for (const std::uint64_t limit : limits) {
      ASSERT_EQ(CountPrimes(limit, sieve_limit), count_up_to[limit])
          << "limit " << limit << " sieve " << sieve_limit;
    }
  }
}

TEST(Gcd, IsExactOnLargeIntegers) {
  std::mt19937_64 generator(7);
  for (int i = 0; i < 2000; ++i) {
    // A shared factor makes the answers interesting; all values stay below
    // 2^64 so that they are exact in the extended format.
    const std::uint64_t common = generator() >> 40;
    const std::uint64_t a = (generator() >> 24) * common;
    const std::uint64_t b = (generator() >> 30) * common;
    ASSERT_EQ(Gcd(static_cast<long double>(a), static_cast<long double>(b)),
              static_cast<long double>(std::gcd(a, b)))
        << a << " " << b;
  }
  EXPECT_EQ(Gcd(1e15L, 1), 1);
  EXPECT_EQ(Gcd(18446744073709551615.0L, 4294967295.0L), 4294967295.0L);
}

}  // namespace
}  // namespace korvex
