// The typed input as the scanner splits it, each piece with what it names:
// what the input's colours, bracket matching and marks are made from, so
// the window never parses an expression itself.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/catalogue.h"
#include "engine/error_sink.h"
#include "engine/user_variables.h"

namespace korvex {

enum class InputTokenKind {
  kNumber,    // digits with their separator, a sign the scanner joined to them
  kConstant,  // a name of the constants catalogue, or `ans`
  kVariable,  // a user variable, or the plot variable while plotting
  kFunction,  // a name of the functions catalogue before its "["
  kOperator,  // + - * / ^ ;
  kBracket,   // ( ) [ ]
  kLiteral,   // {...}, braces included
  kUnknown,   // a name that is none of the above
};

struct InputToken {
  InputTokenKind kind;
  SourceRange place;  // characters of the input
  // Brackets: the index of the partner in the list, or kNoPartner for a
  // bracket left unbalanced.
  std::size_t partner = kNoPartner;
  static constexpr std::size_t kNoPartner = static_cast<std::size_t>(-1);
};

struct InputNames {
  const Catalogue* functions = nullptr;
  const Catalogue* constants = nullptr;
  const VariableTable* variables = nullptr;
  // Empty unless the input is to be plotted.
  std::string_view plot_variable;
};

// Every token the user typed (none the scanner inserts), in order. A text
// the scanner stops at ("{}") gives the tokens before that point.
std::vector<InputToken> ClassifyInput(std::string_view text, const InputNames& names);

// The bracket token whose place holds `caret` or ends right at it, as an
// editor marks the bracket beside the caret; kNoPartner when none does.
std::size_t BracketAtCaret(const std::vector<InputToken>& tokens, std::size_t caret);

}  // namespace korvex
