// PrepareExpression and its substitution steps: user variables, `ans` and
// constants, and parentheses around single tokens.
#include "engine/engine.h"

namespace korvex {

Engine::Engine(ErrorSink& errors) : errors_(errors) {}

void Engine::BeginRequest() {
  decimal_separator_ = kEngineSeparator;
  steps_enabled_ = true;
  checks_enabled_ = true;
}

bool Engine::PrepareExpression(std::string_view text) {
  has_odd_token_ = false;
  if (!ScanExpression(text)) return false;
  if (!SubstituteUserVariables()) return false;
  if (!CheckBrackets()) return false;
  SubstituteConstants();
  RemoveRedundantBrackets();
  return true;
}

bool Engine::SubstituteUserVariables() {
  const VariableTable* table = environment_.variables;
  if (table == nullptr || table->empty()) return true;
  TokenList working = tokens_;
  int substitutions = 0;
  for (size_t i = 0; i < working.size();) {
    const UserVariable* match = nullptr;
    for (const UserVariable& row : *table) {
      if (row.name == working[i]) {
        match = &row;
        break;
      }
    }
    if (match == nullptr) {
      ++i;
      continue;
    }
    if (substitutions == environment_.loop_limit) {
      errors_.ReportError("Loop control limit has exceeded. See (Tools/User variables/Assignments)",
                          kUserVariableError);
      return false;
    }
    working.erase(working.begin() + static_cast<long>(i));
    if (!ScanExpression(match->expression)) return false;
    working.insert(working.begin() + static_cast<long>(i), tokens_.begin(), tokens_.end());
    ++substitutions;
  }
  tokens_ = std::move(working);
  return true;
}

void Engine::SubstituteConstants() {
  const Catalogue* constants = environment_.constants;
  for (std::string& token : tokens_) {
    if (token == "ans") {
      token = FloatToStr(stored_answer_);
    } else if (constants != nullptr) {
      if (const auto index = constants->Find(token)) token = constants->thirds()[*index];
    }
  }
}

void Engine::RemoveRedundantBrackets() {
  for (size_t i = 0; i < tokens_.size();) {
    if (i + 2 < tokens_.size() && tokens_[i] == "(" && tokens_[i + 2] == ")") {
      tokens_.erase(tokens_.begin() + static_cast<long>(i));
      tokens_.erase(tokens_.begin() + static_cast<long>(i) + 1);
      if (i > 0) --i;
    } else {
      ++i;
    }
  }
}

}  // namespace korvex
