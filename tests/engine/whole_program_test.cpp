// The integer replay of a recording against the extended replay: the same
// bits wherever it takes a sample, and a refusal wherever it cannot be sure.
#include "engine/whole_program.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/compiled_sample.h"
#include "engine/number_text.h"
#include "engine/test_support.h"
#include "whole_expressions.h"

namespace korvex {
namespace {

using testing::RandomWholeExpression;
using testing::TestCalculator;

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(WholeNumberText, RoundsAsTheNumberTextDoes) {
  std::vector<std::int64_t> values = {
      0,
      1,
      -1,
      999'999'999'999'999,
      1'000'000'000'000'000,
      1'000'000'000'000'005,  // an exact tie, away from zero
      -1'000'000'000'000'005,
      1'000'000'000'000'004,
      99'999'999'999'999'950,  // rounds up into a new digit
      999'999'999'999'999'500,
      kWholeLimit - 1,
      -(kWholeLimit - 1),
      123'456'789'012'345'678,
  };
  std::mt19937_64 random(12);
  for (int i = 0; i < 200'000; ++i) {
    // Every magnitude from one digit to the limit, ties made often.
    const int digits = 1 + static_cast<int>(random() % 19);
    std::uint64_t scale = 1;
    for (int d = 1; d < digits; ++d) scale *= 10;
    // Formed unsigned: 19 digits pass 2^63 before the limit takes them back.
    const auto value = static_cast<std::int64_t>(
        (random() % (scale * 9) + scale) % static_cast<std::uint64_t>(kWholeLimit) / 10 * 10 +
        (i % 3 == 0 ? 5 : random() % 10));
    values.push_back(i % 2 == 0 ? value : -value);
  }
  for (const std::int64_t value : values) {
    const auto extended = RoundThroughNumberText(static_cast<long double>(value));
    ASSERT_TRUE(extended.has_value()) << value;
    ASSERT_TRUE(SameBits(*extended, static_cast<long double>(RoundWholeThroughNumberText(value))))
        << value;
  }
}

TEST(WholeNumberText, TakesOnlyWholeValuesBelowTheLimit) {
  struct Case {
    long double value;
    bool whole;
    std::int64_t expected;
  } const cases[] = {
      {0.0L, true, 0},
      {-0.0L, false, 0},
      {-42.0L, true, -42},
      {0.5L, false, 0},
      {8999999999999999999.0L, true, 8'999'999'999'999'999'999},
      {9e18L, false, 0},
      {-9e18L, false, 0},
      {1e30L, false, 0},
      {__builtin_infl(), false, 0},
      {__builtin_nanl(""), false, 0},
  };
  for (const Case& c : cases) {
    std::int64_t whole = -7;
    EXPECT_EQ(AsWhole(c.value, whole), c.whole) << static_cast<double>(c.value);
    if (c.whole) {
      EXPECT_EQ(whole, c.expected);
    }
  }
}

TEST(WholeProgram, GivesTheExtendedReplaysBitsWhereverItTakesASample) {
  std::mt19937 random(2024);
  std::size_t taken = 0;
  std::size_t offered = 0;
  std::size_t programs = 0;
  for (int e = 0; e < 600; ++e) {
    const std::string expression = RandomWholeExpression(random, 5);
    TestCalculator calc;
    Engine& engine = calc.engine;
    if (!engine.PreparePlot(expression)) continue;
    const TokenList list = engine.tokens();
    std::string text = "3";
    std::vector<Engine::SampleSlot> slots;
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i] == "x") slots.push_back({i, &text});
    CompiledSample compiled;
    bool evaluated = false;
    try {
      evaluated = engine.EvaluateSample(list, slots, &compiled);
    } catch (const std::exception&) {
    }
    if (!evaluated || !compiled.ready()) continue;
    WholeProgram* whole = compiled.whole();
    if (whole == nullptr) continue;
    ++programs;
    offered += 64;
    // Inputs from both sides of zero, and large enough to overflow.
    std::vector<std::int64_t> inputs;
    for (int k = 0; k < 64; ++k)
      inputs.push_back(k % 4 == 0 ? static_cast<std::int64_t>(random() % 2000001) - 1000000
                                  : static_cast<std::int64_t>(random() % 41) - 20);
    for (std::size_t start = 0; start < inputs.size();) {
      WholeProgram::Outcome outcomes[WholeProgram::kLanes];
      const std::size_t done =
          whole->RunBlock(std::span(inputs).subspan(start, inputs.size() - start), outcomes);
      taken += done;
      for (std::size_t k = 0; k < done; ++k) {
        const auto x = static_cast<long double>(inputs[start + k]);
        const auto replayed = compiled.Run(x, x, engine.function_state());
        ASSERT_TRUE(replayed.has_value()) << expression << " at " << inputs[start + k];
        EXPECT_TRUE(SameBits(replayed->y, static_cast<long double>(outcomes[k].y)))
            << expression << " at " << inputs[start + k];
        EXPECT_TRUE(SameBits(replayed->written, static_cast<long double>(outcomes[k].written)))
            << expression << " at " << inputs[start + k];
      }
      // A refused sample is the extended replay's to take (a fraction, a
      // division by zero, an intermediate -0 or overflow); refusing is safe.
      start += done + 1;
    }
  }
  // The generator must reach the integer path, and most samples stay on it
  // (large constants and products leave it by overflow).
  EXPECT_GT(programs, 300u);
  EXPECT_GT(taken * 2, offered) << programs << " programs";
}

TEST(WholeProgram, ALongExpressionKeepsToTheExtendedReplay) {
  for (const int terms : {100, 20000}) {
    std::string expression = "x";
    for (int k = 0; k < terms; ++k) expression += "+1";
    TestCalculator calc;
    Engine& engine = calc.engine;
    ASSERT_TRUE(engine.PreparePlot(expression));
    const TokenList list = engine.tokens();
    std::string text = "3";
    std::vector<Engine::SampleSlot> slots = {{0, &text}};
    ASSERT_EQ(list[0], "x");
    CompiledSample compiled;
    ASSERT_TRUE(engine.EvaluateSample(list, slots, &compiled));
    ASSERT_TRUE(compiled.ready());
    // Its lane blocks would take megabytes; the extended replay's take less.
    EXPECT_EQ(compiled.whole() != nullptr, terms == 100) << terms;
  }
}

}  // namespace
}  // namespace korvex
