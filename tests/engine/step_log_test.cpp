// The step log and the gap buffer under the token list: texts replayed from
// the log must be the texts joined from the list when each step happened.
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
