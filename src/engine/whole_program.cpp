#include "engine/whole_program.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string_view>

#include "engine/function_helpers.h"

namespace korvex {
namespace {

bool Outside(std::int64_t value) { return value >= kWholeLimit || value <= -kWholeLimit; }

// gcd of whole operands as the extended function computes it: the larger
// below 1 gives 0, the smaller below 1 gives the larger, else Euclid.
bool GcdOfWholes(const std::int64_t* arguments, std::int64_t& result) {
  std::int64_t a = std::max(arguments[0], arguments[1]);
  std::int64_t b = std::min(arguments[0], arguments[1]);
  if (a < 1) {
    result = 0;
    return true;
  }
  if (b < 1) {
    result = a;
    return true;
  }
  result = static_cast<std::int64_t>(
      WholeGcd(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b)));
  return true;
}

// Functions whose extended body gives exactly the integer kernel's value for
// every whole parameter below kWholeLimit.
struct WholeKernel {
  std::string_view name;
  std::uint32_t parameter_count;
  bool (*run)(const std::int64_t* arguments, std::int64_t& result);
};
constexpr WholeKernel kWholeKernels[] = {
    {"gcd", 2, GcdOfWholes},
};
constexpr std::uint32_t kMaxKernelParameters = 2;
static_assert(std::ranges::all_of(kWholeKernels, [](const WholeKernel& kernel) {
  return kernel.parameter_count <= kMaxKernelParameters;
}));

}  // namespace

bool AsWhole(long double value, std::int64_t& whole) {
  if (!(value > -static_cast<long double>(kWholeLimit) &&
        value < static_cast<long double>(kWholeLimit)))
    return false;
  const auto truncated = static_cast<std::int64_t>(value);
  if (static_cast<long double>(truncated) != value) return false;
  if (truncated == 0 && std::signbit(value)) return false;
  whole = truncated;
  return true;
}

std::int64_t RoundWholeBeyondTextDigits(std::int64_t value) {
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  // Below 9 * 10^18 at most four digits go.
  std::uint64_t unit = 10;
  while (magnitude / unit >= static_cast<std::uint64_t>(kWholeTextLimit)) unit *= 10;
  std::uint64_t kept = magnitude / unit;
  if (2 * (magnitude % unit) >= unit) ++kept;
  const auto rounded = static_cast<std::int64_t>(kept * unit);
  return value < 0 ? -rounded : rounded;
}

void WholeProgram::Start(std::size_t value_count) {
  steps_.clear();
  parameters_.clear();
  result_ = 0;
  ready_ = false;
  // Every value takes a lane block of its own; an expression long enough to
  // make that megabytes keeps to the extended replay, which holds fewer lanes.
  usable_ = value_count <= kMaxValues;
  if (!usable_) {
    values_.clear();
    known_.assign(1, true);
    return;
  }
  values_.assign(value_count * kLanes, 0);
  known_.assign(value_count, false);
  known_[0] = true;
}

void WholeProgram::SetConstant(Ref value, long double constant) {
  std::int64_t whole = 0;
  if (!usable_ || !AsWhole(constant, whole)) return Unusable();
  std::fill_n(values_.begin() + static_cast<std::ptrdiff_t>(value * kLanes), kLanes, whole);
  known_[value] = true;
}

void WholeProgram::AddOperator(char op, Ref left, Ref right, Ref result) {
  // A power is exact only where the C library's is; the replay leaves it be.
  if (!usable_ || op == '^' || !known_[left] || !known_[right]) return Unusable();
  steps_.push_back({op, nullptr, result, 2, {left, right}});
  known_[result] = true;
}

void WholeProgram::AddFunction(FunctionBody body, std::span<const Ref> parameters, Ref result) {
  if (!usable_) return;
  const WholeKernel* kernel = nullptr;
  for (const WholeKernel& candidate : kWholeKernels)
    if (body != nullptr && BuiltinFunctions().Find(candidate.name) == body) kernel = &candidate;
  if (kernel == nullptr || kernel->parameter_count != parameters.size()) return Unusable();
  for (const Ref parameter : parameters)
    if (!known_[parameter]) return Unusable();
  const auto first = static_cast<Ref>(parameters_.size());
  parameters_.insert(parameters_.end(), parameters.begin(), parameters.end());
  steps_.push_back(
      {0, kernel->run, result, static_cast<std::uint32_t>(parameters.size()), {first, 0}});
  known_[result] = true;
}

void WholeProgram::Finish(Ref result) {
  result_ = result;
  ready_ = usable_ && result < known_.size() && known_[result];
}

std::size_t WholeProgram::RunBlock(std::span<const std::int64_t> inputs, Outcome* outcomes) {
  const std::size_t count = std::min(inputs.size(), kLanes);
  std::int64_t* const values = values_.data();
  std::copy_n(inputs.begin(), count, values);
  std::int64_t written[kLanes];
  if (result_ == 0) std::copy_n(inputs.begin(), count, written);
  // One bit per lane that has left whole numbers.
  std::uint64_t left_whole = 0;

  for (const Step& step : steps_) {
    std::int64_t* const into = values + step.result * kLanes;
    const bool token_zero = step.result == result_;
    // Every result is read back through its number text, as the token engine
    // reads it; token 0's text is written from the value before.
    auto finish = [&](std::size_t lane, std::int64_t computed, bool failed) {
      failed = failed || Outside(computed);
      left_whole |= static_cast<std::uint64_t>(failed) << lane;
      if (failed) computed = 0;
      if (token_zero) written[lane] = computed;
      into[lane] = RoundWholeThroughNumberText(computed);
    };
    if (step.op == 0) {
      std::int64_t arguments[kMaxKernelParameters];
      for (std::size_t lane = 0; lane < count; ++lane) {
        for (std::uint32_t k = 0; k < step.parameter_count; ++k)
          arguments[k] = values[parameters_[step.operands[0] + k] * kLanes + lane];
        std::int64_t computed = 0;
        const bool failed = !step.kernel(arguments, computed);
        finish(lane, computed, failed);
      }
      continue;
    }
    const std::int64_t* const left = values + step.operands[0] * kLanes;
    const std::int64_t* const right = values + step.operands[1] * kLanes;
    // Each operator as a callable of its own type, so the lane loop keeps it
    // inline; true where the integers cannot give the extended result.
    auto each_lane = [&](auto apply) {
      for (std::size_t lane = 0; lane < count; ++lane) {
        std::int64_t computed = 0;
        const bool failed = apply(left[lane], right[lane], computed);
        finish(lane, computed, failed);
      }
    };
    switch (step.op) {
      case '+':
        each_lane([](std::int64_t a, std::int64_t b, std::int64_t& r) {
          return __builtin_add_overflow(a, b, &r);
        });
        break;
      case '-':
        each_lane([](std::int64_t a, std::int64_t b, std::int64_t& r) {
          return __builtin_sub_overflow(a, b, &r);
        });
        break;
      case '*':
        // A zero product with a negative factor is -0 in extended arithmetic;
        // the extended replay takes it rather than the integers reasoning
        // about where a -0 may go.
        each_lane([](std::int64_t a, std::int64_t b, std::int64_t& r) {
          return __builtin_mul_overflow(a, b, &r) || (r == 0 && (a < 0 || b < 0));
        });
        break;
      default:  // '/': exact quotients only; 0 over a negative is -0
        each_lane([](std::int64_t a, std::int64_t b, std::int64_t& r) {
          if (b == 0) return true;
          r = a / b;
          return a % b != 0 || (a == 0 && b < 0);
        });
        break;
    }
  }

  const std::size_t done =
      std::min<std::size_t>(count, static_cast<std::size_t>(std::countr_zero(left_whole)));
  const std::int64_t* const results = values + result_ * kLanes;
  for (std::size_t lane = 0; lane < done; ++lane) outcomes[lane] = {results[lane], written[lane]};
  return done;
}

}  // namespace korvex
