#include "engine/input_tokens.h"

#include <algorithm>
#include <string>

#include "engine/engine.h"

namespace korvex {
namespace {

struct SilentSink : ErrorSink {
  void ReportError(const std::string& /*message*/, const std::string& /*title*/) override {}
};

bool IsNumberToken(const std::string& token) {
  if (token.empty()) return false;
  const size_t first = token[0] == '-' ? 1 : 0;
  return first < token.size() &&
         ((token[first] >= '0' && token[first] <= '9') || token[first] == ',');
}

bool IsOperatorToken(const std::string& token) {
  return token.size() == 1 && std::string_view("+-*/^;").find(token[0]) != std::string_view::npos;
}

bool IsBracketToken(const std::string& token) {
  return token.size() == 1 && std::string_view("()[]").find(token[0]) != std::string_view::npos;
}

bool IsUserVariable(const VariableTable* variables, const std::string& name) {
  if (variables == nullptr) return false;
  for (const UserVariable& variable : *variables)
    if (variable.name == name) return true;
  return false;
}

// In the order the engine resolves a name: user variables are substituted
// first, then calls are looked up, then constants.
InputTokenKind NameKind(const std::string& name, bool before_bracket, const InputNames& names) {
  if (IsUserVariable(names.variables, name)) return InputTokenKind::kVariable;
  if (before_bracket)
    return names.functions != nullptr && names.functions->Find(name) ? InputTokenKind::kFunction
                                                                     : InputTokenKind::kUnknown;
  if (name == "ans") return InputTokenKind::kConstant;
  if (names.constants != nullptr && names.constants->Find(name)) return InputTokenKind::kConstant;
  if (!names.plot_variable.empty() && name == names.plot_variable) return InputTokenKind::kVariable;
  return InputTokenKind::kUnknown;
}

void PairBrackets(const std::vector<std::string>& texts, std::vector<InputToken>& tokens) {
  std::vector<std::size_t> round;
  std::vector<std::size_t> square;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != InputTokenKind::kBracket) continue;
    const char c = texts[i][0];
    std::vector<std::size_t>& open = (c == '(' || c == ')') ? round : square;
    if (c == '(' || c == '[') {
      open.push_back(i);
    } else if (!open.empty()) {
      tokens[i].partner = open.back();
      tokens[open.back()].partner = i;
      open.pop_back();
    }
  }
}

// Character offsets (as places count them) of the braces that open literals.
std::vector<std::size_t> BraceOffsets(std::string_view text) {
  std::vector<std::size_t> offsets;
  std::size_t characters = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    if (c == '{') offsets.push_back(characters);
    ++characters;
  }
  return offsets;
}

}  // namespace

std::vector<InputToken> ClassifyInput(std::string_view text, const InputNames& names) {
  SilentSink silent;
  Engine engine(silent);
  engine.ScanExpression(text);
  const TokenList& scanned = engine.tokens();
  const std::vector<SourceRange>& places = engine.scanned_places();
  const std::vector<std::size_t> braces = BraceOffsets(text);
  std::vector<InputToken> tokens;
  std::vector<std::string> texts;
  tokens.reserve(scanned.size());
  for (std::size_t i = 0; i < scanned.size() && i < places.size(); ++i) {
    const std::string& token = scanned[i];
    const SourceRange place = places[i];
    // The scanner's inserted multiplications stand nowhere in the text.
    if (place.start == place.end) continue;
    InputTokenKind kind;
    if (std::binary_search(braces.begin(), braces.end(), place.start))
      kind = InputTokenKind::kLiteral;
    else if (IsBracketToken(token))
      kind = InputTokenKind::kBracket;
    else if (IsOperatorToken(token))
      kind = InputTokenKind::kOperator;
    else if (IsNumberToken(token))
      kind = InputTokenKind::kNumber;
    else
      kind = NameKind(token, i + 1 < scanned.size() && scanned[i + 1] == "[", names);
    tokens.push_back({kind, place});
    texts.push_back(token);
  }
  PairBrackets(texts, tokens);
  return tokens;
}

std::size_t BracketAtCaret(const std::vector<InputToken>& tokens, std::size_t caret) {
  std::size_t found = InputToken::kNoPartner;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != InputTokenKind::kBracket) continue;
    if (tokens[i].place.start > caret) break;
    // The bracket after the caret wins over the one before it.
    if (tokens[i].place.start == caret) return i;
    if (tokens[i].place.end == caret) found = i;
  }
  return found;
}

}  // namespace korvex
