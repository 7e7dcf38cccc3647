// Building blocks that several function families share; one definition each.
#pragma once

#include <cstdint>

#include "engine/stop_flag.h"

namespace korvex {

// pi and e are the nearest doubles, used in extended arithmetic; 1/e is an
// extended constant of its own (not the reciprocal of kDoubleE).
inline constexpr long double kDoublePi = 3.141592653589793;
inline constexpr long double kDoubleE = 2.718281828459045;
inline constexpr long double kInverseE = 0.36787944117144233L;

// ln(1 + u) without forming 1 + u when |u| is small.
long double Ln1p(long double u);
// The real power of the `^` operator: 0^0 = 1; a negative base with a
// non-integral exponent gives NAN and a result beyond the range INF, with no
// failure.
long double RealPower(long double x, long double y);
// x^m by repeated squaring; x^0 = 1; m < 0 gives 1 / x^|m|. Overflow and a
// zero base with a negative power are arithmetic failures.
long double IntegralPower(long double x, std::int32_t m);

// Integer and combinatorial families. The loops that can run long poll
// `stop` and throw Cancelled when it is set.
long double MultiFactorial(long double x, long double k, const StopFlag* stop = nullptr);
long double RisingFactorial(long double x, long double n, const StopFlag* stop = nullptr);
long double Stirling(long double x);
long double LinearRecursion(long double x, long double a, long double b,
                            const StopFlag* stop = nullptr);
long double IsPrime(long double x);
long double Gcd(long double x, long double y);
// Euclid's algorithm on integers; gcd(u, 0) = u.
std::uint64_t WholeGcd(std::uint64_t u, std::uint64_t v);

// The remainder of x / y with the quotient truncated toward zero, so it has
// the sign of x; 0 when y = 0, x = 0 or x is not finite, x when y is infinite.
long double TruncatedMod(long double x, long double y);

// Primality of an integer below 2^64: deterministic Miller-Rabin.
bool IsPrimeInteger(std::uint64_t n);

// Primes up to this bound sieve the count; above it (limits beyond 2^48) the
// numbers the sieve leaves are tested one by one, so memory stays bounded.
inline constexpr std::uint32_t kSievePrimeLimit = 1u << 24;
// The number of primes p <= limit (segmented sieve of odd numbers). A smaller
// sieve_prime_limit only moves work from the sieve to the per-number test.
std::uint64_t CountPrimes(std::uint64_t limit, std::uint32_t sieve_prime_limit = kSievePrimeLimit,
                          const StopFlag* stop = nullptr);

// Polls a stop flag once every 2^16 calls, so a tight loop pays a counter
// increment per round.
class StopPoll {
 public:
  explicit StopPoll(const StopFlag* stop) : stop_(stop) {}
  void operator()() {
    if ((++rounds_ & 0xFFFFu) == 0) ThrowIfStopRequested(stop_);
  }

 private:
  const StopFlag* stop_;
  std::uint32_t rounds_ = 0;
};

}  // namespace korvex
