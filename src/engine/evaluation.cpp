// The evaluation loop: deepest group first, operators, then brackets or a
// function call, with the no-progress check between iterations.
#include "engine/engine.h"

namespace korvex {
namespace {

// For the plain list and the gap buffer alike.
template <typename List>
std::string Concatenated(const List& tokens) {
  std::string text;
  for (size_t i = 0; i < tokens.size(); ++i) text += tokens[i];
  return text;
}

template <typename List>
std::string JoinedByLineBreaks(const List& tokens) {
  std::string text;
  for (size_t i = 0; i < tokens.size(); ++i) {
    text += tokens[i];
    text += '\n';
  }
  return text;
}

bool IsSingle(const std::string& token, char c) { return token.size() == 1 && token[0] == c; }

}  // namespace

bool Engine::Solve(std::string_view text) {
  BeginRequest();
  // Cleared before preparing, so a text that fails there shows no steps of
  // the request before it.
  steps_.Clear();
  reference_steps_.clear();
  if (!PrepareExpression(text)) return false;
  return EvaluateTokens();
}

bool Engine::PreparePlot(std::string_view text) {
  BeginRequest();
  if (!PrepareExpression(text)) return false;
  steps_enabled_ = false;
  return true;
}

bool Engine::EvaluateSample(const TokenList& sample_template, const std::vector<SampleSlot>& slots,
                            CompiledSample* record) {
  // Copy-assigning keeps the list's and its strings' buffers from the last
  // sample.
  tokens_.Flatten() = sample_template;
  places_on_ = false;
  last_error_place_.reset();
  for (const SampleSlot& slot : slots) tokens_[slot.position] = *slot.text;
  if (record == nullptr) {
    const bool evaluated = EvaluateTokens();
    // The first sample has shown that the expression reduces; the later ones
    // differ only in numbers.
    checks_enabled_ = false;
    return evaluated;
  }
  record->Clear();
  origins_.Flatten().assign(tokens_.size(), kUnrecorded);
  for (const SampleSlot& slot : slots) origins_[slot.position] = slot.input;
  recorder_ = record;
  bool evaluated = false;
  try {
    evaluated = EvaluateTokens();
  } catch (...) {
    recorder_ = nullptr;
    checks_enabled_ = false;
    throw;
  }
  if (evaluated) {
    // Token 0 has read as a number; a template constant keeps its own text.
    const CompiledSample::Ref origin = origins_[0];
    if (origin == kUnrecorded)
      record->Finish(record->AddConstant(*StrToFloat(tokens_[0])), &tokens_[0]);
    else
      record->Finish(origin, nullptr);
  }
  recorder_ = nullptr;
  checks_enabled_ = false;
  return evaluated;
}

bool Engine::EvaluateTokens() {
  // However the loop ends, even by an exception, the list is left flat for
  // its readers.
  struct Flattened {
    Engine& engine;
    ~Flattened() {
      engine.logging_ = false;
      engine.tokens_.Flatten();
      if (engine.places_on_) engine.places_.Flatten();
    }
  } flattened{*this};
  if (steps_enabled_) {
    steps_.Begin(tokens_.Flatten());
    logging_ = true;
  } else {
    // Only a solve shows where it failed; a plot's list is rewritten for
    // each sample and keeps no places.
    places_on_ = false;
  }
  previous_tokens_.clear();
  previous_count_ = 0;
  // A sample may have written a pair "( x )" into the list.
  stray_pairs_possible_ = true;
  group_search_.valid = false;
  while (tokens_.size() > 2) {
    ThrowIfStopRequested(environment_.stop);
    const size_t count_before = tokens_.size();
    long deepest = 0;
    size_t group_start = 0;
    FindDeepestGroup(deepest, group_start);
    if (!EvaluateOperators(group_start + 1)) return false;
    if (deepest > 0 && group_start >= 1) {
      if (IsSingle(tokens_[group_start - 1], '(')) {
        RemoveBracketsAroundGroup(group_start, deepest);
      } else if (IsSingle(tokens_[group_start - 1], '[')) {
        const long name_index = static_cast<long>(group_start) - 2;
        if (checks_enabled_ && !CheckFunctionCall(name_index)) return false;
        if (!EvaluateFunctionCall(name_index)) return false;
        const size_t result = static_cast<size_t>(name_index);
        NoteChangedFrom(result);
        NoteOpenerRemoved(deepest);
        if (result > 0 && result + 1 < tokens_.size() && IsSingle(tokens_[result - 1], '(') &&
            IsSingle(tokens_[result + 1], ')'))
          stray_pairs_possible_ = true;
      }
    }
    if (checks_enabled_) {
      if (!CheckProgress()) return false;
    } else if (tokens_.size() == count_before) {
      // Unchecked (the later samples of a plot), an iteration that changes
      // nothing would repeat forever; end it as the check would.
      Fail("Could not solve '" + Concatenated(tokens_) + "'", kSyntaxError);
      return false;
    }
  }
  if (tokens_.size() == 2) {
    Fail("Invalid argument '" + tokens_[0] + tokens_[1] + "'", kSyntaxError, PlaceOf(0, 1));
    return false;
  }
  if (!StrToFloat(tokens_[0])) {
    Fail("'" + tokens_[0] + "' is not a number", kSyntaxError, PlaceOf(0, 0));
    return false;
  }
  return true;
}

void Engine::FindDeepestGroup(long& deepest, size_t& group_start) {
  GroupSearch& search = group_search_;
  if (search.valid && !always_rescan_) {
    while (search.max_depth > 0 &&
           search.openers_at_depth[static_cast<size_t>(search.max_depth)] == 0)
      --search.max_depth;
    if (search.max_depth == 0) {
      deepest = 0;
      group_start = 0;
      return;
    }
    const size_t opener = search.first_opener[static_cast<size_t>(search.max_depth)];
    if (opener < search.unchanged_prefix) {
      deepest = search.max_depth;
      group_start = opener + 1;
      return;
    }
  }
  search.openers_at_depth.assign(1, 0);
  search.first_opener.assign(1, 0);
  long depth = 0;
  deepest = 0;
  group_start = 0;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    const std::string& token = tokens_[i];
    if (token.size() != 1) continue;
    const char c = token[0];
    if (c == '(' || c == '[') {
      if (++depth > deepest) {
        deepest = depth;
        group_start = i + 1;
        search.first_opener.push_back(i);
        search.openers_at_depth.push_back(0);
      }
      if (depth > 0) ++search.openers_at_depth[static_cast<size_t>(depth)];
    } else if (c == ')' || c == ']') {
      --depth;
    }
  }
  search.max_depth = deepest;
  search.unchanged_prefix = tokens_.size();
  search.valid = true;
}

bool Engine::CheckProgress() {
  const bool unchanged = has_odd_token_
                             ? JoinedByLineBreaks(previous_tokens_) == JoinedByLineBreaks(tokens_)
                             : previous_count_ == static_cast<long>(tokens_.size());
  if (unchanged) {
    Fail("Could not solve '" + Concatenated(tokens_) + "'", kSyntaxError);
    return false;
  }
  if (has_odd_token_) {
    previous_tokens_.resize(tokens_.size());
    for (size_t i = 0; i < tokens_.size(); ++i) previous_tokens_[i] = tokens_[i];
  }
  previous_count_ = static_cast<long>(tokens_.size());
  return true;
}

void Engine::RecordStep(std::string_view operation) {
  steps_.Record(std::string(operation));
  if (!reference_steps_on_) return;
  const std::string number = std::to_string(reference_steps_.size() + 1);
  std::string step;
  step.append("Step ").append(number).append(" (").append(operation).append("): ");
  for (size_t i = 0; i < tokens_.size(); ++i) step.append(tokens_[i]);
  reference_steps_.push_back(std::move(step));
}

void Engine::EraseTokens(size_t position, size_t count) {
  if (logging_) {
    size_t chars = 0;
    for (size_t k = 0; k < count; ++k) chars += tokens_[position + k].size();
    steps_.Erase(position, count, chars);
  }
  tokens_.Erase(position, count);
  if (recorder_ != nullptr) origins_.Erase(position, count);
  if (places_on_) places_.Erase(position, count);
}

}  // namespace korvex
