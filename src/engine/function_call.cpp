// CheckFunctionCall and EvaluateFunctionCall: a name followed by its
// square-bracket parameter list becomes the function's value.
#include <charconv>
#include <stdexcept>

#include "engine/engine.h"

namespace korvex {
namespace {

constexpr const char* kFunctionsHint =
    ". See (View/Functions) for a list of all available functions";

struct CallShape {
  size_t count = 1;        // parameters
  size_t close_index = 0;  // the first "]" after the "["
};

template <typename List>
CallShape MeasureCall(const List& tokens, size_t name_index) {
  CallShape shape;
  size_t i = name_index + 2;
  for (; i < tokens.size() && tokens[i] != "]"; ++i)
    if (tokens[i] == ";") ++shape.count;
  shape.close_index = i;
  return shape;
}

// A parameter-count text that is not an integer is a fault of the catalogue
// file; it ends the request like an arithmetic failure.
long ParseCountText(const std::string& text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("'" + text + "' is not a valid integer value");
  return value;
}

}  // namespace

// The place of a call: its name (or, with none, its "[") to its "]".
std::optional<SourceRange> Engine::CallPlace(long a) const {
  const size_t first = a < 0 ? 0 : static_cast<size_t>(a);
  size_t close = first;
  while (close + 1 < tokens_.size() && tokens_[close] != "]") ++close;
  return PlaceOf(first, close);
}

bool Engine::CheckFunctionCall(long a) {
  if (a < 0) {
    Fail(std::string("No function before [ ]") + kFunctionsHint, kFunctionError, CallPlace(a));
    return false;
  }
  const size_t name_index = static_cast<size_t>(a);
  const Catalogue* functions = environment_.functions;
  if (functions == nullptr || functions->empty()) return true;
  const std::string& name = tokens_[name_index];
  const auto index = functions->Find(name);
  if (!index) {
    Fail("'" + name + "' is not a function" + kFunctionsHint, kFunctionError,
         PlaceOf(name_index, name_index));
    return false;
  }
  const std::string& count_text = functions->thirds()[*index];
  const size_t count = MeasureCall(tokens_, name_index).count;
  if (count_text == "0" || ParseCountText(count_text) == static_cast<long>(count)) return true;
  Fail("Function '" + functions->names()[*index] + "' need " + count_text + " parameter(s), got " +
           std::to_string(count),
       kFunctionError, CallPlace(a));
  return false;
}

bool Engine::EvaluateFunctionCall(long a) {
  if (a < 0) {
    Fail(std::string("No function before [ ]") + kFunctionsHint, kFunctionError, CallPlace(a));
    return false;
  }
  const size_t name_index = static_cast<size_t>(a);
  const CallShape shape = MeasureCall(tokens_, name_index);
  long double small[8];
  std::vector<long double> large;
  long double* values = small;
  if (shape.count > std::size(small)) {
    large.resize(shape.count);
    values = large.data();
  }
  for (size_t k = 1; k <= shape.count; ++k) {
    const size_t index = name_index + 2 * k;
    const auto value = index < tokens_.size() ? StrToFloat(tokens_[index]) : std::nullopt;
    if (!value) {
      Fail("Invalid input in parameter " + std::to_string(k) + " for function '" +
               tokens_[name_index] + "'",
           kFunctionError, index < tokens_.size() ? PlaceOf(index, index) : CallPlace(a));
      return false;
    }
    values[k - 1] = *value;
  }
  const long double result = ComputeFunction(
      tokens_[name_index], std::span<const long double>(values, shape.count), function_state_);
  if (recorder_ != nullptr) RecordFunctionCall(name_index, values, shape.count, result);
  std::string name = steps_enabled_ ? tokens_[name_index] : std::string();
  const size_t last = std::min(shape.close_index, tokens_.size() - 1);
  std::string result_text = FloatToStr(result);
  if (logging_) {
    size_t removed_chars = 0;
    for (size_t i = name_index; i <= last; ++i) removed_chars += tokens_[i].size();
    steps_.Replace(name_index, last + 1 - name_index, removed_chars, result_text);
  }
  tokens_[name_index] = std::move(result_text);
  tokens_.Erase(name_index + 1, last - name_index);
  if (recorder_ != nullptr) origins_.Erase(name_index + 1, last - name_index);
  if (places_on_) {
    places_[name_index] = Join(places_[name_index], places_[last]);
    places_.Erase(name_index + 1, last - name_index);
    if (logging_) steps_.AddPlace(places_[name_index]);
  }
  if (steps_enabled_) RecordStep("calculate '" + name + "'");
  return true;
}

}  // namespace korvex
