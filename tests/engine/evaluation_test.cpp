// Whole solve requests: the evaluation loop, the operator passes with their
// steps, function calls and every reported failure.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "test_support.h"

namespace korvex {
namespace {

using testing::Report;
using testing::TestCalculator;
using Steps = std::vector<std::string>;

TEST(Solve, ReducesGroupsAndRecordsOneStepPerPass) {
  const struct {
    const char* text;
    const char* answer;
    Steps steps;
  } cases[] = {
      {"2+3*4", "14", {"Step 1 (multiply): 2+12", "Step 2 (add): 14"}},
      {"(1+2)*3", "9", {"Step 1 (add): (3)*3", "Step 2 (multiply): 9"}},
      {"2(3+4)", "14", {"Step 1 (add): 2*(7)", "Step 2 (multiply): 14"}},
      {"5", "5", {}},
      {"((5))", "5", {}},
      {"(1+1)*(2+2)",
       "8",
       {"Step 1 (add): (2)*(2+2)", "Step 2 (add): 2*(4)", "Step 3 (multiply): 8"}},
      {"12/4*3", "9", {"Step 1 (multiply and divide): 9"}},
      {"8-2-1", "5", {"Step 1 (subtract): 5"}},
      {"2*3/4", "1,5", {"Step 1 (multiply and divide): 1,5"}},
      {"1+2-4", "-1", {"Step 1 (add and subtract): -1"}},
      {"2^3^2", "64", {"Step 1 (power): 64"}},
      {"-2^2", "4", {"Step 1 (power): 4"}},
      {"2*-3^2", "18", {"Step 1 (power): 2*9", "Step 2 (multiply): 18"}},
      {"0^0", "1", {"Step 1 (power): 1"}},
      {"(-2)^3", "-8", {"Step 1 (power): -8"}},
      {"1/3", "0,333333333333333", {"Step 1 (divide): 0,333333333333333"}},
      {"1/3*3", "0,999999999999999", {"Step 1 (multiply and divide): 0,999999999999999"}},
      {"2^0.5", "1,4142135623731", {"Step 1 (power): 1,4142135623731"}},
      {"10^20", "1E20", {"Step 1 (power): 1E20"}},
      {"2*sin[0]", "0", {"Step 1 (calculate 'sin'): 2*0", "Step 2 (multiply): 0"}},
      {"anything[1+2;3*4]",
       "0",
       {"Step 1 (multiply): anything[1+2;12]", "Step 2 (add): anything[3;12]",
        "Step 3 (calculate 'anything'): 0"}},
      {"nothing[1]", "0", {"Step 1 (calculate 'nothing'): 0"}},  // catalogued, not computed
      {"{1.5E3}", "1,5E3", {}},
      {"2pi", "6,28318530717958", {"Step 1 (multiply): 6,28318530717958"}},
  };
  for (const auto& c : cases) {
    TestCalculator calc;
    ASSERT_TRUE(calc.engine.Solve(c.text)) << c.text << " " << calc.sink.reports.size();
    EXPECT_EQ(calc.engine.tokens(), std::vector<std::string>{c.answer}) << c.text;
    EXPECT_EQ(calc.engine.steps().Texts(), c.steps) << c.text;
    EXPECT_TRUE(calc.sink.reports.empty()) << c.text;
  }
}

TEST(Solve, ReportsFailuresWithTheirTitleAndKeepsEarlierSteps) {
  const struct {
    const char* text;
    Report report;
    Steps steps;
  } cases[] = {
      {"+3", {"Invalid argument '+3'", "Syntax error"}, {}},
      {"3+", {"Invalid argument '3+'", "Syntax error"}, {}},
      {"-pi", {"Invalid argument '-3,14159265358979'", "Syntax error"}, {}},
      {"x", {"'x' is not a number", "Syntax error"}, {}},
      {"2x", {"Could not calculate '2*x'", "Syntax error"}, {}},
      {"1;2", {"Could not solve '1;2'", "Syntax error"}, {}},
      {"(1;2)", {"Could not solve '(1;2)'", "Syntax error"}, {}},
      {"2/0", {"Could not calculate '2/0'", "Syntax error"}, {}},
      {"0/0", {"Could not calculate '0/0'", "Syntax error"}, {}},
      {"-(2)", {"Could not calculate '-*2'", "Syntax error"}, {}},
      {"--3", {"Could not calculate '--3'", "Syntax error"}, {}},
      {"(-8)^(1/3)",
       {"'NAN' is not a number", "Syntax error"},
       {"Step 1 (divide): -8^(0,333333333333333)", "Step 2 (power): NAN"}},
      {"10^5000", {"'INF' is not a number", "Syntax error"}, {"Step 1 (power): INF"}},
      {"0^-1", {"'INF' is not a number", "Syntax error"}, {"Step 1 (power): INF"}},
      {"10^5000*2", {"Could not calculate 'INF*2'", "Syntax error"}, {"Step 1 (power): INF*2"}},
      {"{1E4000}*{1E4000}", {"Could not calculate '1E4000*1E4000'", "Syntax error"}, {}},
      {"[5]",
       {"No function before [ ]. See (View/Functions) for a list of all available functions",
        "Function error"},
       {}},
      {"foo[1]",
       {"'foo' is not a function. See (View/Functions) for a list of all available functions",
        "Function error"},
       {}},
      {"Sin[1]",
       {"'Sin' is not a function. See (View/Functions) for a list of all available functions",
        "Function error"},
       {}},
      {"2[3]",
       {"'2' is not a function. See (View/Functions) for a list of all available functions",
        "Function error"},
       {}},
      {"sin[1;2]", {"Function 'sin' need 1 parameter(s), got 2", "Function error"}, {}},
      {"sin[y]", {"Invalid input in parameter 1 for function 'sin'", "Function error"}, {}},
      {"gcd[4;y]", {"Invalid input in parameter 2 for function 'gcd'", "Function error"}, {}},
      {"2;3+", {"Could not calculate '3+'", "Syntax error"}, {}},
  };
  for (const auto& c : cases) {
    TestCalculator calc;
    EXPECT_FALSE(calc.engine.Solve(c.text)) << c.text;
    ASSERT_EQ(calc.sink.reports.size(), 1u) << c.text;
    EXPECT_EQ(calc.sink.reports[0], c.report) << c.text;
    EXPECT_EQ(calc.engine.steps().Texts(), c.steps) << c.text;
  }
}

TEST(Solve, LiteralsWithAPointAreReadAsCommas) {
  // The scanner turns the point of a literal into a comma too.
  TestCalculator calc;
  ASSERT_TRUE(calc.engine.Solve("2*3+{1.5}"));
  EXPECT_EQ(calc.engine.tokens()[0], "7,5");
}

TEST(Solve, CatalogueCountZeroAcceptsAnyNumberOfParameters) {
  for (const char* text : {"anything[1]", "anything[1;2]", "anything[1;2;3;4;5;6;7;8]",
                           "anything[1;2;3;4;5;6;7;8;9;10]"}) {
    TestCalculator calc;
    EXPECT_TRUE(calc.engine.Solve(text)) << text;
  }
}

TEST(Solve, EmptyFunctionCatalogueAcceptsEveryCall) {
  TestCalculator calc;
  calc.engine.environment().functions = nullptr;
  EXPECT_TRUE(calc.engine.Solve("unknown[1;2;3]"));
  EXPECT_EQ(calc.engine.tokens()[0], "0");
}

TEST(Solve, NestedCallsEvaluateInnermostFirst) {
  TestCalculator calc;
  ASSERT_TRUE(calc.engine.Solve("sin[cos[0]]+sin[1+2]"));
  // Without the function bodies the calls give 0; the order is what counts here.
  const Steps expected = {"Step 1 (calculate 'cos'): sin[0]+sin[1+2]",
                          "Step 2 (calculate 'sin'): 0+sin[1+2]", "Step 3 (add): 0+sin[3]",
                          "Step 4 (calculate 'sin'): 0+0", "Step 5 (add): 0"};
  if (ComputeFunction("sin", std::vector<long double>{0}, calc.engine.function_state()) == 0 &&
      BuiltinFunctions().Find("cos") == nullptr) {
    EXPECT_EQ(calc.engine.steps().Texts(), expected);
  } else {
    ASSERT_EQ(calc.engine.steps().size(), 5u);
    EXPECT_EQ(calc.engine.steps().Text(0).substr(0, 26), "Step 1 (calculate 'cos'): ");
    EXPECT_EQ(calc.engine.steps().Text(2).substr(0, 14), "Step 3 (add): ");
  }
}

TEST(Solve, StepsAreClearedByEachSolveAlsoWhenPreparationFails) {
  // Whatever shows the steps of a failed request must not show those of the
  // request before it as if they were its own.
  for (const char* failing : {"()", "2)", "sin[1", "", "{}"}) {
    TestCalculator calc;
    ASSERT_TRUE(calc.engine.Solve("1+1"));
    ASSERT_EQ(calc.engine.steps().size(), 1u);
    EXPECT_FALSE(calc.engine.Solve(failing)) << failing;
    EXPECT_TRUE(calc.engine.steps().empty()) << failing;
  }
  TestCalculator calc;
  ASSERT_TRUE(calc.engine.Solve("1+1"));
  ASSERT_TRUE(calc.engine.Solve("5"));
  EXPECT_TRUE(calc.engine.steps().empty());
}

TEST(PlotSample, RecordsNoSteps) {
  TestCalculator calc;
  ASSERT_TRUE(calc.engine.PreparePlot("2+3*sin[0]"));
  EXPECT_FALSE(calc.engine.steps_enabled());
  const TokenList sample = calc.engine.tokens();
  ASSERT_TRUE(calc.engine.EvaluateSample(sample, {}));
  EXPECT_EQ(calc.engine.tokens(), TokenList{"2"});
  EXPECT_TRUE(calc.engine.steps().empty());
}

TEST(PlotSample, WritesTheSlotsAndChecksOnlyTheFirstSample) {
  TestCalculator calc;
  ASSERT_TRUE(calc.engine.PreparePlot("x*10+x"));
  const TokenList sample = calc.engine.tokens();
  std::string value = "2";
  const std::vector<Engine::SampleSlot> slots = {{0, &value}, {4, &value}};
  ASSERT_TRUE(calc.engine.EvaluateSample(sample, slots));
  EXPECT_EQ(calc.engine.tokens(), TokenList{"22"});
  EXPECT_FALSE(calc.engine.checks_enabled());
  value = "0,5";
  ASSERT_TRUE(calc.engine.EvaluateSample(sample, slots));
  EXPECT_EQ(calc.engine.tokens(), TokenList{"5,5"});
  // A new request checks its first sample again.
  ASSERT_TRUE(calc.engine.PreparePlot("x"));
  EXPECT_TRUE(calc.engine.checks_enabled());
}

TEST(PlotSample, WithoutChecksAnUnreducibleListEndsInsteadOfLooping) {
  // During a plot the no-progress check is off after the first sample; the
  // loop must still end for a list that cannot be reduced.
  TestCalculator calc;
  ASSERT_TRUE(calc.engine.PreparePlot("(1;2)"));
  const TokenList sample = calc.engine.tokens();
  EXPECT_FALSE(calc.engine.EvaluateSample(sample, {}));
  ASSERT_FALSE(calc.engine.checks_enabled());
  EXPECT_FALSE(calc.engine.EvaluateSample(sample, {}));
  EXPECT_EQ(calc.sink.reports.size(), 2u);
}

TEST(Solve, ArithmeticFailureInsideAFunctionEscapesAndKeepsTheTokens) {
  TestCalculator calc;
  calc.functions = Catalogue::FromLines({"reciprocal#m#1#1/x"});
  EXPECT_THROW(calc.engine.Solve("2*reciprocal[0]"), ArithmeticFailure);
  EXPECT_TRUE(calc.sink.reports.empty());
  EXPECT_EQ(testing::Joined(calc.engine.tokens(), ""), "2*reciprocal[0]");
}

TEST(Solve, SurvivesHostileInput) {
  const std::string deep_open(100000, '(');
  const std::string deep_close(100000, ')');
  std::string many_ops;
  for (int i = 0; i < 100000; ++i) many_ops += "1+";
  many_ops += "1";
  std::string stray;
  for (int i = 0; i < 1000000; ++i) stray.push_back(static_cast<char>(i % 251 + 1));
  const struct {
    std::string text;
    bool ok;
  } cases[] = {
      {deep_open + "5" + deep_close, true},
      {deep_open + "1+2" + deep_close, true},
      {deep_open, false},
      {many_ops, true},
      {std::string(1000000, '7'), false},  // beyond the extended range
      {"0," + std::string(999990, '3'), true},
      {std::string(1000000, '-'), false},
      {stray, false},
      {"[[[[[[" + std::string(100000, ']'), false},
  };
  for (const auto& c : cases) {
    TestCalculator calc;
    EXPECT_EQ(calc.engine.Solve(c.text), c.ok) << c.text.substr(0, 20);
  }
}

}  // namespace
}  // namespace korvex

namespace korvex {
namespace {

// Random expressions of nested groups, sibling groups and calls: the
// incremental search for the deepest group must pick exactly the groups a
// full rescan picks, which the step texts and reports show.
std::string RandomExpression(std::mt19937& random, int depth) {
  const int kind = depth > 4 ? 0 : static_cast<int>(random() % 6);
  const char ops[] = "+-*/^";
  switch (kind) {
    case 0:
      return std::to_string(random() % 9 + 1);
    case 1:
      return "(" + RandomExpression(random, depth + 1) + ")";
    case 2:
      return "sin[" + RandomExpression(random, depth + 1) + "]";
    case 3:
      return "sum[" + RandomExpression(random, depth + 1) + ";" +
             RandomExpression(random, depth + 1) + "]";
    case 4:
      return "((" + RandomExpression(random, depth + 1) + "))";
    default:
      return RandomExpression(random, depth + 1) + ops[random() % 5] +
             RandomExpression(random, depth + 1);
  }
}

TEST(Solve, IncrementalGroupSearchPicksTheSameGroupsAsARescan) {
  std::mt19937 random(12345);
  for (int i = 0; i < 3000; ++i) {
    const std::string text = RandomExpression(random, 0) + "*(" + RandomExpression(random, 0) + ")";
    testing::TestCalculator fast, reference;
    reference.engine.set_always_rescan(true);
    bool fast_ok = false, reference_ok = false;
    try {
      fast_ok = fast.engine.Solve(text);
    } catch (const ArithmeticFailure&) {
    }
    try {
      reference_ok = reference.engine.Solve(text);
    } catch (const ArithmeticFailure&) {
    }
    ASSERT_EQ(fast_ok, reference_ok) << text;
    ASSERT_EQ(fast.engine.steps().Texts(), reference.engine.steps().Texts()) << text;
    ASSERT_EQ(fast.engine.tokens(), reference.engine.tokens()) << text;
    ASSERT_EQ(fast.sink.reports, reference.sink.reports) << text;
  }
}

}  // namespace
}  // namespace korvex
