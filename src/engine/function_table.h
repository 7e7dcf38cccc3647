// ComputeFunction's table: every built-in function by exact name. Each family
// of functions registers its rows from its own file.
#pragma once

#include <cstddef>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/prime_count_memo.h"
#include "engine/stop_flag.h"
#include "engine/string_hash.h"

namespace korvex {

class PrimeCounter;

// Parameter values of one call. Reading past the last value gives 0, so a
// call that skipped the arity check (an empty function catalogue accepts
// every call) cannot read out of bounds.
class FunctionArgs {
 public:
  explicit FunctionArgs(std::span<const long double> values) : values_(values) {}
  long double operator[](std::size_t i) const { return i < values_.size() ? values_[i] : 0.0L; }
  std::size_t size() const { return values_.size(); }
  std::span<const long double> all() const { return values_; }

 private:
  std::span<const long double> values_;
};

// State that functions keep between calls; one per engine, never global.
struct FunctionState {
  FunctionState();
  // `random`: the same sequence at every start (Park-Miller minimal standard,
  // values below 2^31).
  std::minstd_rand0 fixed_generator;
  // `randomrange` and `randomgaussian`: Mersenne twister seeded from the
  // clock once when the engine is created.
  std::mt19937_64 clock_generator;
  // The running request's stop flag, for the loops that can run long.
  const StopFlag* stop = nullptr;
  // Counts primes for primepi's large limits, owned by whoever built the
  // engine; without one they are sieved, which is far slower.
  const PrimeCounter* prime_counter = nullptr;
  // primepi's last count: a plot's next limit is counted on from it.
  PrimeCountMemo prime_memo;
};

using FunctionBody = long double (*)(FunctionArgs args, FunctionState& state);

class FunctionTable {
 public:
  // `keeps_state`: the function reads or changes FunctionState beyond the
  // stop flag and the prime counter (the random numbers), so equal
  // parameters can give different values.
  void Add(std::string name, FunctionBody body, bool keeps_state = false);
  // nullptr for a name no function computes.
  FunctionBody Find(std::string_view name) const;
  bool KeepsState(std::string_view name) const;
  std::size_t size() const { return bodies_.size(); }

 private:
  struct Entry {
    FunctionBody body;
    bool keeps_state;
  };
  std::unordered_map<std::string, Entry, StringHash, std::equal_to<>> bodies_;
};

// The families, one file each.
void RegisterElementaryFunctions(FunctionTable& table);  // trigonometric ... unit conversions
void RegisterIntegerFunctions(FunctionTable& table);     // factorials, sequences, primes, counts
void RegisterPowerFunctions(FunctionTable& table);     // powers, logs, bitwise, relational, random
void RegisterGeometryFunctions(FunctionTable& table);  // figures, solids, sequence sums
void RegisterStatisticsFunctions(FunctionTable& table);  // any number of parameters
void RegisterFinancialFunctions(FunctionTable& table);   // depreciation, time value of money

// Every built-in function; built once, immutable afterwards.
const FunctionTable& BuiltinFunctions();

// The value of the named function for these parameters; 0 for a name that no
// function computes. Arithmetic failures escape as ArithmeticFailure.
long double ComputeFunction(std::string_view name, std::span<const long double> values,
                            FunctionState& state);

}  // namespace korvex
