// Scanning, bracket checks and the preprocessing substitutions.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "test_support.h"

namespace korvex {
namespace {

using testing::Joined;
using testing::Report;
using testing::TestCalculator;

TEST(ScanExpression, SplitsTextIntoTokens) {
  const struct {
    const char* text;
    const char* tokens;
  } cases[] = {
      {"2+3*4", "2 | + | 3 | * | 4"},
      {"2(3+4)", "2 | * | ( | 3 | + | 4 | )"},
      {"1.5+1,5", "1,5 | + | 1,5"},
      {"-2^2", "-2 | ^ | 2"},
      {"2*-3", "2 | * | -3"},
      {"2--3", "2 | - | -3"},
      {"--3", "- | - | 3"},
      {"-x", "- | x"},
      {"-(2)", "- | * | ( | 2 | )"},
      {"+3", "+ | 3"},
      {"2 3", "23"},
      {"s in", "sin"},
      {"x2", "x | * | 2"},
      {"2x", "2 | * | x"},
      {"(1)(2)", "( | 1 | ) | * | ( | 2 | )"},
      {"{1.5E3}", "1,5E3"},
      {"2{1E5}", "2 | * | 1E5"},
      {"x{1}", "x | * | 1"},
      {"{1}2", "1 | * | 2"},
      {"{12", "12"},
      {"a>=b", "a>=b"},
      {"gcd[12;18]", "gcd | [ | 12 | ; | 18 | ]"},
      {"sin(1)", "sin | * | ( | 1 | )"},
      {"-[2]",
       "- | ["
       " | 2 | ]"},
      {"2pi", "2 | * | pi"},
  };
  for (const auto& c : cases) {
    TestCalculator calc;
    ASSERT_TRUE(calc.engine.ScanExpression(c.text)) << c.text;
    EXPECT_EQ(Joined(calc.engine.tokens()), c.tokens) << c.text;
  }
}

TEST(PrepareExpression, ReportsScannerAndBracketFailures) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "Need something to evaluate"},
      {"   ", "Need something to evaluate"},
      {"{}", "Need something to evaluate inside { }"},
      {"2)", "One or more ( ) are unbalanced"},
      {")(", "One or more ( ) are unbalanced"},
      {"(2", "One or more ( ) are unbalanced"},
      {"sin[2", "One or more [ ] are unbalanced"},
      {"()", "Need something to evaluate inside ( )"},
      {"gcd[4;]", "Need something to evaluate inside ; ]"},
      {"f[;2]", "Need something to evaluate inside [ ;"},
      {"f[]", "Need something to evaluate inside [ ]"},
      {"f[1;;2]", "Need something to evaluate inside ; ;"},
  };
  for (const auto& c : cases) {
    TestCalculator calc;
    EXPECT_FALSE(calc.engine.PrepareExpression(c.text)) << c.text;
    ASSERT_EQ(calc.sink.reports.size(), 1u) << c.text;
    EXPECT_EQ(calc.sink.reports[0], (Report{c.message, "Syntax error"})) << c.text;
  }
}

TEST(PrepareExpression, SubstitutesConstantsAnsAndRedundantBrackets) {
  const struct {
    const char* text;
    const char* tokens;
  } cases[] = {
      {"((5))", "5"},  {"(2+3)", "( | 2 | + | 3 | )"}, {"2pi", "2 | * | 3,14159265358979"},
      {"ans", "0"},    {"(((x)))+(y)", "x | + | y"},   {"((1)+(2))", "( | 1 | + | 2 | )"},
      {"Pi", "Pi"},  // names are case-sensitive
      {"2;", "2 | ;"},
  };
  for (const auto& c : cases) {
    TestCalculator calc;
    ASSERT_TRUE(calc.engine.PrepareExpression(c.text)) << c.text;
    EXPECT_EQ(Joined(calc.engine.tokens()), c.tokens) << c.text;
  }
}

TEST(PrepareExpression, AnsIsTheStoredAnswer) {
  TestCalculator calc;
  calc.engine.set_stored_answer(2.5L);
  ASSERT_TRUE(calc.engine.PrepareExpression("ans*2"));
  EXPECT_EQ(Joined(calc.engine.tokens()), "2,5 | * | 2");
}

TEST(SubstituteUserVariables, ReplacesNamesByTheirTokensRepeatedly) {
  const struct {
    const char* text;
    const char* tokens;
  } cases[] = {
      {"2*a", "2 | * | 1 | + | 2"},
      {"2(a)", "2 | * | ( | 1 | + | 2 | )"},
      {"area", "3,14159265358979 | * | 5 | ^ | 2"},  // nested, then the constant
      {"2*neg", "2 | * | -3"},
      {"dup", "1"},  // the first row of a name wins
      {"x1", "x | * | 1"},
  };
  for (const auto& c : cases) {
    TestCalculator calc;
    calc.variables = {{"a", "1+2"},  {"r", "5"},   {"area", "pi*r^2"},
                      {"neg", "-3"}, {"dup", "1"}, {"dup", "2"}};
    ASSERT_TRUE(calc.engine.PrepareExpression(c.text)) << c.text;
    EXPECT_EQ(Joined(calc.engine.tokens()), c.tokens) << c.text;
  }
}

TEST(VariableNameRefusal, AcceptsExactlyTheNamesTheScannerKeepsWhole) {
  // Each accepted name, used as an expression, is substituted whole.
  for (const char* name : {"r", "area", "x_y", "a'", "\xcf\x80", "a>b", "}"}) {
    EXPECT_EQ(VariableNameRefusal(name), std::nullopt) << name;
    TestCalculator calc;
    calc.variables = {{name, "7"}};
    ASSERT_TRUE(calc.engine.PrepareExpression(std::string("2*") + name)) << name;
    EXPECT_EQ(Joined(calc.engine.tokens()), "2 | * | 7") << name;
  }
  const struct {
    const char* name;
    const char* refusal;
  } refused[] = {
      {"1", "A variable name cannot contain '1'"},
      {"v1", "A variable name cannot contain '1'"},
      {"a b", "A variable name cannot contain ' '"},
      {"a.b", "A variable name cannot contain '.'"},
      {"x,y", "A variable name cannot contain ','"},
      {"f(x)", "A variable name cannot contain '('"},
      {"-a", "A variable name cannot contain '-'"},
      {"a;b", "A variable name cannot contain ';'"},
      {"{a", "A variable name cannot contain '{'"},
      {"a=b", "A variable name cannot contain '='"},
      {"a#b", "A variable name cannot contain '#'"},
      {"a\tb", "A variable name cannot contain '\\x09'"},
      {"a\x1b", "A variable name cannot contain '\\x1b'"},
  };
  for (const auto& c : refused) EXPECT_EQ(VariableNameRefusal(c.name), c.refusal) << c.name;
}

TEST(SubstituteUserVariables, AVariableHidesTheConstantAndAns) {
  TestCalculator calc;
  calc.variables = {{"pi", "3"}, {"ans", "7"}};
  ASSERT_TRUE(calc.engine.PrepareExpression("pi+ans"));
  EXPECT_EQ(Joined(calc.engine.tokens()), "3 | + | 7");
}

TEST(SubstituteUserVariables, StopsAtTheLoopControlLimit) {
  const struct {
    int limit;
    int chain;  // variables v, vv, vvv ... each referring to the next
    bool ok;
  } cases[] = {{1000, 1000, true}, {1000, 1001, false}, {3, 3, true}, {3, 4, false}};
  for (const auto& c : cases) {
    TestCalculator calc;
    calc.engine.environment().loop_limit = c.limit;
    std::string name = "v";
    for (int i = 0; i < c.chain; ++i) {
      const std::string next = name + "v";
      calc.variables.push_back({name, i + 1 == c.chain ? "7" : next});
      name = next;
    }
    EXPECT_EQ(calc.engine.PrepareExpression("v"), c.ok) << c.limit << " " << c.chain;
    if (!c.ok) {
      ASSERT_EQ(calc.sink.reports.size(), 1u);
      EXPECT_EQ(calc.sink.reports[0],
                (Report{"Loop control limit has exceeded. See (Tools/User variables/Assignments)",
                        "User variable error"}));
    }
  }
}

TEST(SubstituteUserVariables, SelfReferenceAndEmptyExpressionFail) {
  TestCalculator calc;
  calc.variables = {{"x", "x+1"}, {"v", ""}};
  EXPECT_FALSE(calc.engine.PrepareExpression("x"));
  EXPECT_EQ(calc.sink.reports.back().title, "User variable error");
  EXPECT_FALSE(calc.engine.PrepareExpression("v"));
  EXPECT_EQ(calc.sink.reports.back(), (Report{"Need something to evaluate", "Syntax error"}));
}

}  // namespace
}  // namespace korvex
