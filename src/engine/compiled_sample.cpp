#include "engine/compiled_sample.h"

#include <limits>
#include <span>

#include "engine/number_text.h"
#include "engine/operator_apply.h"
#include "engine/stop_flag.h"

namespace korvex {

void CompiledSample::Clear() {
  operations_.clear();
  parameters_.clear();
  values_.assign(kInputCount * kLanes, 0);
  constant_.assign(kInputCount, false);
  folded_written_.assign(kInputCount, 0);
  uses_second_input_ = false;
  result_ = 0;
  result_is_constant_ = false;
  constant_text_.clear();
  rejected_ = false;
  ready_ = false;
  whole_ = WholeProgram();
}

CompiledSample::Ref CompiledSample::NewValue(long double initial, bool constant) {
  values_.insert(values_.end(), kLanes, initial);
  constant_.push_back(constant);
  folded_written_.push_back(0);
  return static_cast<Ref>(constant_.size() - 1);
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
  const Ref result = NewValue(0, false);
  operations_.push_back({nullptr, op, 2, result, {left, right}});
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
      {body, 0, static_cast<std::uint32_t>(parameters.size()), result, {first, 0}});
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
  if (ready_ && !result_is_constant_) BuildWholeProgram();
}

void CompiledSample::BuildWholeProgram() {
  whole_.Start(constant_.size());
  for (Ref value = kInputCount; value < constant_.size(); ++value)
    if (constant_[value]) whole_.SetConstant(value, values_[value * kLanes]);
  for (const Operation& operation : operations_) {
    if (operation.op != 0)
      whole_.AddOperator(operation.op, operation.operands[0], operation.operands[1],
                         operation.result);
    else
      whole_.AddFunction(operation.body,
                         std::span<const Ref>(parameters_.data() + operation.operands[0],
                                              operation.parameter_count),
                         operation.result);
  }
  whole_.Finish(result_);
}

namespace {

// What a lane holds once its sample has failed: operators pass it on without
// failing, and no function is called with it.
constexpr long double kNoValue = std::numeric_limits<long double>::quiet_NaN();

}  // namespace

long double CompiledSample::Call(const Operation& operation, std::size_t lane,
                                 FunctionState& state) {
  const long double* const values = values_.data();
  const Ref* refs = parameters_.data() + operation.operands[0];
  if (operation.parameter_count == 1) {
    // One parameter is already a span of its own.
    return operation.body(
        FunctionArgs(std::span<const long double>(values + refs[0] * kLanes + lane, 1)), state);
  }
  long double* arguments = arguments_.data();
  for (std::uint32_t k = 0; k < operation.parameter_count; ++k)
    arguments[k] = values[refs[k] * kLanes + lane];
  return operation.body(
      FunctionArgs(std::span<const long double>(arguments, operation.parameter_count)), state);
}

void CompiledSample::ReplayLanes(Lanes& lanes, FunctionState& state) {
  const std::size_t count = lanes.count;
  long double* const values = values_.data();
  bool failed[kLanes] = {};
  long double written[kLanes];
  // Every result is read back as the token engine reads its text, rounded
  // where it is kept.
  auto read_back = [&](std::size_t lane, long double computed, long double* into) {
    if (!StoreRoundedThroughNumberText(computed, into[lane])) [[unlikely]] {
      into[lane] = kNoValue;
      failed[lane] = true;
    }
  };
  // The inputs are number texts in the token list, so they are read back
  // like every result.
  for (std::size_t lane = 0; lane < count; ++lane) {
    read_back(lane, lanes.plus_input[lane], values);
    if (uses_second_input_) read_back(lane, lanes.minus_input[lane], values + kLanes);
    written[lane] = result_ == 1 ? lanes.minus_input[lane] : lanes.plus_input[lane];
  }

  for (const Operation& operation : operations_) {
    long double* const into = values + operation.result * kLanes;
    // Token 0's text is written from the value before reading back.
    const bool token_zero = operation.result == result_;
    auto finish = [&](std::size_t lane, long double computed) {
      if (token_zero) written[lane] = computed;
      read_back(lane, computed, into);
    };
    if (operation.op != 0) {
      const long double* const left = values + operation.operands[0] * kLanes;
      const long double* const right = values + operation.operands[1] * kLanes;
      // A non-finite result of finite operands is an arithmetic failure on
      // the token engine; here it does not read back, so the token engine
      // takes the sample and fails it there.
      WithOperator<false>(operation.op, [&](auto arithmetic) {
        for (std::size_t lane = 0; lane < count; ++lane)
          finish(lane, arithmetic(left[lane], right[lane]));
      });
    } else if (operation.body == nullptr) {
      for (std::size_t lane = 0; lane < count; ++lane) finish(lane, 0);
    } else {
      for (std::size_t lane = 0; lane < count; ++lane)
        finish(lane, failed[lane] ? kNoValue : Call(operation, lane, state));
    }
  }

  const long double* const results = values + result_ * kLanes;
  for (std::size_t lane = 0; lane < count; ++lane) {
    lanes.replayed[lane] = !failed[lane];
    lanes.outcome[lane] = {results[lane], result_is_constant_ ? results[lane] : written[lane]};
  }
}

void CompiledSample::RunLanes(Lanes& lanes, FunctionState& state) {
  lanes.complete = true;
  try {
    ReplayLanes(lanes, state);
  } catch (const Cancelled&) {
    if (lanes.count == 1) throw;
    lanes.complete = false;
  } catch (const std::exception&) {
    // One sample: the token engine reports it, or lets it escape, as it
    // always has.
    if (lanes.count == 1)
      lanes.replayed[0] = false;
    else
      lanes.complete = false;
  }
}

std::optional<CompiledSample::Outcome> CompiledSample::Run(long double plus_input,
                                                           long double minus_input,
                                                           FunctionState& state) {
  Lanes one;
  one.count = 1;
  one.plus_input[0] = plus_input;
  one.minus_input[0] = minus_input;
  RunLanes(one, state);
  if (!one.replayed[0]) return std::nullopt;
  return one.outcome[0];
}

}  // namespace korvex
