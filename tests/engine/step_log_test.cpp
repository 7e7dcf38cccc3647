// The step log and the gap buffer under the token list: texts replayed from
// the log must be the texts joined from the list when each step happened,
// and each step points at the parts of the solved text it reduced.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/gap_buffer.h"
#include "test_support.h"

namespace korvex {
namespace {

std::string RandomNumber(std::mt19937& random) {
  switch (random() % 6) {
    case 0:
      return "0";
    case 1:
      return std::to_string(-static_cast<int>(random() % 9 + 1));
    case 2:
      return std::to_string(static_cast<double>(random() % 100000) / 1000);
    case 3:
      return "pi";
    default:
      return std::to_string(random() % 9 + 1);
  }
}

// Groups, calls with several parameters, redundant pairs and every operator,
// with divisions by zero, failing calls and stray ";" among them.
std::string RandomExpression(std::mt19937& random, int depth) {
  const int kind = depth > 5 ? 0 : static_cast<int>(random() % 9);
  const char ops[] = "+-*/^";
  switch (kind) {
    case 0:
      return RandomNumber(random);
    case 1:
      return "(" + RandomExpression(random, depth + 1) + ")";
    case 2:
      return "sin[" + RandomExpression(random, depth + 1) + "]";
    case 3:
      return "sum[" + RandomExpression(random, depth + 1) + ";" +
             RandomExpression(random, depth + 1) + ";" + RandomExpression(random, depth + 1) + "]";
    case 4:
      return "((" + RandomExpression(random, depth + 1) + "))";
    case 5:
      return "gcd[" + RandomExpression(random, depth + 1) + ";" +
             RandomExpression(random, depth + 1) + "]";
    case 6:
      return RandomExpression(random, depth + 1) + ";" + RandomExpression(random, depth + 1);
    default:
      return RandomExpression(random, depth + 1) + ops[random() % 5] +
             RandomExpression(random, depth + 1);
  }
}

TEST(StepLog, ReplayedTextsAreTheListsJoinedWhenEachStepWasRecorded) {
  std::mt19937 random(20261210);
  size_t steps_seen = 0;
  for (int i = 0; i < 4000; ++i) {
    const std::string text = RandomExpression(random, 0) + "*(" + RandomExpression(random, 0) + ")";
    testing::TestCalculator calc;
    calc.engine.set_reference_steps(true);
    try {
      calc.engine.Solve(text);
      // An evaluation after the solve, steps still on, numbers its steps on
      // from the solve's, starting from another list.
      if (i % 4 == 0 && calc.engine.PrepareExpression(text)) {
        const TokenList list = calc.engine.tokens();
        calc.engine.EvaluateSample(list, {});
      }
    } catch (const ArithmeticFailure&) {
    }
    const StepLog& log = calc.engine.steps();
    ASSERT_EQ(log.Texts(), calc.engine.reference_steps()) << text;
    // Read backwards too, which restarts the replay for every step.
    for (size_t k = log.size(); k-- > 0;) {
      ASSERT_EQ(log.Text(k), calc.engine.reference_steps()[k]) << text << " step " << k;
      ASSERT_EQ(log.TextLength(k), log.Text(k).size()) << text << " step " << k;
    }
    steps_seen += log.size();
  }
  // The expressions must give the log something to replay.
  EXPECT_GT(steps_seen, 20000u);
}

// The characters [start, end) of a UTF-8 text: places count characters.
std::string Slice(const std::string& text, const SourceRange& place) {
  std::string slice;
  size_t character = 0;
  for (const char c : text) {
    const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    if (!continuation) ++character;
    if (character > place.start && character <= place.end) slice += c;
  }
  return slice;
}

TEST(StepLog, EachStepPointsAtWhatItReducedInTheSolvedText) {
  struct Case {
    std::string text;
    VariableTable variables;
    // Per step, the parts of `text` it reduced.
    std::vector<std::vector<std::string>> places;
  };
  const Case cases[] = {
      {"2+3*4", {}, {{"3*4"}, {"2+3*4"}}},
      // One pass, several operations: one part each.
      {"2*3+4*5", {}, {{"2*3", "4*5"}, {"2*3+4*5"}}},
      // A chain is one part, the operations' places each covering the last.
      {"12/4*3-1", {}, {{"12/4*3"}, {"12/4*3-1"}}},
      {"gcd[12;18]+1", {}, {{"gcd[12;18]"}, {"gcd[12;18]+1"}}},
      {"sum[1+2;3*4]", {}, {{"3*4"}, {"1+2"}, {"sum[1+2;3*4]"}}},
      {"2*sin[0]", {}, {{"sin[0]"}, {"2*sin[0]"}}},
      // A reduced group stands for its brackets too; an inserted "*" has no
      // characters of its own.
      {"(1+1)*(2+2)", {}, {{"1+1"}, {"2+2"}, {"(1+1)*(2+2)"}}},
      {"2 ( 3 + 4 )", {}, {{"3 + 4"}, {"2 ( 3 + 4 )"}}},
      {"((1+2))*3", {}, {{"1+2"}, {"((1+2))*3"}}},
      // Tokens from a variable's expression or a constant stand at the name.
      {"2(1+x)", {{"x", "3"}}, {{"1+x"}, {"2(1+x)"}}},
      {"y+1", {{"y", "4*5"}}, {{"y"}, {"y+1"}}},
      {"z*z", {{"z", "1+2"}}, {{"z*z"}, {"z*z"}}},
      {"2*pi^2", {}, {{"pi^2"}, {"2*pi^2"}}},
      // Characters, not bytes.
      {"\u00e4\u00e4*3+1", {{"\u00e4\u00e4", "2"}}, {{"\u00e4\u00e4*3"}, {"\u00e4\u00e4*3+1"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    testing::TestCalculator calc;
    calc.variables = c.variables;
    ASSERT_TRUE(calc.engine.Solve(c.text));
    const StepLog& log = calc.engine.steps();
    ASSERT_EQ(log.size(), c.places.size());
    for (size_t k = 0; k < log.size(); ++k) {
      std::vector<std::string> shown;
      for (const SourceRange& place : log.Places(k)) shown.push_back(Slice(c.text, place));
      EXPECT_EQ(shown, c.places[k]) << log.Text(k);
    }
  }
}

// A pass that fails records no step, and the places of the operations it
// did before failing go with it; an evaluation without places (a plot
// sample's) records steps that point nowhere.
TEST(StepLog, APlaceBelongsOnlyToTheStepThatRecordedIt) {
  testing::TestCalculator calc;
  // The multiply pass of the second group does 2*3, then fails at 4/0.
  EXPECT_FALSE(calc.engine.Solve("(1+1)*(2*3+4/0)"));
  ASSERT_EQ(calc.engine.steps().size(), 1u);
  const auto first = calc.engine.steps().Places(0);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0], (SourceRange{1, 4}));
  // Steps still on, an evaluation after it numbers its steps on.
  ASSERT_TRUE(calc.engine.PrepareExpression("3*4"));
  const TokenList list = calc.engine.tokens();
  ASSERT_TRUE(calc.engine.EvaluateSample(list, {}));
  const StepLog& log = calc.engine.steps();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log.Text(1), "Step 2 (multiply): 12");
  EXPECT_EQ(log.Places(0).size(), 1u);
  EXPECT_TRUE(log.Places(1).empty());
}

// Random erases and inserts against a plain vector, with the hole moved
// both ways and flattened in between.
TEST(GapBuffer, BehavesAsAVectorUnderRandomRewrites) {
  std::mt19937 random(7);
  GapBuffer<int> buffer;
  std::vector<int> expected;
  for (int round = 0; round < 20000; ++round) {
    const size_t position = expected.empty() ? 0 : random() % (expected.size() + 1);
    switch (random() % 5) {
      case 0:
      case 1: {
        const int value = static_cast<int>(random());
        buffer.Insert(position, value);
        expected.insert(expected.begin() + static_cast<long>(position), value);
        break;
      }
      case 2:
      case 3: {
        const size_t count = std::min<size_t>(random() % 4, expected.size() - position);
        buffer.Erase(position, count);
        expected.erase(expected.begin() + static_cast<long>(position),
                       expected.begin() + static_cast<long>(position + count));
        break;
      }
      default:
        if (!expected.empty()) buffer[position % expected.size()] = round;
        if (!expected.empty()) expected[position % expected.size()] = round;
        if (round % 7 == 0) {
          ASSERT_EQ(buffer.Flatten(), expected);
        }
    }
    ASSERT_EQ(buffer.size(), expected.size());
    for (size_t k = 0; k < expected.size(); k += 1 + expected.size() / 8)
      ASSERT_EQ(buffer[k], expected[k]) << round;
  }
  EXPECT_EQ(buffer.Flatten(), expected);
}

}  // namespace
}  // namespace korvex
