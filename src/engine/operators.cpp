// EvaluateOperators: the three left-to-right precedence passes over one
// group, each recording at most one solution step.
#include "engine/compiled_sample.h"
#include "engine/engine.h"
#include "engine/operator_apply.h"

namespace korvex {
namespace {

struct Pass {
  char first;   // '^', '*' or '+'
  char second;  // 0, '/' or '-'
  const char* first_name;
  const char* second_name;
  const char* both_name;
};

constexpr Pass kPasses[] = {
    {'^', 0, "power", "power", "power"},
    {'*', '/', "multiply", "divide", "multiply and divide"},
    {'+', '-', "add", "subtract", "add and subtract"},
};

bool IsSingle(const std::string& token, char c) { return token.size() == 1 && token[0] == c; }

}  // namespace

// Each operation replaces "left op right" by its result. Erasing two tokens
// per operation would make a long group quadratic, so the pass streams over
// the list instead: `read` walks the original positions, and every token
// that stays is moved down by the number of tokens removed so far. The
// cursor of the described algorithm is `read - removed`, and its loop
// condition (cursor below count - 1) is `read < size - 1`. At the end the
// emptied slots sit just before `read`, and only they are erased, so the
// list behind the group stays where it is.
bool Engine::EvaluateOperators(size_t start) {
  for (const Pass& pass : kPasses) {
    const size_t size = tokens_.size();
    size_t read = start;
    size_t removed = 0;
    bool did_first = false;
    bool did_second = false;
    bool failed = false;
    auto keep = [&](size_t count) {
      for (size_t k = 0; k < count && read < size; ++k, ++read) {
        if (removed == 0) continue;
        tokens_[read - removed] = std::move(tokens_[read]);
        if (recorder_ != nullptr) origins_[read - removed] = origins_[read];
        if (places_on_) places_[read - removed] = places_[read];
      }
    };
    while (read + 1 < size && !IsSingle(tokens_[read], ')') && !IsSingle(tokens_[read], ']')) {
      if (IsSingle(tokens_[read], ';') && read + 2 < size) keep(2);
      const std::string& token = tokens_[read];
      const bool is_first = IsSingle(token, pass.first);
      const bool is_second = pass.second != 0 && IsSingle(token, pass.second);
      if (is_first || is_second) {
        const char op = token[0];
        std::string& left_text = tokens_[read - removed - 1];
        // After a ";" skip the cursor can sit on the last token, with no
        // right operand at all.
        const bool has_right = read + 1 < size;
        const auto left = StrToFloat(left_text);
        const auto right = has_right ? StrToFloat(tokens_[read + 1]) : std::nullopt;
        long double result = 0;
        bool ok = left.has_value() && right.has_value();
        if (ok) {
          try {
            result = ApplyOperator(op, *left, *right);
          } catch (const ArithmeticFailure&) {
            ok = false;
          }
        }
        if (!ok) {
          // From the left operand (moved down already) to the right one.
          Fail("Could not calculate '" + left_text + op +
                   (has_right ? tokens_[read + 1] : std::string()) + "'",
               kSyntaxError, PlaceOf(read - removed - 1, has_right ? read + 1 : read));
          failed = true;
          break;
        }
        if (recorder_ != nullptr) {
          const size_t left_position = read - removed - 1;
          origins_[left_position] = recorder_->AddOperator(
              op, RecordedOperand(left_position, *left), RecordedOperand(read + 1, *right), result);
        }
        if (places_on_) {
          SourceRange& place = places_[read - removed - 1];
          place = Join(place, places_[read + 1]);
          if (logging_) steps_.AddPlace(place);
        }
        const size_t removed_chars = left_text.size() + 1 + tokens_[read + 1].size();
        left_text = FloatToStr(result);
        if (logging_) steps_.Replace(read - removed - 1, 3, removed_chars, left_text);
        read += 2;
        removed += 2;
        (is_first ? did_first : did_second) = true;
      } else if (!IsSingle(token, ']')) {
        keep(2);
      }
    }
    if (removed != 0) {
      NoteChangedFrom(start - 1);
      tokens_.Erase(read - removed, removed);
      if (recorder_ != nullptr) origins_.Erase(read - removed, removed);
      if (places_on_) places_.Erase(read - removed, removed);
    }
    if (failed) return false;
    if (steps_enabled_ && (did_first || did_second)) {
      RecordStep(did_first && did_second ? pass.both_name
                 : did_first             ? pass.first_name
                                         : pass.second_name);
    }
  }
  return true;
}

}  // namespace korvex
