// A plot sample's reductions, recorded once while the token engine evaluates
// the first sample of a run and replayed on plain values for the later ones.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/function_table.h"
#include "engine/whole_program.h"

namespace korvex {

// The replay does what the token engine does between two reductions: every
// result is written as a number text and read back by the next reduction, so
// each one passes through RoundThroughNumberText. Which reductions run, in
// which order and on which operands follows from the expression's shape
// alone; what can differ from sample to sample is a result that does not
// read back or a failure, and those the replay leaves to the token engine.
class CompiledSample {
 public:
  // Operand and result references index one value array: the sample inputs
  // first (the texts a plot writes into the list: x, or x + epsilon and
  // x - epsilon for the derivative), then constants and results.
  using Ref = std::uint32_t;
  static constexpr Ref kInputCount = 2;

  // Recording, in the order the token engine reduces. `result` is what the
  // reduction computed in the recorded sample: one whose operands are all
  // constants gives it in every sample, so it becomes a constant itself.
  void Clear();
  Ref AddConstant(long double value);
  Ref AddOperator(char op, Ref left, Ref right, long double result);
  Ref AddFunction(FunctionBody body, const std::vector<Ref>& parameters, long double result);
  // A reduction the replay cannot repeat (a function with state, a name that
  // is itself a sample's value): the run stays on the token engine.
  void Reject() { rejected_ = true; }
  // The evaluation succeeded and `result` is what token 0 holds; a constant
  // keeps its own text.
  void Finish(Ref result, const std::string* constant_text);

  bool ready() const { return ready_; }
  std::size_t operation_count() const { return operations_.size(); }

  struct Outcome {
    long double y;        // the value the plot reads from token 0
    long double written;  // the value whose number text token 0 holds
  };
  // One sample; nothing where the token engine must evaluate it instead
  // (a result without a number text to read back, an arithmetic failure).
  // Cancelled still escapes.
  std::optional<Outcome> Run(long double plus_input, long double minus_input, FunctionState& state);

  // Several samples side by side. Within one sample every reduction waits for
  // the rounding of the one before; taking each reduction for all the lanes
  // before the next lets those waits overlap, and the replay decides what
  // each reduction is once for all of them.
  static constexpr std::size_t kLanes = 4;
  struct Lanes {
    std::size_t count = 0;  // lanes in use, 1..kLanes
    long double plus_input[kLanes];
    long double minus_input[kLanes];
    Outcome outcome[kLanes];
    bool replayed[kLanes];  // false: the token engine evaluates that sample
    // False when a reduction threw (Cancelled included): the lanes' samples
    // are then to be run one by one, so that a failure or a cancel falls on
    // the sample it belongs to.
    bool complete = true;
  };
  void RunLanes(Lanes& lanes, FunctionState& state);
  // When token 0 is a constant of the expression, its text (the value text
  // of every sample); otherwise null and the text is FloatToStr(written).
  const std::string* constant_text() const {
    return result_is_constant_ ? &constant_text_ : nullptr;
  }
  // The same recording on integers, where it has an integer form: the plot
  // variable alone as input, every constant whole, only + - * / and
  // functions with a whole-number kernel. Null otherwise.
  WholeProgram* whole() { return whole_.ready() ? &whole_ : nullptr; }

 private:
  // Flat and small, so the replay walks one array: an operator keeps its two
  // operands in place, a function points into parameters_.
  struct Operation {
    FunctionBody body;  // null for an operator (and for a name no function computes)
    char op;            // the operator, 0 for a function
    std::uint32_t parameter_count;
    Ref result;
    Ref operands[2];  // an operator's left and right; a function's first parameter index
  };
  Ref NewValue(long double initial, bool constant);
  void BuildWholeProgram();
  // The operations on the lanes of values_; escapes what a reduction throws.
  void ReplayLanes(Lanes& lanes, FunctionState& state);
  // One lane's function call.
  long double Call(const Operation& operation, std::size_t lane, FunctionState& state);
  // A reduction of constants: its read-back value as a new constant, or
  // nothing when it must be replayed.
  std::optional<Ref> Folded(const Ref* operands, std::size_t count, long double result);

  std::vector<Operation> operations_;
  std::vector<Ref> parameters_;
  // Inputs, constants and results, kLanes copies of each side by side (value
  // r of lane k at r * kLanes + k); constants are written once when recorded.
  std::vector<long double> values_;
  // Per value: a constant, and for a folded reduction the value it wrote
  // (its number text is token 0's text when it is the last one).
  std::vector<bool> constant_;
  std::vector<long double> folded_written_;
  bool uses_second_input_ = false;
  // Parameters of a function of several, gathered side by side.
  std::vector<long double> arguments_;
  Ref result_ = 0;
  bool result_is_constant_ = false;
  std::string constant_text_;
  bool rejected_ = false;
  bool ready_ = false;
  WholeProgram whole_;
};

}  // namespace korvex
