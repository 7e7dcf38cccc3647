// ScanExpression and CheckBrackets: expression text to tokens, and the
// bracket checks that run before anything is evaluated.
#include <algorithm>

#include "engine/engine.h"
#include "engine/name_characters.h"

namespace korvex {
namespace {

enum class CharClass { kNum, kSym, kSign, kPar, kAbc };

bool IsOdd(const std::string& token) {
  return token.empty() || token.find_first_of("\r\n") != std::string::npos;
}

// Character offsets of byte positions, asked for in increasing order: the
// places count what the user sees, and a UTF-8 character is several bytes.
class CharacterCounter {
 public:
  explicit CharacterCounter(std::string_view text) : text_(text) {}
  size_t At(size_t byte) {
    for (; counted_ < byte; ++counted_)
      if ((static_cast<unsigned char>(text_[counted_]) & 0xC0) != 0x80) ++characters_;
    return characters_;
  }

 private:
  std::string_view text_;
  size_t counted_ = 0;
  size_t characters_ = 0;
};

}  // namespace

bool Engine::ScanExpression(std::string_view text) { return Scan(text, nullptr); }

bool Engine::Scan(std::string_view text, const SourceRange* whole) {
  TokenList& out = tokens_.Flatten();
  std::vector<SourceRange>& places = places_.Flatten();
  out.clear();
  places.clear();
  places_on_ = true;
  CharacterCounter counter(text);
  auto place = [&](size_t begin, size_t end) {
    if (whole != nullptr) return *whole;
    const size_t start = counter.At(begin);
    return SourceRange{start, counter.At(end)};
  };
  // A token of its own, or one the scanner inserts (an empty place before i).
  // A user variable's tokens all stand at its name, which the caller knows.
  auto emit = [&](size_t begin, size_t end, auto&&... token) {
    out.emplace_back(std::forward<decltype(token)>(token)...);
    if (whole == nullptr) places.push_back(place(begin, end));
  };
  auto extend = [&](char c, size_t i) {
    out.back().push_back(c);
    if (whole == nullptr) places.back().end = counter.At(i + 1);
  };
  CharClass last = CharClass::kSym;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (IsDigitClass(c)) {
      if (c == '.') c = ',';
      if (last == CharClass::kAbc || last == CharClass::kPar) emit(i, i, "*");
      if (last == CharClass::kNum || last == CharClass::kSign)
        extend(c, i);
      else
        emit(i, i + 1, 1, c);
      last = CharClass::kNum;
    } else if (IsOperatorClass(c)) {
      if (c == '(' && last != CharClass::kSym) emit(i, i, "*");
      emit(i, i + 1, 1, c);
      if (c == ')' || c == ']')
        last = CharClass::kPar;
      else if (last == CharClass::kSym && c == '-')
        last = CharClass::kSign;
      else
        last = CharClass::kSym;
    } else if (c == ' ') {
      continue;
    } else {
      if (last == CharClass::kNum || last == CharClass::kPar) emit(i, i, "*");
      if (c == '{') {
        if (i + 1 < n && text[i + 1] == '}') {
          Fail("Need something to evaluate inside { }", kSyntaxError, place(i, i + 2));
          return false;
        }
        if (last == CharClass::kAbc) emit(i, i, "*");
        const size_t begin = i;
        std::string literal;
        ++i;
        while (i < n && text[i] != '}') {
          literal.push_back(text[i] == '.' ? ',' : text[i]);
          ++i;
        }
        if (IsOdd(literal)) has_odd_token_ = true;
        // The braces belong to the literal's place.
        emit(begin, std::min(i + 1, n), std::move(literal));
        last = CharClass::kPar;
      } else {
        if (last == CharClass::kAbc)
          extend(c, i);
        else
          emit(i, i + 1, 1, c);
        if (c == '\r' || c == '\n') has_odd_token_ = true;
        last = CharClass::kAbc;
      }
    }
  }
  if (!out.empty()) return true;
  Fail("Need something to evaluate", kSyntaxError,
       whole != nullptr ? std::optional<SourceRange>(*whole) : std::nullopt);
  return false;
}

// Where an imbalance of `open`/`close` among the first `count` tokens (as
// far as the check read) shows: the first closer without an opener, else
// the innermost opener left open. Searched only once the check has failed,
// so a balanced text pays nothing for it.
std::optional<SourceRange> Engine::UnbalancedPlace(const char* open, const char* close,
                                                   size_t count) const {
  const TokenList& tokens = tokens_.flat();
  std::vector<size_t> waiting;
  for (size_t i = 0; i < count; ++i) {
    if (tokens[i] == open) {
      waiting.push_back(i);
    } else if (tokens[i] == close) {
      if (waiting.empty()) return PlaceOf(i, i);
      waiting.pop_back();
    }
  }
  if (waiting.empty()) return std::nullopt;
  return PlaceOf(waiting.back(), waiting.back());
}

bool Engine::CheckBrackets() {
  long parentheses = 0;
  long squares = 0;
  const TokenList& tokens = tokens_.Flatten();
  size_t read = 0;
  while (read < tokens.size()) {
    const std::string& token = tokens[read++];
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
    Fail("One or more ( ) are unbalanced", kSyntaxError, UnbalancedPlace("(", ")", read));
    return false;
  }
  if (squares != 0) {
    Fail("One or more [ ] are unbalanced", kSyntaxError, UnbalancedPlace("[", "]", read));
    return false;
  }
  // A ";" as the last token has no partner here; the evaluation reports it.
  for (size_t i = 0; i + 1 < tokens_.size(); ++i) {
    const std::string& a = tokens_[i];
    const std::string& b = tokens_[i + 1];
    const bool empty_group = (a == "(" && b == ")") || (a == "[" && (b == ";" || b == "]")) ||
                             (a == ";" && (b == ";" || b == "]"));
    if (empty_group) {
      Fail("Need something to evaluate inside " + a + " " + b, kSyntaxError, PlaceOf(i, i + 1));
      return false;
    }
  }
  return true;
}

}  // namespace korvex
