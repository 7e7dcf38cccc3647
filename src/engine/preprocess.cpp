// PrepareExpression and its substitution steps: user variables, `ans` and
// constants, and parentheses around single tokens.
#include <optional>

#include "engine/engine.h"

namespace korvex {

Engine::Engine(ErrorSink& errors) : errors_(errors) {}

void Engine::BeginRequest() {
  function_state_.stop = environment_.stop;
  steps_enabled_ = true;
  checks_enabled_ = true;
  last_error_place_.reset();
}

void Engine::Fail(const std::string& message, const char* title, std::optional<SourceRange> place) {
  last_error_place_ = place;
  errors_.ReportErrorAt(message, title, place);
}

std::optional<SourceRange> Engine::PlaceOf(size_t first, size_t last) const {
  if (!places_on_ || last >= places_.size()) return std::nullopt;
  return Join(places_[first], places_[last]);
}

bool Engine::PrepareExpression(std::string_view text) {
  last_error_place_.reset();
  has_odd_token_ = false;
  if (!ScanExpression(text)) return false;
  if (!SubstituteUserVariables()) return false;
  if (!CheckBrackets()) return false;
  SubstituteConstants();
  RemoveRedundantBrackets();
  return true;
}

// Each name found is replaced by its expression's tokens, and those are
// searched again from their first token on, depth first and left to right.
// The output is written once, front to back, from a stack of expansions, and
// each row is scanned at most once, so the cost follows the size of what is
// produced (moving the list's tail at every substitution made long
// self-references quadratic).
bool Engine::SubstituteUserVariables() {
  const VariableTable* table = environment_.variables;
  if (table == nullptr || table->empty()) return true;
  std::vector<std::optional<TokenList>> scanned(table->size());
  // Every token of a variable's expression, however deeply nested, stands
  // where the outermost name was typed: that is all the user's text shows.
  struct Expansion {
    const TokenList* tokens;
    size_t next;
    SourceRange place;
  };
  const TokenList input = std::move(tokens_.Flatten());
  const std::vector<SourceRange> input_places = std::move(places_.Flatten());
  std::vector<Expansion> stack{{&input, 0, {}}};
  TokenList output;
  std::vector<SourceRange> output_places;
  output.reserve(input.size());
  output_places.reserve(input.size());
  int substitutions = 0;
  while (!stack.empty()) {
    Expansion& top = stack.back();
    if (top.next == top.tokens->size()) {
      stack.pop_back();
      continue;
    }
    const size_t at = top.next++;
    const std::string& token = (*top.tokens)[at];
    const SourceRange place = stack.size() == 1 ? input_places[at] : top.place;
    size_t row = 0;
    while (row < table->size() && (*table)[row].name != token) ++row;
    if (row == table->size()) {
      output.push_back(token);
      output_places.push_back(place);
      continue;
    }
    if (substitutions == environment_.loop_limit) {
      Fail("Loop control limit has exceeded. See (Tools/User variables/Assignments)",
           kUserVariableError, place);
      return false;
    }
    if (!scanned[row]) {
      if (!Scan((*table)[row].expression, &place)) return false;
      scanned[row] = std::move(tokens_.Flatten());
    }
    ++substitutions;
    stack.push_back({&*scanned[row], 0, place});
  }
  tokens_.Flatten() = std::move(output);
  places_.Flatten() = std::move(output_places);
  places_on_ = true;
  return true;
}

void Engine::SubstituteConstants() {
  const Catalogue* constants = environment_.constants;
  for (std::string& token : tokens_.Flatten()) {
    if (token == "ans") {
      token = FloatToStr(stored_answer_);
    } else if (constants != nullptr) {
      if (const auto index = constants->Find(token)) token = constants->thirds()[*index];
    }
  }
}

// Deletes every pair of parentheses around exactly one token, again and
// again, in one pass: a token is kept as soon as it arrives, and when the
// kept tail reads "( x )" it collapses to x, which also finds the pairs that
// a removal uncovers. The list has passed CheckBrackets, so it holds no
// "( )" and no two candidate pairs can overlap; the result is the same as
// walking the list and stepping back after each removal.
void Engine::RemoveRedundantBrackets() {
  const bool recording = recorder_ != nullptr;
  TokenList& tokens = tokens_.Flatten();
  std::vector<CompiledSample::Ref>* origins = recording ? &origins_.Flatten() : nullptr;
  std::vector<SourceRange>* places = places_on_ ? &places_.Flatten() : nullptr;
  size_t kept = 0;
  for (size_t read = 0; read < tokens.size(); ++read) {
    if (kept != read) {
      tokens[kept] = std::move(tokens[read]);
      if (recording) (*origins)[kept] = (*origins)[read];
      if (places) (*places)[kept] = (*places)[read];
    }
    ++kept;
    while (kept >= 3 && tokens[kept - 1] == ")" && tokens[kept - 3] == "(") {
      // The list as the log sees it is tokens[0, kept) followed by the
      // tokens not yet read.
      if (logging_) {
        steps_.Erase(kept - 1, 1, 1);
        steps_.Erase(kept - 3, 1, 1);
      }
      tokens[kept - 3] = std::move(tokens[kept - 2]);
      if (recording) (*origins)[kept - 3] = (*origins)[kept - 2];
      // What is left of "( x )" stands for the whole of it.
      if (places) (*places)[kept - 3] = Join((*places)[kept - 3], (*places)[kept - 1]);
      kept -= 2;
    }
  }
  tokens.resize(kept);
  if (recording) origins->resize(kept);
  if (places) places->resize(kept);
  stray_pairs_possible_ = false;
  group_search_.valid = false;
}

void Engine::RemoveBracketsAroundGroup(size_t group_start, long depth) {
  if (stray_pairs_possible_) {
    RemoveRedundantBrackets();
    return;
  }
  // The group's one token sits at group_start; strip enclosing pairs outward.
  if (group_start == 0 || group_start + 1 >= tokens_.size()) return;
  size_t open = group_start - 1;
  size_t close = group_start + 1;
  size_t pairs = 0;
  while (close < tokens_.size() && tokens_[open] == "(" && tokens_[close] == ")") {
    ++pairs;
    ++close;
    if (open == 0) break;
    --open;
  }
  if (pairs == 0) return;
  const size_t first_open = group_start - pairs;
  if (places_on_) places_[group_start] = Join(places_[first_open], places_[group_start + pairs]);
  NoteChangedFrom(first_open);
  for (size_t k = 0; k < pairs; ++k) NoteOpenerRemoved(depth - static_cast<long>(k));
  // The closers first, so the openers' positions still hold.
  EraseTokens(group_start + 1, pairs);
  EraseTokens(first_open, pairs);
}

}  // namespace korvex
