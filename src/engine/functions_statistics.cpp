// Statistics over any number of parameters: count, sum, mean, extremes,
// median, sums of squares, variances and standard deviations.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"
#include "engine/stop_flag.h"

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

// Stable merge sort of values[0..n) by <, bottom up: runs of kRun values are
// sorted by insertion, then merged in passes of doubling width through the
// buffer. A stop request is polled every kStopPollWork values moved, so even
// a single pass over a long list ends quickly.
constexpr std::size_t kRun = 32;
constexpr std::size_t kStopPollWork = 1 << 16;

void MergeSort(double* values, double* buffer, std::size_t n, const StopFlag* stop) {
  std::size_t work = 0;
  auto count = [&](std::size_t moved) {
    work += moved;
    if (work >= kStopPollWork) {
      work = 0;
      ThrowIfStopRequested(stop);
    }
  };
  for (std::size_t start = 0; start < n; start += kRun) {
    const std::size_t end = std::min(n, start + kRun);
    // Each value moves down past every larger one before it.
    for (std::size_t i = start + 1; i < end; ++i) {
      const double value = values[i];
      std::size_t j = i;
      for (; j > start && values[j - 1] > value; --j) values[j] = values[j - 1];
      values[j] = value;
    }
    count((end - start) * 8);
  }
  double* from = values;
  double* to = buffer;
  for (std::size_t width = kRun; width < n; width *= 2) {
    for (std::size_t low = 0; low < n; low += 2 * width) {
      const std::size_t middle = std::min(n, low + width);
      const std::size_t high = std::min(n, low + 2 * width);
      std::size_t i = low;
      std::size_t j = middle;
      std::size_t k = low;
      // The right value goes first only when it is smaller: equal values
      // keep their order.
      while (i < middle && j < high) to[k++] = from[j] < from[i] ? from[j++] : from[i++];
      while (i < middle) to[k++] = from[i++];
      while (j < high) to[k++] = from[j++];
      count(high - low);
    }
    std::swap(from, to);
  }
  if (from != values) std::copy(from, from + n, values);
}

// Sorts as an insertion sort that moves each value down past every larger one
// before it would, in O(n log n): ascending, equal values (zeros of either
// sign too) in their given order. A NAN is larger and smaller than nothing, so
// such a sort moves no value past one: each stretch between NANs is sorted on
// its own and the NANs keep their places.
void SortValues(std::vector<double>& values, const StopFlag* stop) {
  const std::size_t n = values.size();
  std::vector<double> buffer(n);
  for (std::size_t start = 0; start < n;) {
    if (std::isnan(values[start])) {
      ++start;
      continue;
    }
    std::size_t end = start;
    while (end < n && !std::isnan(values[end])) ++end;
    MergeSort(values.data() + start, buffer.data(), end - start, stop);
    start = end;
  }
}

long double Median(FunctionArgs args, const StopFlag* stop) {
  std::vector<double> values = AsDoubles(args);
  const std::size_t n = values.size();
  if (n == 0) return 0;
  SortValues(values, stop);
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
