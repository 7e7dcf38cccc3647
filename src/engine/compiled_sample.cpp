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
  const auto first = static_cast<std::uint32_t>(parameters_.size());
  parameters_.push_back(left);
  parameters_.push_back(right);
  const Ref result = NewValue(0, false);
  operations_.push_back({nullptr, op, first, 2, result});
  return result;
}

CompiledSample::Ref CompiledSample::AddFunction(FunctionBody body,
                                                const std::vector<Ref>& parameters,
                                                long double value) {
  if (const auto folded = Folded(parameters.data(), parameters.size(), value)) return *folded;
  const auto first = static_cast<std::uint32_t>(parameters_.size());
  parameters_.insert(parameters_.end(), parameters.begin(), parameters.end());
  const Ref result = NewValue(0, false);
  operations_.push_back({body, 0, first, static_cast<std::uint32_t>(parameters.size()), result});
  if (parameters.size() > arguments_.size()) arguments_.resize(parameters.size());
  return result;
}

void CompiledSample::Finish(Ref result, const std::string* constant_text) {
  result_ = result;
  if (result == 1) uses_second_input_ = true;
  result_is_constant_ = constant_[result];
  if (constant_text != nullptr)
    constant_text_ = *constant_text;
  else if (result_is_constant_)
    constant_text_ = FloatToStr(folded_written_[result]);
  ready_ = !rejected_;
}

std::optional<CompiledSample::Outcome> CompiledSample::Run(long double plus_input,
                                                           long double minus_input,
                                                           FunctionState& state) {
  // The inputs are number texts in the token list, so they are read back
  // like every result.
  long double written = plus_input;
  if (result_ == 1) written = minus_input;
  long double* values = values_.data();
  const auto plus = RoundThroughNumberText(plus_input);
  if (!plus) return std::nullopt;
  values[0] = *plus;
  if (uses_second_input_) {
    const auto minus = RoundThroughNumberText(minus_input);
    if (!minus) return std::nullopt;
    values[1] = *minus;
  }
  const Ref* parameters = parameters_.data();
  const Ref last = result_;
  try {
    for (const Operation& operation : operations_) {
      const Ref* refs = parameters + operation.first_parameter;
      long double result;
      if (operation.op != 0) {
        result = ApplyOperator(operation.op, values[refs[0]], values[refs[1]]);
      } else if (operation.body == nullptr) {
        result = 0;
      } else {
        long double* arguments = arguments_.data();
        for (std::uint32_t k = 0; k < operation.parameter_count; ++k)
          arguments[k] = values[refs[k]];
        result = operation.body(
            FunctionArgs(std::span<const long double>(arguments, operation.parameter_count)),
            state);
      }
      const auto read_back = RoundThroughNumberText(result);
      if (!read_back) return std::nullopt;
      values[operation.result] = *read_back;
      if (operation.result == last) written = result;
    }
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
