#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <string>

namespace korvex {
namespace {

TEST(FloatToStr, WritesFifteenSignificantDigitsInFixedOrScientificForm) {
  const struct {
    long double value;
    const char* text;
  } cases[] = {
      {14, "14"},
      {1.0L / 3, "0,333333333333333"},
      {std::sqrt(2.0L), "1,4142135623731"},
      {1e-4L, "0,0001"},
      {1e-5L, "1E-5"},
      {1e15L, "1E15"},
      {1e14L, "100000000000000"},
      {1e20L, "1E20"},
      {0, "0"},
      {-0.0L, "0"},
      {-6, "-6"},
      {-0.25L, "-0,25"},
      {123456789012345678.0L, "1,23456789012346E17"},
      {0.00123L, "0,00123"},
      {-1.5e-7L, "-1,5E-7"},
      {2.0L / 3 * 3, "2"},
      {999999999999999.5L, "1E15"},  // the carry moves the exponent
      {1.18973149535723176502e+4932L, "1,18973149535723E4932"},
      {INFINITY, "INF"},
      {-INFINITY, "-INF"},
      {NAN, "NAN"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStr(c.value), c.text) << static_cast<double>(c.value);
}

TEST(FloatToStr, RoundsExactDecimalTiesAwayFromZero) {
  // 16-digit integers are exact in 80 bits, so these are true ties.
  EXPECT_EQ(FloatToStr(1234567890123445.0L), "1,23456789012345E15");
  EXPECT_EQ(FloatToStr(1234567890123455.0L), "1,23456789012346E15");
  EXPECT_EQ(FloatToStr(-1234567890123445.0L), "-1,23456789012345E15");
  // Just below and above a tie go to the nearer neighbour.
  EXPECT_EQ(FloatToStr(1234567890123444.0L), "1,23456789012344E15");
  EXPECT_EQ(FloatToStr(1234567890123446.0L), "1,23456789012345E15");
  EXPECT_EQ(FloatToStr(0.5L, '.'), "0.5");
}

// Reference rounding on the exact decimal expansion: glibc prints the exact
// value when asked for enough digits (80-bit values near 1 terminate within
// 70 digits), and the decimal string is rounded half away from zero by hand.
std::string ReferenceDigits(long double value) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%.70Le", value);
  std::string digits;
  digits += buffer[0];
  for (int i = 2; i < 72; ++i) digits += buffer[i];
  // digits holds 71 significant digits; check the tail is exact (zeros).
  std::string kept = digits.substr(0, 15);
  if (digits[15] >= '5') {
    int i = 14;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i >= 0)
      ++kept[i];
    else
      kept = "1" + kept.substr(0, 14);
  }
  return kept;
}

TEST(FloatToStr, AgreesWithExactExpansionOverManyValues) {
  long double value = 1.0L;
  for (int i = 0; i < 2000; ++i) {
    value = value * 1.000123456789L + 0.000000123L;
    const long double x = value / 7;  // values in (0.1, 10) whose expansion is exact in 70 digits
    if (x < 1 || x >= 10) continue;
    std::string expected = ReferenceDigits(x);
    while (expected.size() > 1 && expected.back() == '0') expected.pop_back();
    std::string text = FloatToStr(x);
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    EXPECT_EQ(text, expected) << i;
  }
}

TEST(StrToFloat, AcceptsTheEngineGrammar) {
  const struct {
    const char* text;
    long double value;
  } cases[] = {
      {"12", 12},
      {"3,5", 3.5L},
      {"-7", -7},
      {",5", 0.5L},
      {",", 0},
      {"+2", 2},
      {" 42 ", 42},
      {"1E3", 1000},
      {"1,5e-3", 0.0015L},
      {"2E+2", 200},
      {"-0,25", -0.25L},
      {"5,", 5},
      {"0,1", 0.1L},
      {"1,18973149535723E4932", 1.18973149535723e4932L},
  };
  for (const auto& c : cases) {
    const auto value = StrToFloat(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
}

TEST(StrToFloat, RejectsEverythingElse) {
  for (const char* text :
       {"",   " ",   "-",  "+",   "1.5", "1,2,3",  "abc",  "INF",    "NAN", "-INF",
        "1E", "1E+", "E5", "1 2", "--1", "1e5000", "0x10", "1,5E3x", "+-1", "12a"}) {
    EXPECT_FALSE(StrToFloat(text).has_value()) << '"' << text << '"';
  }
}

TEST(StrToFloat, ReadsThePointWhenItIsTheSeparator) {
  EXPECT_EQ(*StrToFloat("1.5", '.'), 1.5L);
  EXPECT_FALSE(StrToFloat("1,5", '.').has_value());
}

TEST(NumberText, RoundTripsEveryFifteenDigitText) {
  for (const char* text :
       {"0,333333333333333", "1,4142135623731", "1E-5", "-2,5E300", "123456789012345"}) {
    EXPECT_EQ(FloatToStr(*StrToFloat(text)), text);
  }
}

}  // namespace
}  // namespace korvex
