// Answers in bases 16, 8, 4 and 2, and the grouping of bits into digits.
#include "output/base_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace korvex {
namespace {

struct BaseCase {
  long double value;
  int base;
  int precision;
  const char* text;
};

TEST(ConvertToBase, WritesSignIntegerAndFractionFields) {
  const long double pi = std::numbers::pi_v<long double>;
  const long double top = 0x1p48L - 1;
  const BaseCase cases[] = {
      {10.5L, 16, 32, "0 A 8"},
      {16, 16, 32, "0 10 "},
      {255, 2, 32, "0 11111111 "},
      {0, 16, 32, "0 0 "},
      {0, 2, 32, "0 0 "},
      {8, 8, 32, "0 10 "},
      {7, 4, 32, "0 13 "},
      {pi, 2, 32, "0 11 00100100001111110110101010001000"},
      {pi, 16, 32, "0 3 243F6A88"},
      {top, 16, 32, "0 FFFFFFFFFFFF "},
      {top, 2, 32, "0 111111111111111111111111111111111111111111111111 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertToBase(c.value, c.precision, c.base), c.text)
        << static_cast<double>(c.value) << " base " << c.base;
  }
}

TEST(ConvertToBase, WritesNegativeIntegersInTwosComplement) {
  const long double pi = std::numbers::pi_v<long double>;
  const BaseCase cases[] = {
      {-5, 2, 32, "1 1011 "},
      {-4, 2, 32, "1 100 "},
      {-1, 16, 32, "1 1 "},
      {-2, 16, 32, "1 2 "},
      {-8, 8, 32, "1 10 "},
      {-pi, 2, 32, "1 101 00100100001111110110101010001000"},
      {-pi, 16, 32, "1 5 243F6A88"},
      // A zero integer part is not complemented; the fraction is the magnitude's.
      {-0.5L, 16, 32, "1 0 8"},
      {-0.5L, 2, 32, "1 0 1"},
      // 49 bits: the pattern keeps its leading 1.
      {-(0x1p48L - 1), 16, 32, "1 1000000000001 "},
      {-(0x1p48L - 1), 2, 32, "1 1000000000000000000000000000000000000000000000001 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertToBase(c.value, c.precision, c.base), c.text)
        << static_cast<double>(c.value) << " base " << c.base;
  }
}

TEST(ConvertToBase, CutsFractionBitsAndPadsThemToWholeDigits) {
  const long double third = 1.0L / 3;
  const BaseCase cases[] = {
      {third, 2, 8, "0 0 01010101"},
      {third, 16, 8, "0 0 55"},
      {third, 8, 8, "0 0 252"},  // 8 bits padded to 9
      {third, 4, 8, "0 0 1111"},
      {0.1L, 8, 32, "0 0 06314631462"},  // 32 bits padded to 33
      {0.1L, 16, 64, "0 0 1999999999999999"},
      {0.1L, 2, 8, "0 0 00011001"},
      {0.75L, 8, 32, "0 0 6"},   // two bits padded to three
      {0.25L, 16, 32, "0 0 4"},  // the fraction ends before the precision
      {2.5L, 4, 32, "0 2 2"},
      // Out-of-range precisions from a hand-edited file stay harmless.
      {third, 2, 0, "0 0 "},
      {third, 2, -3, "0 0 "},
      {0.1L, 2, 100000, "0 0 0001100110011001100110011001100110011001100110011001100110011001101"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertToBase(c.value, c.precision, c.base), c.text)
        << static_cast<double>(c.value) << " base " << c.base << " precision " << c.precision;
  }
}

TEST(ConvertToBase, GivesTheGeneralTextForNonFiniteValues) {
  EXPECT_EQ(ConvertToBase(INFINITY, 32, 16), "INF");
  EXPECT_EQ(ConvertToBase(-INFINITY, 32, 2), "-INF");
  EXPECT_EQ(ConvertToBase(NAN, 32, 8), "NAN");
}

TEST(GroupBits, MakesDigitsFromTheLeastSignificantEnd) {
  const struct {
    const char* bits;  // least significant first
    int base;
    const char* digits;  // least significant first
  } cases[] = {
      {"0101", 16, "A"},
      {"00001", 16, "01"},
      {"1111111", 16, "F7"},  // the top digit has only
                              // three bits
      {"1101", 8, "31"},
      {"0001", 8, "01"},
      {"111", 4, "31"},
      {"1011", 4, "13"},
      {"", 16, ""},
      {"101", 2, "101"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GroupBits(c.bits, c.base), c.digits) << c.bits << " base " << c.base;
  }
}

}  // namespace
}  // namespace korvex
