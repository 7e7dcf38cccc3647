// Factorials, combinatorial counts, integer sequences, primes, divisibility and
// binary digit counts as ComputeFunction computes them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"
#include "engine/number_text.h"
#include "engine/prime_count.h"

namespace korvex {
namespace {

struct Case {
  std::string call;      // as typed, numbers in engine form: "gcd[12;18]"
  std::string expected;  // FloatToStr of the value, or the failure's text
};

// The number text of the call's value, or the text of its arithmetic failure.
std::string Outcome(std::string_view call) {
  const size_t open = call.find('[');
  const std::string name(call.substr(0, open));
  std::vector<long double> values;
  for (size_t start = open + 1;;) {
    const size_t end = call.find_first_of(";]", start);
    const auto value = StrToFloat(call.substr(start, end - start));
    if (!value) return "bad parameter in " + std::string(call);
    values.push_back(*value);
    if (call[end] == ']') break;
    start = end + 1;
  }
  // Large primepi limits are counted as the calculator counts them.
  const SpawnedPrimeCounter counter(KORVEX_TEST_PRIMECOUNT_HELPER);
  FunctionState state;
  state.prime_counter = &counter;
  try {
    return FloatToStr(ComputeFunction(name, values, state));
  } catch (const ArithmeticFailure& failure) {
    return failure.what();
  }
}

void ExpectOutcomes(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Outcome(c.call), c.expected) << c.call;
}

TEST(FactorialFunctions, ValuesAndOverflow) {
  ExpectOutcomes({
      {"factorial[5]", "120"},
      {"factorial[5,9]", "120"},
      {"factorial[0]", "1"},
      {"factorial[1]", "1"},
      {"factorial[-3]", "1"},
      {"factorial[1754]", "1,97926189010501E4930"},
      {"factorial[1755]", kOverflow},
      {"factorial[1E30]", kOverflow},
      {"doublefactorial[7]", "105"},
      {"doublefactorial[8]", "384"},
      {"doublefactorial[3300]", kOverflow},
      {"multifactorial[10;3]", "280"},
      {"multifactorial[10;0,5]", "1"},
      {"multifactorial[10;20]", "10"},
      {"subfactorial[4]", "9"},
      {"subfactorial[10]", "1334961"},
      {"subfactorial[1]", "0"},
      {"subfactorial[0]", "0"},
      {"hyperfactorial[3]", "108"},
      {"hyperfactorial[0]", "0"},
      {"hyperfactorial[1]", "1"},
      {"hyperfactorial[76]", "2,53574987340095E4876"},
      {"hyperfactorial[77]", kOverflow},
  });
}

TEST(CombinatorialFunctions, ValuesAndFailures) {
  ExpectOutcomes({
      {"pochhammer[3;4]", "360"},
      {"pochhammer[3;0]", "1"},
      {"pochhammer[0,5;3]", "1,875"},
      {"pochhammer[-2,5;3]", "-1,875"},
      {"pochhammer[-3;1E18]", "0"},
      {"pochhammer[2;2000]", kOverflow},
      {"fallingfactorial[5;3]", "60"},
      {"fallingfactorial[5;0]", "1"},
      {"fallingfactorial[-2;2]", "6"},
      {"factorialreal[5]", "118,01916795759"},
      {"factorialreal[0]", "0"},
      {"factorialreal[-1]", "NAN"},
      {"npr[5;2]", "20"},
      {"npr[5;5]", "120"},
      {"npr[0;0]", "0"},
      {"npr[2;5]", "0"},
      {"npr[1755;1]", kOverflow},
      {"ncr[5;2]", "10"},
      {"ncr[5;0]", "0"},
      {"ncr[2;5]", "0"},
      {"ncr[1754;1]", "1754"},
      {"nprreal[5;2]", "20,2218865019161"},
      {"nprreal[5;5]", kDivisionByZero},
      {"ncrreal[5;2]", "10,5376970543218"},
      {"ncrreal[5;5]", kDivisionByZero},
      {"triangleco[1;1;1]", "0,0416666666666667"},
      {"triangleco[2;2;2]", "0,00158730158730159"},
  });
}

TEST(SequenceFunctions, ValuesAndOverflow) {
  ExpectOutcomes({
      {"fibonacci[0]", "0"},
      {"fibonacci[1]", "1"},
      {"fibonacci[2]", "1"},
      {"fibonacci[10]", "55"},
      {"fibonacci[10,9]", "55"},
      {"fibonacci[-4]", "0"},
      {"fibonacci[23601]", "9,28565486665882E4931"},
      {"fibonacci[23602]", kOverflow},
      {"lucas[0]", "2"},
      {"lucas[5]", "11"},
      {"linearrecursion[4;3;1]", "9"},
      {"linearrecursion[0;3;1]", "3"},
      {"linearrecursion[1;3;1]", "1"},
      {"linearrecursion[3;-1;1]", "1"},
      {"linearrecursion[1E18;0;0]", "0"},
      {"fibonaccireal[10]", "55"},
      {"fibonaccireal[0,5]", "0,568864481005783"},
  });
}

TEST(DivisibilityFunctions, ValuesAndFailures) {
  ExpectOutcomes({
      {"prime[97]", "1"},
      {"prime[1]", "0"},
      {"prime[91]", "0"},
      {"prime[7,5]", "0"},
      {"prime[18446744073709551557]", "1"},  // the largest prime below 2^64
      {"prime[18446744073709551616]", "0"},
      {"prime[1E30]", "0"},
      {"primepi[10]", "4"},
      {"primepi[10,5]", "5"},
      {"primepi[1,5]", "1"},
      {"primepi[-7]", "0"},
      {"primepi[1000000]", "78498"},
      {"primepi[1E8]", "5761455"},
      {"primepi[1E9]", "50847534"},
      {"primepi[4294967296]", "203280221"},
      {"primepi[1E12]", "37607912018"},
      {"even[0]", "1"},
      {"even[-4]", "1"},
      {"even[3]", "0"},
      {"even[2,5]", "0"},
      {"odd[-3]", "1"},
      {"odd[4]", "0"},
      {"odd[2,5]", "0"},
      {"quotient[-7;2]", "-3"},
      {"quotient[7,9;2,9]", "3"},
      {"quotient[7;0,5]", kDivisionByZero},
      {"quotient[0,5;0,5]", kInvalidOperation},
      {"mod[-7;2]", "-1"},
      {"mod[7;-2]", "1"},
      {"mod[5,5;2]", "1,5"},
      {"mod[7;0]", "0"},
      {"gcd[12;18]", "6"},
      {"gcd[12,7;18,2]", "6"},
      {"gcd[0;6]", "6"},
      {"gcd[-4;6]", "6"},
      {"gcd[0;0]", "0"},
      {"gcd[1E15;1]", "1"},
      {"gcd[1E27;1E20]", "1E20"},
      {"lcm[4;6]", "12"},
      {"lcm[0;0]", "0"},
      {"lcm[4;0]", "0"},
      {"lcm[0,5;3]", "0,5"},
  });
}

TEST(DigitCountFunctions, CountBinaryDigitsOfTheFloor) {
  ExpectOutcomes({
      {"bitcount[6]", "3"},
      {"digitcount[6]", "2"},
      {"zerocount[6]", "1"},
      {"zerocount[0]", "1"},
      {"bitcount[0]", "1"},
      {"digitcount[255,9]", "8"},
      {"bitcount[-5]", "0"},
      {"bitcount[1E19]", kInvalidOperation},
  });
}

// The plain trial division, independent of the library's shortcuts.
long double TrialDivisionIsPrime(long double x) {
  if (x != std::trunc(x) || x < 2) return 0;
  const long double limit = std::floor(std::sqrt(x)) + 1;
  for (long double d = 2; d < limit; d += 1)
    if (std::fmod(x, d) == 0) return 0;
  return 1;
}

bool TrialDivisionIsPrime(std::uint64_t n) {
  if (n < 2) return false;
  for (std::uint64_t d = 2; d <= n / d; ++d)
    if (n % d == 0) return false;
  return true;
}

long double Compute(std::string_view name, long double x) {
  FunctionState state;
  const long double values[] = {x};
  return ComputeFunction(name, values, state);
}

TEST(PrimeFunctions, AgreeWithTrialDivisionOnQuartersUpTo3000) {
  // The counting loop as written, carried along as x grows.
  long double i = 2;
  long double count = 0;
  for (int k = -12; k <= 12000; ++k) {
    const long double x = k / 4.0L;
    ASSERT_EQ(Compute("prime", x), TrialDivisionIsPrime(x)) << "prime " << static_cast<double>(x);
    for (; i < x + 1; i += 1) count += TrialDivisionIsPrime(i);
    ASSERT_EQ(Compute("primepi", x), count) << "primepi " << static_cast<double>(x);
  }
}

// The counting sieve works in blocks of 2^19 numbers; the counts on either
// side of the first two block edges must agree with one-by-one counting.
TEST(PrimeFunctions, PrimepiAgreesWithTrialDivisionAcrossBlockEdges) {
  std::vector<std::uint64_t> count_up_to(1048600);
  std::uint64_t count = 0;
  for (std::uint64_t n = 0; n < count_up_to.size(); ++n) {
    if (TrialDivisionIsPrime(n)) ++count;
    count_up_to[n] = count;
  }
  for (const long double edge : {524288.0L, 1048576.0L}) {
    for (long double x = edge - 12; x <= edge + 12; x += 0.5L) {
      const auto expected = count_up_to[static_cast<std::uint64_t>(std::ceil(x + 1) - 1)];
      ASSERT_EQ(Compute("primepi", x), static_cast<long double>(expected))
          << static_cast<double>(x);
    }
  }
}

TEST(PrimeFunctions, LargeIntegersAgreeWithTrialDivision) {
  std::vector<std::uint64_t> numbers;
  for (std::uint64_t n = 4294967296 - 300; n < 4294967296 + 300; ++n) numbers.push_back(n);
  for (std::uint64_t n = 1000000000000 - 300; n < 1000000000000 + 300; ++n) numbers.push_back(n);
  // Strong pseudoprimes to the first few prime bases, whose smallest factors
  // trial division finds quickly.
  for (const std::uint64_t n :
       {3215031751ull, 2152302898747ull, 3474749660383ull, 341550071728321ull,
        3825123056546413051ull, 18446744073709551615ull})
    numbers.push_back(n);
  for (const std::uint64_t n : numbers) {
    const long double x = static_cast<long double>(n);
    ASSERT_EQ(Compute("prime", x), TrialDivisionIsPrime(n) ? 1 : 0) << n;
  }
  // A square of the largest prime below 2^32 is not prime.
  const std::uint64_t p = 4294967291;
  ASSERT_TRUE(TrialDivisionIsPrime(p));
  EXPECT_EQ(Compute("prime", static_cast<long double>(p)), 1);
  EXPECT_EQ(Compute("prime", static_cast<long double>(p * p)), 0);
}

}  // namespace
}  // namespace korvex
