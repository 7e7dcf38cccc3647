// The power family of ComputeFunction: powers, roots, logarithms to a base,
// hypot and roundto, the bitwise and relational operators, random numbers.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "engine/arithmetic.h"
#include "engine/function_helpers.h"
#include "engine/function_table.h"

namespace korvex {
namespace {

// Equal as values, including the sign of zero and NAN equal to NAN.
bool SameValue(long double a, long double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

// Each round depends on r alone, so once a value repeats (a fixed point or
// an alternation of two values) the rest of the rounds are known: the result
// is the same as running them all, and a large height cannot hang the call.
long double PowerTower(long double x, long double y, const StopFlag* stop) {
  const long double rounds = std::floor(y) - 1;
  long double r = x;
  long double before = 0;  // the value one round before r
  StopPoll poll(stop);
  for (long double i = 0; i < rounds;) {
    poll();
    const long double next = (x == 0 && r == 0) ? 1 : std::pow(x, r);
    i += 1;
    if (SameValue(next, r)) return r;
    if (i >= 2 && SameValue(next, before)) return TruncatedMod(rounds - i, 2) == 0 ? next : r;
    before = r;
    r = next;
  }
  return r;
}

long double Log2Of(long double v) {
  if (!(v > 0)) throw ArithmeticFailure(kInvalidOperation);
  return std::log2(v);
}

// The number's logarithm is taken before the base's, so its failure is the
// one reported when both fail.
long double LogToBase(long double x, long double base) {
  const long double numerator = Log2Of(x);
  return Divide(numerator, Log2Of(base));
}

// 10^m correctly rounded to double for every 8-bit m. A power routine can be
// off by one unit here (10^23, and 10^126 when formed in extended first).
double PowerOfTen(std::int8_t m) {
  static const std::array<double, 256> powers = [] {
    std::array<double, 256> table{};
    for (int e = -128; e < 128; ++e) {
      const std::string text = "1e" + std::to_string(e);
      std::from_chars(text.data(), text.data() + text.size(), table[e + 128]);
    }
    return table;
  }();
  return powers[m + 128];
}

// Works in double throughout: the power of ten, the quotient and the product.
long double RoundTo(long double x, long double y) {
  const auto m = static_cast<std::int8_t>(Int32(y));
  const double f = PowerOfTen(m);
  const double q_base = static_cast<double>(x);
  if (std::isinf(q_base) && std::isfinite(x)) throw ArithmeticFailure(kOverflow);
  const double q = q_base / f;
  if (std::isinf(q) && std::isfinite(q_base)) throw ArithmeticFailure(kOverflow);
  const double whole = std::nearbyint(q);  // ties to even in the default rounding mode
  if (!(whole >= -9223372036854775808.0 && whole < 9223372036854775808.0))
    throw ArithmeticFailure(kInvalidOperation);
  return whole * f;
}

long double Random(long double x, FunctionState& state) {
  const std::int64_t m = Int32(Add(x, 1));
  if (m == 0) return 0;
  const std::int64_t r = state.fixed_generator();
  return static_cast<long double>(r % m);
}

long double RandomRange(long double x, long double y, FunctionState& state) {
  const std::int64_t a = Int32(x);
  const std::int64_t b = Int32(Add(y, 1));
  const std::int64_t span = a < b ? b - a : a - b;
  if (span == 0) return static_cast<long double>(a);
  std::uniform_int_distribution<std::int64_t> offset(0, span - 1);
  return static_cast<long double>(std::min(a, b) + offset(state.clock_generator));
}

// The polar method. w = 0 is drawn again as well: ln(0) / 0 has no value.
long double RandomGaussian(long double x, long double y, FunctionState& state) {
  std::uniform_real_distribution<long double> unit(0, 1);
  long double u;
  long double v;
  long double w;
  do {
    u = 2 * unit(state.clock_generator) - 1;
    v = 2 * unit(state.clock_generator) - 1;
    w = v * v + u * u;
  } while (w >= 1 || w == 0);
  return Add(x, Multiply(y, u * std::sqrt(-2 * std::log(w) / w)));
}

struct Row {
  const char* name;
  FunctionBody body;
  bool keeps_state = false;
};

constexpr Row kRows[] = {
    // Powers, roots and logarithms.
    {"power", [](FunctionArgs p, FunctionState&) { return RealPower(p[0], p[1]); }},
    {"integralpower",
     [](FunctionArgs p, FunctionState&) { return IntegralPower(p[0], Int32(p[1])); }},
    {"powertower", [](FunctionArgs p, FunctionState& s) { return PowerTower(p[0], p[1], s.stop); }},
    {"root", [](FunctionArgs p, FunctionState&) { return RealPower(p[1], Divide(1, p[0])); }},
    {"log", [](FunctionArgs p, FunctionState&) { return LogToBase(p[0], p[1]); }},
    {"colog", [](FunctionArgs p, FunctionState&) { return LogToBase(Divide(1, p[0]), p[1]); }},
    {"hypot", [](FunctionArgs p,
                 FunctionState&) { return CheckedResult(std::hypot(p[0], p[1]), p[0], p[1]); }},
    {"roundto", [](FunctionArgs p, FunctionState&) { return RoundTo(p[0], p[1]); }},
    // Bitwise operators on int32 values.
    {"not", [](FunctionArgs p, FunctionState&) -> long double { return ~Int32(p[0]); }},
    {"and",
     [](FunctionArgs p, FunctionState&) -> long double { return Int32(p[0]) & Int32(p[1]); }},
    {"or", [](FunctionArgs p, FunctionState&) -> long double { return Int32(p[0]) | Int32(p[1]); }},
    {"xor",
     [](FunctionArgs p, FunctionState&) -> long double { return Int32(p[0]) ^ Int32(p[1]); }},
    {"nand",
     [](FunctionArgs p, FunctionState&) -> long double { return ~(Int32(p[0]) & Int32(p[1])); }},
    {"nor",
     [](FunctionArgs p, FunctionState&) -> long double { return ~(Int32(p[0]) | Int32(p[1])); }},
    {"xnor",
     [](FunctionArgs p, FunctionState&) -> long double { return ~(Int32(p[0]) ^ Int32(p[1])); }},
    {"lsh",
     [](FunctionArgs p, FunctionState&) -> long double {
       const auto bits = static_cast<std::uint32_t>(Int32(p[0]));
       return static_cast<std::int32_t>(bits << (Int32(p[1]) & 31));
     }},
    {"rsh",
     [](FunctionArgs p, FunctionState&) -> long double {
       return Int32(p[0]) >> (Int32(p[1]) & 31);
     }},
    // Relational operators, compared exactly.
    {"==", [](FunctionArgs p, FunctionState&) -> long double { return p[0] == p[1] ? 1 : 0; }},
    {"!=", [](FunctionArgs p, FunctionState&) -> long double { return p[0] != p[1] ? 1 : 0; }},
    {">", [](FunctionArgs p, FunctionState&) -> long double { return p[0] > p[1] ? 1 : 0; }},
    {">=", [](FunctionArgs p, FunctionState&) -> long double { return p[0] >= p[1] ? 1 : 0; }},
    {"<", [](FunctionArgs p, FunctionState&) -> long double { return p[0] < p[1] ? 1 : 0; }},
    {"<=", [](FunctionArgs p, FunctionState&) -> long double { return p[0] <= p[1] ? 1 : 0; }},
    // Random numbers.
    {"random", [](FunctionArgs p, FunctionState& s) { return Random(p[0], s); }, true},
    {"randomrange", [](FunctionArgs p, FunctionState& s) { return RandomRange(p[0], p[1], s); },
     true},
    {"randomgaussian",
     [](FunctionArgs p, FunctionState& s) { return RandomGaussian(p[0], p[1], s); }, true},
};

}  // namespace

void RegisterPowerFunctions(FunctionTable& table) {
  for (const Row& row : kRows) table.Add(row.name, row.body, row.keeps_state);
}

}  // namespace korvex
