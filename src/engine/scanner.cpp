// ScanExpression and CheckBrackets: expression text to tokens, and the
// bracket checks that run before anything is evaluated.
#include "engine/engine.h"

namespace korvex {
namespace {

enum class CharClass { kNum, kSym, kSign, kPar, kAbc };

bool IsDigitClass(char c) { return (c >= '0' && c <= '9') || c == ',' || c == '.'; }

bool IsOperatorClass(char c) {
  switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '^':
    case '(':
    case ')':
    case '[':
    case ']':
    case ';':
      return true;
    default:
      return false;
  }
}

bool IsOdd(const std::string& token) {
  return token.empty() || token.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

bool Engine::ScanExpression(std::string_view text) {
  TokenList& out = tokens_.Flatten();
  out.clear();
  CharClass last = CharClass::kSym;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (IsDigitClass(c)) {
      if (c == '.') c = ',';
      if (last == CharClass::kAbc || last == CharClass::kPar) out.emplace_back("*");
      if (last == CharClass::kNum || last == CharClass::kSign)
        out.back().push_back(c);
      else
        out.emplace_back(1, c);
      last = CharClass::kNum;
    } else if (IsOperatorClass(c)) {
      if (c == '(' && last != CharClass::kSym) out.emplace_back("*");
      out.emplace_back(1, c);
      if (c == ')' || c == ']')
        last = CharClass::kPar;
      else if (last == CharClass::kSym && c == '-')
        last = CharClass::kSign;
      else
        last = CharClass::kSym;
    } else if (c == ' ') {
      continue;
    } else {
      if (last == CharClass::kNum || last == CharClass::kPar) out.emplace_back("*");
      if (c == '{') {
        if (i + 1 < n && text[i + 1] == '}') {
          errors_.ReportError("Need something to evaluate inside { }", kSyntaxError);
          return false;
        }
        if (last == CharClass::kAbc) out.emplace_back("*");
        std::string literal;
        ++i;
        while (i < n && text[i] != '}') {
          literal.push_back(text[i] == '.' ? ',' : text[i]);
          ++i;
        }
        if (IsOdd(literal)) has_odd_token_ = true;
        out.push_back(std::move(literal));
        last = CharClass::kPar;
      } else {
        if (last == CharClass::kAbc)
          out.back().push_back(c);
        else
          out.emplace_back(1, c);
        if (c == '\r' || c == '\n') has_odd_token_ = true;
        last = CharClass::kAbc;
      }
    }
  }
  if (!out.empty()) return true;
  errors_.ReportError("Need something to evaluate", kSyntaxError);
  return false;
}

bool Engine::CheckBrackets() {
  long parentheses = 0;
  long squares = 0;
  const TokenList& tokens = tokens_.Flatten();
  for (const std::string& token : tokens) {
    if (token == "(")
      ++parentheses;
    else if (token == ")")
      --parentheses;
    else if (token == "[")
      ++squares;
    else if (token == "]")
      --squares;
    if (parentheses < 0 || squares < 0) break;
  }
  if (parentheses != 0) {
    errors_.ReportError("One or more ( ) are unbalanced", kSyntaxError);
    return false;
  }
  if (squares != 0) {
    errors_.ReportError("One or more [ ] are unbalanced", kSyntaxError);
    return false;
  }
  // A ";" as the last token has no partner here; the evaluation reports it.
  for (size_t i = 0; i + 1 < tokens_.size(); ++i) {
    const std::string& a = tokens_[i];
    const std::string& b = tokens_[i + 1];
    const bool empty_group = (a == "(" && b == ")") || (a == "[" && (b == ";" || b == "]")) ||
                             (a == ";" && (b == ";" || b == "]"));
    if (empty_group) {
      errors_.ReportError("Need something to evaluate inside " + a + " " + b, kSyntaxError);
      return false;
    }
  }
  return true;
}

}  // namespace korvex
