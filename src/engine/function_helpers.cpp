// Shared helpers of the function families: logarithm and power building
// blocks, factorial products, recursions, primes and the greatest divisor.
#include "engine/function_helpers.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/arithmetic.h"

namespace korvex {

long double Ln1p(long double u) { return std::log1p(u); }

long double RealPower(long double x, long double y) {
  if (x == 0 && y == 0) return 1;
  return std::pow(x, y);
}

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

long double MultiFactorial(long double x, long double k, const StopFlag* stop) {
  const long double n = std::floor(x);
  const long double s = std::floor(k);
  if (n < 1 || s < 1) return 1;
  // Every round multiplies by at least 2, so the overflow check ends the loop
  // within a few thousand rounds whatever n is.
  long double r = n;
  StopPoll poll(stop);
  for (long double d = n - s; d > 1; d -= s) {
    poll();
    r = Multiply(r, d);
  }
  return r;
}

long double RisingFactorial(long double x, long double n, const StopFlag* stop) {
  const long double m = std::floor(n);
  if (m < 1) return 1;
  long double r = x;
  StopPoll poll(stop);
  for (long double i = 1; i <= m - 1; i += 1) {
    poll();
    const long double factor = Add(x, i);
    // A zero product followed only by positive factors stays the same zero;
    // without this, pochhammer[0;1E18] would multiply zeros for ages.
    if (r == 0 && factor >= 0) break;
    r = Multiply(r, factor);
  }
  return r;
}

long double Stirling(long double x) {
  const long double s = std::sqrt(Multiply(Multiply(2, x), kDoublePi));
  const long double t = Multiply(x, kInverseE);
  return Multiply(RealPower(t, x), s);
}

long double LinearRecursion(long double x, long double a, long double b, const StopFlag* stop) {
  const long double n = std::floor(x);
  if (n < 1) return a;
  if (n == 1) return b;
  // Two zero terms only ever produce that zero again. Any other start grows
  // like the Fibonacci numbers and overflows within about 50000 rounds.
  if (a == 0 && b == 0) return a + b;
  long double r = 0;
  bool odd = true;
  StopPoll poll(stop);
  for (long double i = 1; i <= n - 1; i += 1, odd = !odd) {
    poll();
    if (odd) {
      a = Add(a, b);
      r = a;
    } else {
      b = Add(a, b);
      r = b;
    }
  }
  return r;
}

long double TruncatedMod(long double x, long double y) {
  if (y == 0 || x == 0 || !std::isfinite(x)) return 0;
  if (std::isinf(y)) return x;
  return std::fmod(x, y);  // exact, sign of x
}

namespace {

std::uint64_t MulMod(std::uint64_t a, std::uint64_t b, std::uint64_t m) {
  return static_cast<std::uint64_t>(static_cast<unsigned __int128>(a) * b % m);
}

std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t m) {
  std::uint64_t result = 1;
  base %= m;
  while (exponent != 0) {
    if (exponent & 1u) result = MulMod(result, base, m);
    base = MulMod(base, base, m);
    exponent >>= 1;
  }
  return result;
}

// The first twelve primes as witnesses decide every n below 2^64 (more than
// the 3.3E24 up to which this set is known to be exact).
constexpr std::uint64_t kWitnesses[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};

}  // namespace

bool IsPrimeInteger(std::uint64_t n) {
  if (n < 2) return false;
  for (const std::uint64_t p : kWitnesses)
    if (n % p == 0) return n == p;
  std::uint64_t d = n - 1;
  int s = 0;
  while ((d & 1u) == 0) {
    d >>= 1;
    ++s;
  }
  for (const std::uint64_t a : kWitnesses) {
    std::uint64_t y = PowMod(a, d, n);
    if (y == 1 || y == n - 1) continue;
    bool composite = true;
    for (int r = 1; r < s && composite; ++r) {
      y = MulMod(y, y, n);
      if (y == n - 1) composite = false;
    }
    if (composite) return false;
  }
  return true;
}

long double IsPrime(long double x) {
  if (x != Trunc(x) || x < 2) return 0;
  // Trial division and Miller-Rabin agree on every integer below 2^64.
  if (x < 18446744073709551616.0L) return IsPrimeInteger(static_cast<std::uint64_t>(x)) ? 1 : 0;
  // Above 2^64 every integral extended value is even, so this stops at once.
  const long double limit = std::floor(std::sqrt(x)) + 1;
  for (long double d = 2; d < limit; d += 1)
    if (TruncatedMod(x, d) == 0) return 0;
  return 1;
}

namespace {

std::uint64_t IntegerSqrt(std::uint64_t n) {
  std::uint64_t r = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
  while (r > 0 && r > n / r) --r;
  while (r + 1 <= n / (r + 1)) ++r;
  return r;
}

// 32 KiB of odd numbers per segment: the bit for index j stands for 2j + 1.
constexpr std::size_t kSegmentWords = 4096;
constexpr std::uint64_t kSegmentBits = kSegmentWords * 64;

struct SievingPrime {
  std::uint64_t prime;
  std::uint64_t next;  // index of the next odd multiple still to cross out
};

std::vector<SievingPrime> OddPrimesUpTo(std::uint64_t bound) {
  std::vector<SievingPrime> primes;
  std::vector<bool> composite(bound / 2 + 1);
  for (std::uint64_t i = 3; i <= bound; i += 2) {
    if (composite[i / 2]) continue;
    primes.push_back({i, i * i / 2});
    for (std::uint64_t m = i * i; m <= bound; m += 2 * i) composite[m / 2] = true;
  }
  return primes;
}

}  // namespace

std::uint64_t CountPrimes(std::uint64_t limit, std::uint32_t sieve_prime_limit,
                          const StopFlag* stop) {
  if (limit < 2) return 0;
  if (limit < 3) return 1;
  const std::uint64_t root = IntegerSqrt(limit);
  const std::uint64_t bound = std::min<std::uint64_t>(root, sieve_prime_limit);
  std::vector<SievingPrime> primes = OddPrimesUpTo(bound);
  // When the sieve stops short of the square root, what it leaves from
  // (bound + 1)^2 on may be a product of larger primes.
  const bool sieve_decides = bound == root;
  const std::uint64_t undecided_from = sieve_decides ? 0 : (bound + 1) * (bound + 1);

  const std::uint64_t last = (limit - 1) / 2;  // index of the largest odd number <= limit
  std::uint64_t count = 1;                     // the prime 2
  std::vector<std::uint64_t> bits(kSegmentWords);
  for (std::uint64_t low = 0;; low += kSegmentBits) {
    // A segment takes well under a millisecond.
    ThrowIfStopRequested(stop);
    const std::uint64_t high = std::min(last, low + kSegmentBits - 1);
    std::fill(bits.begin(), bits.end(), 0);
    if (low == 0) bits[0] = 1;  // the number 1
    for (SievingPrime& p : primes) {
      if (p.prime * p.prime / 2 > high) break;  // this and every larger prime start later
      std::uint64_t j = p.next;
      for (; j <= high; j += p.prime) bits[(j - low) >> 6] |= std::uint64_t{1} << ((j - low) & 63);
      p.next = j;
    }
    const std::uint64_t size = high - low + 1;
    const std::size_t full_words = size / 64;
    for (std::size_t w = 0; w < full_words; ++w) count += 64 - std::popcount(bits[w]);
    if (size % 64 != 0) {
      const std::uint64_t used = (std::uint64_t{1} << (size % 64)) - 1;
      count += std::popcount(~bits[full_words] & used);
    }
    if (!sieve_decides && 2 * high + 1 >= undecided_from) {
      StopPoll poll(stop);
      for (std::uint64_t j = std::max(low, undecided_from / 2); j <= high; ++j) {
        poll();
        const bool marked = (bits[(j - low) >> 6] >> ((j - low) & 63)) & 1u;
        if (!marked && !IsPrimeInteger(2 * j + 1)) --count;
      }
    }
    if (high == last) break;
  }
  return count;
}

namespace {

// A whole value in [0, 2^63) as an integer, without the control-word changes
// that floor and the x87 conversion cost: plus 2^63 it is exact exactly when
// whole, and its significand is then 2^63 + value. False for any other value.
bool WholeBelowTwoTo63(long double value, std::uint64_t& whole) {
  constexpr long double kShift = 9223372036854775808.0L;  // 2^63
  if (!(value >= 0 && value < kShift)) return false;
  const long double shifted = value + kShift;
  if (shifted - kShift != value) return false;
  std::uint64_t significand;
  std::memcpy(&significand, &shifted, sizeof significand);
  whole = significand - (1ULL << 63);
  return true;
}

}  // namespace

std::uint64_t WholeGcd(std::uint64_t u, std::uint64_t v) {
  while (v != 0) {
    const std::uint64_t r = u % v;
    u = v;
    v = r;
  }
  return u;
}

long double Gcd(long double x, long double y) {
  // Plots of gcd mostly pass whole operands: floor leaves them as they are.
  std::uint64_t u;
  std::uint64_t v;
  if (WholeBelowTwoTo63(x, u) && WholeBelowTwoTo63(y, v)) {
    if (u < v) std::swap(u, v);
    if (u == 0) return 0;
    return static_cast<long double>(WholeGcd(u, v));
  }
  long double a = std::floor(x);
  long double b = std::floor(y);
  if (a < b) std::swap(a, b);
  if (a < 1) return 0;
  if (b < 1) return a;
  // Both steps are exact, so below 2^64 the integer remainder gives the same
  // value several times faster.
  if (a < 18446744073709551616.0L && b >= 1)  // b >= 1 leaves out NAN
    return static_cast<long double>(
        WholeGcd(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b)));
  // fmod is the exact a - q*b for the largest integer q with q*b <= a, so no
  // quotient is ever searched for and huge integral values stay exact.
  while (b != 0) {
    const long double r = std::fmod(a, b);
    a = b;
    b = r;
  }
  return a;
}

}  // namespace korvex
