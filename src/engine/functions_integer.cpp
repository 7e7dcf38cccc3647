// The integer family of ComputeFunction: factorials and combinatorial counts,
// integer sequences, primes and divisibility, binary digit counts.
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/arithmetic.h"
#include "engine/bits.h"
#include "engine/function_helpers.h"
#include "engine/function_table.h"
#include "engine/prime_count.h"

namespace korvex {
namespace {

long double Factorial(long double x) { return MultiFactorial(x, 1); }

long double Subfactorial(long double x) {
  const long double n = std::floor(x);
  if (n < 2) return 0;
  const long double f = Factorial(n);
  const long double e_plus_inverse = Add(kDoubleE, RealPower(kDoubleE, -1));
  return Subtract(std::floor(Multiply(f, e_plus_inverse)), std::floor(Multiply(f, kDoubleE)));
}

long double Hyperfactorial(long double x) {
  const long double n = std::floor(x);
  if (n < 1) return 0;
  long double r = 1;
  // The product overflows from n = 77 on, long before i^i itself would.
  for (long double i = 2; i < n + 1; i += 1) r = Multiply(r, RealPower(i, i));
  return r;
}

long double Permutations(long double x, long double y) {
  const long double n = std::floor(x);
  const long double k = std::floor(y);
  if (k > n || n < 1 || k < 1) return 0;
  return Divide(Factorial(n), Factorial(Subtract(n, k)));
}

long double TriangleCoefficient(long double x, long double y, long double z) {
  const long double a = Factorial(Subtract(Add(x, y), z));
  const long double b = Factorial(Add(Subtract(x, y), z));
  const long double c = Factorial(Add(Add(-x, y), z));
  const long double d = Factorial(Add(Add(Add(x, y), z), 1));
  return Divide(Multiply(Multiply(a, b), c), d);
}

long double FibonacciReal(long double x) {
  const long double root5 = std::sqrt(5.0L);
  const long double phi = (root5 + 1) * 0.5L;
  const long double psi = 2 / (root5 + 1);
  const long double alternating = Multiply(std::cos(Multiply(kDoublePi, x)), RealPower(psi, x));
  return Divide(Subtract(RealPower(phi, x), alternating), root5);
}

// Counts i = 2, 3, ... with i < x + 1 and IsPrime(i) = 1. That is every prime
// up to the largest integer below x + 1 (an extended sum, so primepi[10] = 4 and
// primepi[10.5] = 5); from 2^64 on, counting one by one could never end, and
// the count simply runs to the largest 64-bit limit.
long double PrimePi(long double x, FunctionState& state) {
  const long double bound = Add(x, 1);
  if (!(bound > 2)) return 0;
  constexpr long double kTwoTo64 = 18446744073709551616.0L;
  const std::uint64_t limit = bound > kTwoTo64 ? std::numeric_limits<std::uint64_t>::max()
                                               : static_cast<std::uint64_t>(std::ceil(bound) - 1);
  return static_cast<long double>(
      PrimesUpTo(limit, state.stop, state.prime_counter, &state.prime_memo));
}

long double Lcm(long double x, long double y) {
  if (x < 1 && y < 1) return 0;
  return Divide(Multiply(x, y), Gcd(x, y));
}

struct Row {
  const char* name;
  FunctionBody body;
};

constexpr Row kRows[] = {
    // Factorials and combinatorial counts.
    {"factorial", [](FunctionArgs p, FunctionState&) { return Factorial(p[0]); }},
    {"doublefactorial", [](FunctionArgs p, FunctionState&) { return MultiFactorial(p[0], 2); }},
    {"multifactorial",
     [](FunctionArgs p, FunctionState& s) { return MultiFactorial(p[0], p[1], s.stop); }},
    {"subfactorial", [](FunctionArgs p, FunctionState&) { return Subfactorial(p[0]); }},
    {"hyperfactorial", [](FunctionArgs p, FunctionState&) { return Hyperfactorial(p[0]); }},
    {"pochhammer",
     [](FunctionArgs p, FunctionState& s) { return RisingFactorial(p[0], p[1], s.stop); }},
    {"fallingfactorial",
     [](FunctionArgs p, FunctionState&) {
       return Multiply(RealPower(-1, std::floor(p[1])), RisingFactorial(-p[0], p[1]));
     }},
    {"factorialreal", [](FunctionArgs p, FunctionState&) { return Stirling(p[0]); }},
    {"npr", [](FunctionArgs p, FunctionState&) { return Permutations(p[0], p[1]); }},
    {"ncr", [](FunctionArgs p,
               FunctionState&) { return Divide(Permutations(p[0], p[1]), Factorial(p[1])); }},
    {"nprreal",
     [](FunctionArgs p, FunctionState&) {
       return Divide(Stirling(p[0]), Stirling(Subtract(p[0], p[1])));
     }},
    {"ncrreal",
     [](FunctionArgs p, FunctionState&) {
       return Divide(Divide(Stirling(p[0]), Stirling(Subtract(p[0], p[1]))), Stirling(p[1]));
     }},
    {"triangleco",
     [](FunctionArgs p, FunctionState&) { return TriangleCoefficient(p[0], p[1], p[2]); }},
    // Integer sequences.
    {"fibonacci",
     [](FunctionArgs p, FunctionState& s) { return LinearRecursion(p[0], 0, 1, s.stop); }},
    {"lucas", [](FunctionArgs p, FunctionState& s) { return LinearRecursion(p[0], 2, 1, s.stop); }},
    {"linearrecursion",
     [](FunctionArgs p, FunctionState& s) { return LinearRecursion(p[0], p[1], p[2], s.stop); }},
    {"fibonaccireal", [](FunctionArgs p, FunctionState&) { return FibonacciReal(p[0]); }},
    // Primes and divisibility.
    {"prime", [](FunctionArgs p, FunctionState&) { return IsPrime(p[0]); }},
    {"primepi", [](FunctionArgs p, FunctionState& s) { return PrimePi(p[0], s); }},
    {"even",
     [](FunctionArgs p, FunctionState&) -> long double {
       return TruncatedMod(p[0], 2) == 0 ? 1 : 0;
     }},
    {"odd",
     [](FunctionArgs p, FunctionState&) -> long double {
       return TruncatedMod(p[0], 2) != 0 && p[0] == Trunc(p[0]) ? 1 : 0;
     }},
    {"quotient",
     [](FunctionArgs p, FunctionState&) { return Trunc(Divide(Trunc(p[0]), Trunc(p[1]))); }},
    {"mod", [](FunctionArgs p, FunctionState&) { return TruncatedMod(p[0], p[1]); }},
    {"gcd", [](FunctionArgs p, FunctionState&) { return Gcd(p[0], p[1]); }},
    {"lcm", [](FunctionArgs p, FunctionState&) { return Lcm(p[0], p[1]); }},
    // Binary digit counts.
    {"zerocount", [](FunctionArgs p, FunctionState&) { return CountBits(p[0], '0'); }},
    {"digitcount", [](FunctionArgs p, FunctionState&) { return CountBits(p[0], '1'); }},
    {"bitcount", [](FunctionArgs p, FunctionState&) { return CountBits(p[0], 'x'); }},
};

}  // namespace

void RegisterIntegerFunctions(FunctionTable& table) {
  for (const Row& row : kRows) table.Add(row.name, row.body);
}

}  // namespace korvex
