// Scientific notation of answers, including the mantissa-of-ten cases.
#include "output/scientific_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/number_text.h"

namespace korvex {
namespace {

TEST(ScientificText, ScalesByStepsOfTen) {
  const struct {
    long double value;
    const char* text;
  } cases[] = {
      {12345, "1,2345*10^4"}, {0, "0*10^0"},     {-0.5L, "-5*10^-1"},
      {10, "10*10^0"},        {1000, "10*10^2"},  // the second step lands on exactly 10
      {11, "1,1*10^1"},       {1, "1*10^0"},     {-250, "-2,5*10^2"},
      {1e300L, "1*10^300"},   {INFINITY, "INF"}, {NAN, "NAN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScientificText(c.value, ','), c.text) << static_cast<double>(c.value);
  }
}

TEST(ScientificText, TakesTheTypedAnswerAndTheSeparatorInForce) {
  // 0,001 is just below a thousandth in 80 bits: three steps leave it below
  // 1, the fourth gives 9.99... which fifteen digits write as 10.
  EXPECT_EQ(ScientificText(*StrToFloat("0,001"), ','), "10*10^-4");
  EXPECT_EQ(ScientificText(12345, '.'), "1.2345*10^4");
  EXPECT_EQ(ScientificText(*StrToFloat("1E-4000"), ','), "1*10^-4000");
}

}  // namespace
}  // namespace korvex
