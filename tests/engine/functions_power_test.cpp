// Powers, roots, logarithms to a base, hypot, roundto, the bitwise and
// relational operators and the random numbers as ComputeFunction computes them.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"
#include "engine/number_text.h"

namespace korvex {
namespace {

struct Case {
  std::string call;      // as typed, numbers in engine form: "roundto[2,5;0]"
  std::string expected;  // FloatToStr of the value, or the failure's text
};

std::vector<long double> Parameters(std::string_view call) {
  std::vector<long double> values;
  for (size_t start = call.find('[') + 1;;) {
    const size_t end = call.find_first_of(";]", start);
    values.push_back(StrToFloat(call.substr(start, end - start)).value());
    if (call[end] == ']') return values;
    start = end + 1;
  }
}

long double Compute(std::string_view call, FunctionState& state) {
  return ComputeFunction(call.substr(0, call.find('[')), Parameters(call), state);
}

// The number text of the call's value, or the text of its arithmetic failure.
std::string Outcome(std::string_view call) {
  FunctionState state;
  try {
    return FloatToStr(Compute(call, state));
  } catch (const ArithmeticFailure& failure) {
    return failure.what();
  }
}

void ExpectOutcomes(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Outcome(c.call), c.expected) << c.call;
}

TEST(PowerFunctions, ValuesAndFailures) {
  ExpectOutcomes({
      {"power[0;0]", "1"},
      {"power[2;10]", "1024"},
      {"power[-2;3]", "-8"},
      {"power[-2;0,5]", "NAN"},
      {"power[0;-1]", "INF"},
      {"power[10;5000]", "INF"},
      {"integralpower[2;-2]", "0,25"},
      {"integralpower[0;0]", "1"},
      {"integralpower[2;0,9]", "1"},
      {"integralpower[0;-1]", kDivisionByZero},
      {"integralpower[10;5000]", kOverflow},
      {"integralpower[2;1E19]", kInvalidOperation},
      {"powertower[2;3]", "16"},
      {"powertower[2;3,7]", "16"},
      {"powertower[2;1]", "2"},
      {"powertower[2;-5]", "2"},
      {"powertower[0;2]", "1"},
      {"powertower[0;3]", "0"},
      {"powertower[2;6]", "INF"},
      {"powertower[2;1E18]", "INF"},
      {"root[3;27]", "3"},
      {"root[2;0]", "0"},
      {"root[-1;2]", "0,5"},
      {"root[2;-4]", "NAN"},
      {"root[0;5]", kDivisionByZero},
      {"log[8;2]", "3"},
      {"log[2;8]", "0,333333333333333"},
      {"log[2;1]", kDivisionByZero},
      {"log[1;1]", kInvalidOperation},
      {"log[0;2]", kInvalidOperation},
      {"log[0;1]", kInvalidOperation},
      {"log[-8;2]", kInvalidOperation},
      {"log[8;-2]", kInvalidOperation},
      {"colog[8;2]", "-3"},
      {"colog[0;2]", kDivisionByZero},
      {"colog[0;-2]", kDivisionByZero},
      {"colog[-8;2]", kInvalidOperation},
      {"colog[8;1]", kDivisionByZero},
      {"hypot[3;4]", "5"},
      {"hypot[1E4000;1E4000]", "1,4142135623731E4000"},
      {"hypot[1E4932;1E4932]", kOverflow},
  });
}

// Quotient, rounding and product are all in double: 1.005 is just below
// 1.005 as a double, so it rounds down where an extended quotient would not.
TEST(RoundToFunction, RoundsInDoubleToEvenMultiples) {
  ExpectOutcomes({
      {"roundto[1234,5678;2]", "1200"},
      {"roundto[1234,5678;-2]", "1234,57"},
      {"roundto[2,5;0]", "2"},
      {"roundto[3,5;0]", "4"},
      {"roundto[-2,5;0]", "-2"},
      {"roundto[15;1]", "20"},
      {"roundto[25;1]", "20"},
      {"roundto[0,125;-2]", "0,12"},
      {"roundto[1,005;-2]", "1"},
      {"roundto[123;256]", "123"},  // 256 is 0 as an 8-bit value
      {"roundto[1E23;23]", "1E23"},
      {"roundto[1E19;0]", kInvalidOperation},
      {"roundto[1;-128]", kInvalidOperation},
      {"roundto[1E400;0]", kOverflow},
      {"roundto[1E300;-100]", kOverflow},
  });
}

// The rounds depend on the previous value alone; a height far beyond what
// could be run must give what running every round would give.
TEST(PowerTowerFunction, MatchesTheRoundByRoundLoop) {
  for (const long double x : {0.01L, 0.5L, 1.2L, 0.06L}) {
    for (const int height : {999, 1000, 1001}) {
      long double r = x;
      for (int i = 0; i < height - 1; ++i) r = std::pow(x, r);
      FunctionState state;
      const long double values[] = {x, static_cast<long double>(height)};
      EXPECT_EQ(FloatToStr(ComputeFunction("powertower", values, state)), FloatToStr(r))
          << static_cast<double>(x) << " " << height;
    }
  }
  // 0.01 settles into two alternating values; 1E18 - 1 rounds are odd like 999.
  EXPECT_EQ(Outcome("powertower[0,01;1E18]"), Outcome("powertower[0,01;1000]"));
  EXPECT_EQ(Outcome("powertower[0,01;1000000000000000001]"), Outcome("powertower[0,01;1001]"));
  EXPECT_NE(Outcome("powertower[0,01;1000]"), Outcome("powertower[0,01;1001]"));
}

TEST(BitwiseFunctions, WorkOnInt32Values) {
  ExpectOutcomes({
      {"not[0]", "-1"},
      {"not[5]", "-6"},
      {"and[12;10]", "8"},
      {"or[12;10]", "14"},
      {"xor[12;10]", "6"},
      {"nand[12;10]", "-9"},
      {"nor[12;10]", "-15"},
      {"xnor[12;10]", "-7"},
      {"or[2,9;-2,9]", "-2"},
      {"lsh[1;33]", "2"},
      {"lsh[1;31]", "-2147483648"},
      {"lsh[3;-1]", "-2147483648"},
      {"rsh[-8;1]", "-4"},
      {"rsh[-1;31]", "-1"},
      {"rsh[1073741824;30]", "1"},
      {"and[4294967296;1]", "0"},
      {"and[4294967295;-1]", "-1"},
      {"and[1E19;1]", kInvalidOperation},
      {"not[1E19]", kInvalidOperation},
  });
}

TEST(RelationalFunctions, CompareExactly) {
  ExpectOutcomes({
      {">[2;1]", "1"},
      {">[1;2]", "0"},
      {"<=[2;1]", "0"},
      {"<=[1;1]", "1"},
      {">=[1;1]", "1"},
      {"<[1;2]", "1"},
      {"==[0,1;0,1]", "1"},
      {"==[0,3;0,30000000000000001]", "0"},
      {"!=[1;1]", "0"},
      {"!=[1;-1]", "1"},
  });
}

// Draws `count` values of one call from one generator state.
std::multiset<long double> Draws(std::string_view call, int count, FunctionState& state) {
  std::multiset<long double> values;
  for (int i = 0; i < count; ++i) values.insert(Compute(call, state));
  return values;
}

TEST(RandomFunctions, StayInTheirRanges) {
  struct RangeCase {
    std::string call;
    long double low;
    long double high;
  };
  const std::vector<RangeCase> cases = {
      {"random[6]", 0, 6},        {"random[-5]", 0, 3},           {"random[1,5]", 0, 1},
      {"randomrange[1;6]", 1, 6}, {"randomrange[-3;-1]", -3, -1}, {"randomrange[6;1]", 2, 5},
  };
  FunctionState state;
  for (const RangeCase& c : cases) {
    const auto values = Draws(c.call, 2000, state);
    EXPECT_EQ(*values.begin(), c.low) << c.call;
    EXPECT_EQ(*values.rbegin(), c.high) << c.call;
    for (const long double v : values) ASSERT_EQ(v, std::trunc(v)) << c.call;
  }
  ExpectOutcomes({
      {"random[0]", "0"},
      {"random[-1]", "0"},
      {"randomrange[3;2]", "3"},
      {"randomgaussian[0;0]", "0"},
      {"randomgaussian[7;0]", "7"},
      {"random[1E19]", kInvalidOperation},
  });
}

TEST(RandomFunctions, RandomRepeatsItsSequenceForEveryNewState) {
  FunctionState first;
  FunctionState second;
  std::vector<long double> a;
  std::vector<long double> b;
  for (int i = 0; i < 50; ++i) {
    a.push_back(Compute("random[1000000]", first));
    b.push_back(Compute("random[1000000]", second));
  }
  EXPECT_EQ(a, b);
  EXPECT_GT(std::set<long double>(a.begin(), a.end()).size(), 45u);
}

TEST(RandomFunctions, GaussianHasTheRequestedMeanAndSpread) {
  FunctionState state;
  constexpr int kCount = 20000;
  long double sum = 0;
  long double squares = 0;
  for (int i = 0; i < kCount; ++i) {
    const long double v = Compute("randomgaussian[5;2]", state);
    sum += v;
    squares += v * v;
  }
  const long double mean = sum / kCount;
  const long double deviation = std::sqrt(squares / kCount - mean * mean);
  // Both estimates are within about 0.015 at one standard error.
  EXPECT_NEAR(static_cast<double>(mean), 5.0, 0.1);
  EXPECT_NEAR(static_cast<double>(deviation), 2.0, 0.1);
}

}  // namespace
}  // namespace korvex
