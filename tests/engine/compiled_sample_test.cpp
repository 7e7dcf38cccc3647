// Recording a plot sample's reductions and replaying them: which shapes can be
// replayed at all, and replayed values bit for bit against the token engine.
#include "engine/compiled_sample.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/test_support.h"

namespace korvex {
namespace {

using testing::TestCalculator;

// The plot's way of evaluating one sample: every "x" of the prepared list
// takes the sample text, every "w" the second input's.
struct SampleRun {
  explicit SampleRun(TestCalculator& calc, const std::string& expression) : engine(calc.engine) {
    prepared = engine.PreparePlot(expression);
    list = engine.tokens();
    for (size_t i = 0; i < list.size(); ++i) {
      if (list[i] == "x") slots.push_back({i, &plus_text, 0});
      if (list[i] == "w") slots.push_back({i, &minus_text, 1});
    }
  }
  bool Evaluate(long double plus, long double minus, CompiledSample* record) {
    plus_text = FloatToStr(plus);
    minus_text = FloatToStr(minus);
    return engine.EvaluateSample(list, slots, record);
  }
  Engine& engine;
  bool prepared = false;
  TokenList list;
  std::string plus_text, minus_text;
  std::vector<Engine::SampleSlot> slots;
};

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(CompiledSample, RecordsOnlyWhatReplaysTheSameInEverySample) {
  struct Case {
    const char* expression;
    bool ready;
  } const cases[] = {
      {"2x+4", true},
      {"sin[x]+cos[1,6x]*(w-x)", true},
      {"gcd[x;12]-x^2/3", true},
      {"7", true},
      {"random[x]+1", false},  // keeps state between calls
      {"randomrange[1;x]", false},
      {"x[2]", false},  // the sample's text stands where the name is
  };
  for (const Case& c : cases) {
    TestCalculator calc;
    calc.functions = Catalogue();  // every name passes, so "x[2]" reaches the recording
    SampleRun run(calc, c.expression);
    ASSERT_TRUE(run.prepared) << c.expression;
    CompiledSample compiled;
    ASSERT_TRUE(run.Evaluate(3, 2, &compiled)) << c.expression;
    EXPECT_EQ(compiled.ready(), c.ready) << c.expression;
  }
}

TEST(CompiledSample, ReplayMatchesTheTokenEngineBitForBit) {
  const char* const expressions[] = {
      "2x+4",
      "x-10(x+8(x-6(x+4(x-2(x10x)2+x)4-x)6+x)8-x)10+x",
      "sin[x]+cos[1,6x]",
      "(1/4(sqrt[x]cos[1+x(2-ln[exp[9]](pi+2x))])-sin[sqrt[x]]e)/2^(0-pi)",
      "((x*x)-(w*w))/0,002",
      "x/3-w*-2^3+x^-2",
      "mean[x;w;1/3]-x",
      "pi",
  };
  for (const char* expression : expressions) {
    TestCalculator calc;
    calc.functions = Catalogue();
    SampleRun run(calc, expression);
    CompiledSample compiled;
    ASSERT_TRUE(run.Evaluate(1, 0.999L, &compiled)) << expression;
    ASSERT_TRUE(compiled.ready()) << expression;
    for (long double x = 0.1L; x < 40; x += 0.7L) {
      const long double w = x - 0.001L;
      const auto replayed = compiled.Run(x, w, calc.engine.function_state());
      ASSERT_TRUE(run.Evaluate(x, w, nullptr))
          << expression << " at " << FloatToStr(x) << ": " << calc.sink.reports.back();
      const long double y = *StrToFloat(calc.engine.tokens()[0]);
      ASSERT_TRUE(replayed.has_value()) << expression << " at " << FloatToStr(x);
      EXPECT_TRUE(SameBits(replayed->y, y)) << expression << " at " << FloatToStr(x);
      const std::string* constant = compiled.constant_text();
      EXPECT_EQ(constant ? *constant : FloatToStr(replayed->written), calc.engine.tokens()[0])
          << expression;
    }
  }
}

TEST(CompiledSample, LeavesFailuresAndNonNumbersToTheTokenEngine) {
  struct Case {
    const char* expression;
    long double x;
  } const cases[] = {
      {"1/(x-2)", 2},          // division by zero
      {"ln[x]+1", 0},          // -INF written, then read by an operator
      {"ln[x]", -1},           // NAN as the last text
      {"factorial[x]", 5000},  // overflow inside a function
  };
  for (const Case& c : cases) {
    TestCalculator calc;
    calc.functions = Catalogue();
    SampleRun run(calc, c.expression);
    CompiledSample compiled;
    ASSERT_TRUE(run.Evaluate(3, 3, &compiled)) << c.expression;
    ASSERT_TRUE(compiled.ready()) << c.expression;
    EXPECT_FALSE(compiled.Run(c.x, c.x, calc.engine.function_state()).has_value()) << c.expression;
  }
}

// Samples run side by side give each sample what it gives alone: a sample
// without a number text leaves only its own lane to the token engine, and a
// failure thrown in any lane sends the whole batch back to one by one.
TEST(CompiledSample, LanesGiveWhatSamplesGiveOneByOne) {
  struct Case {
    const char* expression;
    std::vector<long double> inputs;
    bool complete;
    std::vector<bool> replayed;
  } const cases[] = {
      {"sin[x]/3+x*x-1/7", {0.5L, -2.25L, 1e-9L, 31.4L}, true, {true, true, true, true}},
      {"2x+4", {1, 2, 3}, true, {true, true, true}},
      // -INF and NAN do not read back.
      {"ln[x]+x/3", {1.5L, 0, 2.5L, -1}, true, {true, false, true, false}},
      {"x*x*x", {2, 1E2000L, 3}, true, {true, false, true}},  // overflow
      {"1/(x-2)", {1, 2, 3, 4}, false, {}},                   // division by zero in the second
      {"x", {0.1L, 7}, true, {true, true}},
  };
  for (const Case& c : cases) {
    TestCalculator calc;
    calc.functions = Catalogue();
    SampleRun run(calc, c.expression);
    CompiledSample compiled;
    ASSERT_TRUE(run.Evaluate(3, 3, &compiled)) << c.expression;
    ASSERT_TRUE(compiled.ready()) << c.expression;
    CompiledSample::Lanes lanes;
    lanes.count = c.inputs.size();
    for (std::size_t lane = 0; lane < lanes.count; ++lane) {
      lanes.plus_input[lane] = c.inputs[lane];
      lanes.minus_input[lane] = c.inputs[lane];
    }
    compiled.RunLanes(lanes, calc.engine.function_state());
    EXPECT_EQ(lanes.complete, c.complete) << c.expression;
    if (!lanes.complete) continue;
    for (std::size_t lane = 0; lane < lanes.count; ++lane) {
      const long double x = c.inputs[lane];
      EXPECT_EQ(lanes.replayed[lane], c.replayed[lane]) << c.expression << " at " << FloatToStr(x);
      const auto alone = compiled.Run(x, x, calc.engine.function_state());
      ASSERT_EQ(lanes.replayed[lane], alone.has_value()) << c.expression << " at " << FloatToStr(x);
      if (!alone) continue;
      EXPECT_TRUE(SameBits(lanes.outcome[lane].y, alone->y))
          << c.expression << " at " << FloatToStr(x);
      EXPECT_TRUE(SameBits(lanes.outcome[lane].written, alone->written))
          << c.expression << " at " << FloatToStr(x);
    }
  }
}

}  // namespace
}  // namespace korvex
