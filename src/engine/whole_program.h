// A recorded plot sample run on 64-bit integers. Where every value of a
// sample is a whole number of moderate size, the extended arithmetic is exact
// and so is rounding through a number text, so integers give the very values
// of the extended replay at a fraction of its cost. A sample that leaves that
// ground (a fraction, an overflow, a result that would be -0) is left to the
// extended replay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/function_table.h"

namespace korvex {

// Whole values below this magnitude are what the integer replay takes: their
// extended sums, differences and products are exact (below 2^63), and rounded
// to the 15 significant digits of a number text they stay below 2^63.
inline constexpr std::int64_t kWholeLimit = 9'000'000'000'000'000'000;
// Whole values below 10^15 are their own number text.
inline constexpr std::int64_t kWholeTextLimit = 1'000'000'000'000'000;

// `value` as a whole number of magnitude below kWholeLimit; false for any
// other value, -0 included (a plotted x keeps its sign in the chart).
bool AsWhole(long double value, std::int64_t& whole);

// What a whole value below kWholeLimit reads back as once written as a number
// text: itself below 10^15, otherwise rounded to 15 significant digits with an
// exact tie away from zero, as RoundThroughNumberText rounds.
std::int64_t RoundWholeBeyondTextDigits(std::int64_t value);
inline std::int64_t RoundWholeThroughNumberText(std::int64_t value) {
  if (value < kWholeTextLimit && value > -kWholeTextLimit) [[likely]]
    return value;
  return RoundWholeBeyondTextDigits(value);
}

class WholeProgram {
 public:
  // References index the recording's values: input 0 is the plot variable.
  using Ref = std::uint32_t;
  static constexpr std::size_t kLanes = 64;
  static constexpr std::size_t kMaxValues = 16384;

  // Built alongside a recording, in its order; anything without an integer
  // form leaves the program unusable.
  void Start(std::size_t value_count);
  void SetConstant(Ref value, long double constant);
  void AddOperator(char op, Ref left, Ref right, Ref result);
  void AddFunction(FunctionBody body, std::span<const Ref> parameters, Ref result);
  void Finish(Ref result);
  bool ready() const { return ready_; }

  struct Outcome {
    std::int64_t y;        // the value the plot reads
    std::int64_t written;  // the value whose number text token 0 holds
  };
  // Samples of whole inputs below 10^15, side by side: the count of leading
  // samples computed into `outcomes`; the sample after them (if any of
  // `inputs` is left) is one the extended replay must take.
  std::size_t RunBlock(std::span<const std::int64_t> inputs, Outcome* outcomes);

 private:
  struct Step {
    char op;  // + - * /, or 0 for a function
    bool (*kernel)(const std::int64_t* arguments, std::int64_t& result);
    Ref result;
    std::uint32_t parameter_count;
    Ref operands[2];  // an operator's left and right; a function's first parameter index
  };
  void Unusable() { usable_ = false; }

  std::vector<Step> steps_;
  std::vector<Ref> parameters_;
  // Value r of lane k at r * kLanes + k; constants filled once.
  std::vector<std::int64_t> values_;
  std::vector<bool> known_;  // inputs, constants and results already defined
  Ref result_ = 0;
  bool usable_ = false;
  bool ready_ = false;
};

}  // namespace korvex
