#include "engine/compiled_sample.h"

#include <span>

#include "engine/arithmetic.h"
#include "engine/number_text.h"
#include "engine/operator_apply.h"
#include "engine/stop_flag.h"

namespace korvex {

void CompiledSample::Clear() {
  operations_.clear();
  parameters_.clear();
  values_.assign(kInputCount, 0);
  constant_.assign(kInputCount, false);
  folded_written_.assign(kInputCount, 0);
  uses_second_input_ = false;
  result_ = 0;
  result_is_constant_ = false;
  constant_text_.clear();
  rejected_ = false;
  ready_ = false;
}

CompiledSample::Ref CompiledSample::NewValue(long double initial, bool constant) {
  values_.push_back(initial);
  constant_.push_back(constant);
  folded_written_.push_back(0);
  return static_cast<Ref>(values_.size() - 1);
}

std::optional<CompiledSample::Ref> CompiledSample::Folded(const Ref* operands, std::size_t count,
                                                          long double result) {
  bool all_constant = true;
  for (std::size_t k = 0; k < count; ++k) {
    if (operands[k] == 1) uses_second_input_ = true;
    all_constant = all_constant && constant_[operands[k]];
  }
  if (!all_constant) return std::nullopt;
  const auto read_back = RoundThroughNumberText(result);
  if (!read_back) return std::nullopt;
  const Ref folded = NewValue(*read_back, true);
  folded_written_[folded] = result;
  return folded;
}

CompiledSample::Ref CompiledSample::AddConstant(long double value) { return NewValue(value, true); }

CompiledSample::Ref CompiledSample::AddOperator(char op, Ref left, Ref right, long double value) {
  const Ref operands[] = {left, right};
  if (const auto folded = Folded(operands, 2, value)) return *folded;
  std::uint8_t from_previous = 0;
  if (!operations_.empty()) {
    const Ref previous = operations_.back().result;
    from_previous =
        static_cast<std::uint8_t>((left == previous ? 1 : 0) | (right == previous ? 2 : 0));
  }
  const Ref result = NewValue(0, false);
  operations_.push_back({nullptr, op, 2, result, {left, right}, from_previous});
  return result;
}

CompiledSample::Ref CompiledSample::AddFunction(FunctionBody body,
                                                const std::vector<Ref>& parameters,
                                                long double value) {
  if (const auto folded = Folded(parameters.data(), parameters.size(), value)) return *folded;
  const auto first = static_cast<std::uint32_t>(parameters_.size());
  parameters_.insert(parameters_.end(), parameters.begin(), parameters.end());
  const Ref result = NewValue(0, false);
  operations_.push_back(
      {body, 0, static_cast<std::uint32_t>(parameters.size()), result, {first, 0}, 0});
  if (parameters.size() > arguments_.size()) arguments_.resize(parameters.size());
  return result;
}

void CompiledSample::Finish(Ref result, const std::string* constant_text) {
  result_ = result;
  if (result == 1) uses_second_input_ = true;
  result_is_constant_ = constant_[result];
  result_is_last_ = !operations_.empty() && operations_.back().result == result;
  if (constant_text != nullptr)
    constant_text_ = *constant_text;
  else if (result_is_constant_)
    constant_text_ = FloatToStr(folded_written_[result]);
  ready_ = !rejected_;
}

template <bool kTrackWritten>
bool CompiledSample::Replay(long double& written, FunctionState& state) {
  long double* const values = values_.data();
  const Ref* const parameters = parameters_.data();
  const Ref last = result_;
  // The newest result stays in a register for the operation after it.
  long double previous = 0;
  long double result = 0;
  for (const Operation& operation : operations_) {
    if (operation.op != 0) {
      const long double left =
          (operation.from_previous & 1) != 0 ? previous : values[operation.operands[0]];
      const long double right =
          (operation.from_previous & 2) != 0 ? previous : values[operation.operands[1]];
      result = ApplyOperator(operation.op, left, right);
    } else if (operation.body == nullptr) {
      result = 0;
    } else if (operation.parameter_count == 1) {
      // One parameter is already a span of its own.
      const Ref only = parameters[operation.operands[0]];
      result = operation.body(FunctionArgs(std::span<const long double>(values + only, 1)), state);
    } else {
      const Ref* refs = parameters + operation.operands[0];
      long double* arguments = arguments_.data();
      for (std::uint32_t k = 0; k < operation.parameter_count; ++k) arguments[k] = values[refs[k]];
      result = operation.body(
          FunctionArgs(std::span<const long double>(arguments, operation.parameter_count)), state);
    }
    const auto read_back = RoundThroughNumberText(result);
    if (!read_back) [[unlikely]]
      return false;
    previous = *read_back;
    values[operation.result] = previous;
    if constexpr (kTrackWritten) {
      if (operation.result == last) written = result;
    }
  }
  if constexpr (!kTrackWritten) written = result;
  return true;
}

std::optional<CompiledSample::Outcome> CompiledSample::Run(long double plus_input,
                                                           long double minus_input,
                                                           FunctionState& state) {
  // The inputs are number texts in the token list, so they are read back
  // like every result.
  long double* const values = values_.data();
  const auto plus = RoundThroughNumberText(plus_input);
  if (!plus) return std::nullopt;
  values[0] = *plus;
  if (uses_second_input_) {
    const auto minus = RoundThroughNumberText(minus_input);
    if (!minus) return std::nullopt;
    values[1] = *minus;
  }
  long double written = result_ == 1 ? minus_input : plus_input;
  try {
    const bool replayed =
        result_is_last_ ? Replay<false>(written, state) : Replay<true>(written, state);
    if (!replayed) return std::nullopt;
  } catch (const Cancelled&) {
    throw;
  } catch (const std::exception&) {
    // The token engine reports it, or lets it escape, as it always has.
    return std::nullopt;
  }
  if (result_is_constant_) written = values[result_];
  return Outcome{values[result_], written};
}

}  // namespace korvex
