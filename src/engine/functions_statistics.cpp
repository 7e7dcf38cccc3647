// Statistics over any number of parameters: count, sum, mean, extremes,
// median, sums of squares, variances and standard deviations.
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"

namespace korvex {
namespace {

// The values are rounded to double precision first; the sums are then formed
// in extended precision. A value beyond the double range overflows, as the
// store into a double would on the 80-bit unit.
std::vector<double> AsDoubles(FunctionArgs args) {
  std::vector<double> values;
  values.reserve(args.size());
  for (const long double value : args.all()) {
    const double rounded = static_cast<double>(value);
    if (std::isinf(rounded) && std::isfinite(value)) throw ArithmeticFailure(kOverflow);
    values.push_back(rounded);
  }
  return values;
}

long double Square(long double x) { return std::pow(x, 2.0L); }

// n, S = sum of the values and Q = sum of their squares.
struct Sums {
  long double count = 0;
  long double sum = 0;
  long double squares = 0;
};

Sums SumsOf(FunctionArgs args) {
  Sums sums;
  for (const double value : AsDoubles(args)) {
    sums.count = sums.count + 1;
    sums.sum = Add(sums.sum, value);
    sums.squares = Add(sums.squares, Square(value));
  }
  return sums;
}

// T = Q - S^2 / n, the sum of squared deviations in its one-pass form. For
// equal values rounding can leave T a few units below zero, which would make
// the deviations NAN; a sum of squares is never negative.
long double Deviations(const Sums& s) {
  const long double t = Subtract(s.squares, Divide(Square(s.sum), s.count));
  return t < 0 ? 0 : t;
}

long double PopulationVariance(FunctionArgs args) {
  const Sums s = SumsOf(args);
  return Divide(Deviations(s), s.count);
}

// A single value gives 0 / 0.
long double SampleVariance(FunctionArgs args) {
  const Sums s = SumsOf(args);
  return Divide(Deviations(s), Subtract(s.count, 1));
}

// An empty list cannot come from an expression; it gives 0 like a missing
// parameter does.
long double Extreme(FunctionArgs args, bool largest) {
  const std::vector<double> values = AsDoubles(args);
  if (values.empty()) return 0;
  double extreme = values[0];
  for (const double value : values) {
    if (largest ? value > extreme : value < extreme) extreme = value;
  }
  return extreme;
}

long double Median(FunctionArgs args, const StopFlag* stop) {
  std::vector<double> values = AsDoubles(args);
  const std::size_t n = values.size();
  if (n == 0) return 0;
  // Insertion sort: each value moves down past every larger one before it.
  for (std::size_t i = 1; i < n; ++i) {
    if (i % 1024 == 0) ThrowIfStopRequested(stop);
    const double value = values[i];
    std::size_t j = i;
    for (; j > 0 && values[j - 1] > value; --j) values[j] = values[j - 1];
    values[j] = value;
  }
  if (n % 2 == 1) return values[(n + 1) / 2 - 1];
  return Multiply(Add(values[n / 2 - 1], values[n / 2]), 0.5L);
}

struct Entry {
  const char* name;
  FunctionBody body;
};

const Entry kStatisticsFunctions[] = {
    {"count", [](FunctionArgs a, FunctionState&) { return static_cast<long double>(a.size()); }},
    {"sum", [](FunctionArgs a, FunctionState&) { return SumsOf(a).sum; }},
    {"mean",
     [](FunctionArgs a, FunctionState&) {
       const Sums s = SumsOf(a);
       return Divide(s.sum, s.count);
     }},
    {"min", [](FunctionArgs a, FunctionState&) { return Extreme(a, false); }},
    {"max", [](FunctionArgs a, FunctionState&) { return Extreme(a, true); }},
    {"median", [](FunctionArgs a, FunctionState& s) { return Median(a, s.stop); }},
    {"sumsquares", [](FunctionArgs a, FunctionState&) { return SumsOf(a).squares; }},
    {"norm", [](FunctionArgs a, FunctionState&) { return std::sqrt(SumsOf(a).squares); }},
    {"statvar", [](FunctionArgs a, FunctionState&) { return Deviations(SumsOf(a)); }},
    {"popvar", [](FunctionArgs a, FunctionState&) { return PopulationVariance(a); }},
    {"var", [](FunctionArgs a, FunctionState&) { return SampleVariance(a); }},
    {"popstddev", [](FunctionArgs a, FunctionState&) { return std::sqrt(PopulationVariance(a)); }},
    {"stddev", [](FunctionArgs a, FunctionState&) { return std::sqrt(SampleVariance(a)); }},
};

}  // namespace

void RegisterStatisticsFunctions(FunctionTable& table) {
  for (const Entry& entry : kStatisticsFunctions) table.Add(entry.name, entry.body);
}

}  // namespace korvex
