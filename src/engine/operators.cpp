// EvaluateOperators: the three left-to-right precedence passes over one
// group, each recording at most one solution step.
#include <cmath>

#include "engine/arithmetic.h"
#include "engine/engine.h"

namespace korvex {
namespace {

struct Pass {
  char first;        // '^', '*' or '+'
  char second;       // 0, '/' or '-'
  const char* first_name;
  const char* second_name;
  const char* both_name;
};

constexpr Pass kPasses[] = {
    {'^', 0, "power", "power", "power"},
    {'*', '/', "multiply", "divide", "multiply and divide"},
    {'+', '-', "add", "subtract", "add and subtract"},
};

long double Apply(char op, long double left, long double right) {
  switch (op) {
    case '^':
      // The power routine announces nothing: NAN and INF are results.
      if (left == 0 && right == 0) return 1;
      return std::pow(left, right);
    case '*':
      return Multiply(left, right);
    case '/':
      return Divide(left, right);
    case '+':
      return Add(left, right);
    default:
      return Subtract(left, right);
  }
}

bool IsSingle(const std::string& token, char c) { return token.size() == 1 && token[0] == c; }

}  // namespace

bool Engine::EvaluateOperators(size_t start) {
  for (const Pass& pass : kPasses) {
    size_t cursor = start;
    bool did_first = false;
    bool did_second = false;
    while (cursor + 1 < tokens_.size() && !IsSingle(tokens_[cursor], ')') &&
           !IsSingle(tokens_[cursor], ']')) {
      if (IsSingle(tokens_[cursor], ';') && tokens_.size() > cursor + 2) cursor += 2;
      const std::string& token = tokens_[cursor];
      const bool is_first = IsSingle(token, pass.first);
      const bool is_second = pass.second != 0 && IsSingle(token, pass.second);
      if (is_first || is_second) {
        const char op = token[0];
        const std::string& left_text = tokens_[cursor - 1];
        // After a ";" skip the cursor can sit on the last token, with no
        // right operand at all.
        const bool has_right = cursor + 1 < tokens_.size();
        const std::string right_text = has_right ? tokens_[cursor + 1] : std::string();
        const auto left = StrToFloat(left_text);
        const auto right = has_right ? StrToFloat(right_text) : std::nullopt;
        long double result = 0;
        bool ok = left.has_value() && right.has_value();
        if (ok) {
          try {
            result = Apply(op, *left, *right);
          } catch (const ArithmeticFailure&) {
            ok = false;
          }
        }
        if (!ok) {
          errors_.ReportError("Could not calculate '" + left_text + op + right_text + "'",
                              kSyntaxError);
          return false;
        }
        tokens_[cursor - 1] = FloatToStr(result);
        tokens_.erase(tokens_.begin() + static_cast<long>(cursor),
                      tokens_.begin() + static_cast<long>(cursor) + 2);
        (is_first ? did_first : did_second) = true;
      } else if (!IsSingle(token, ']')) {
        cursor += 2;
      }
    }
    if (steps_enabled_ && (did_first || did_second)) {
      RecordStep(did_first && did_second ? pass.both_name
                 : did_first             ? pass.first_name
                                         : pass.second_name);
    }
  }
  return true;
}

}  // namespace korvex
