// The answer-output step: stored answer, bit count, separator and answer text
// in each number system, and its two failures.
#include "output/show_answer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "output/format_float.h"

namespace korvex {
namespace {

GeneralSettings System(NumberSystem system) {
  GeneralSettings general;
  general.number_system = static_cast<int>(system);
  return general;
}

TEST(ShowAnswer, WritesDecimalAnswersThroughPrefixMaskAndSuffix) {
  GeneralSettings point;
  point.point = true;
  MaskSettings fixed;
  fixed.mask = "0.00";
  MaskSettings grouped;
  grouped.mask = "#,##0.00";
  grouped.suffix = " EUR";
  const struct {
    const char* result;
    MaskSettings mask;
    GeneralSettings general;
    const char* locale_thousands;
    const char* text;
    char separator;
  } cases[] = {
      {"3,5", MaskSettings{}, GeneralSettings{}, "", "= 3,5", ','},
      {"3,5", MaskSettings{}, point, "", "= 3.5", '.'},
      {"0,666666666666667", fixed, GeneralSettings{}, "", "= 0,67", ','},
      {"0,5", MaskSettings{"= ", "#.##", ""}, GeneralSettings{}, "", "= ,5", ','},
      {"-5", MaskSettings{"= ", "'Total: '0.00", ""}, GeneralSettings{}, "", "= -Total: 5,00", ','},
      {"1234567,891", grouped, GeneralSettings{}, "", "= 1.234.567,89 EUR", ','},
      {"1234567,891", grouped, point, "", "= 1,234,567.89 EUR", '.'},
      {"1234567,891", grouped, GeneralSettings{}, ",", "= 1.234.567,89 EUR", ','},
      {"1234567,891", grouped, point, ",", "= 1,234,567.89 EUR", '.'},
      {"1234567,891", grouped, GeneralSettings{}, "'", "= 1'234'567,89 EUR", ','},
  };
  for (const auto& c : cases) {
    const ShownAnswer shown = ShowAnswer(c.result, c.mask, c.general, c.locale_thousands);
    EXPECT_FALSE(shown.failure.has_value()) << c.result;
    EXPECT_EQ(shown.text, c.text) << c.result;
    EXPECT_EQ(shown.decimal_separator, c.separator) << c.result;
  }
}

TEST(ShowAnswer, WritesScientificNotationWithoutPrefixOrSuffix) {
  MaskSettings mask{"= ", "0.00", " m"};
  GeneralSettings general;
  general.scientific = true;
  ShownAnswer shown = ShowAnswer("12345", mask, general, "");
  EXPECT_EQ(shown.text, "1,2345*10^4");
  EXPECT_EQ(shown.decimal_separator, ',');
  general.point = true;
  shown = ShowAnswer("0,001", mask, general, "");
  EXPECT_EQ(shown.text, "10*10^-4");
  shown = ShowAnswer("-0,5", mask, general, "");
  EXPECT_EQ(shown.text, "-5*10^-1");
  EXPECT_EQ(shown.decimal_separator, '.');
}

TEST(ShowAnswer, ConvertsToOtherNumberSystemsWithoutPrefixMaskOrSuffix) {
  const MaskSettings mask{"= ", "0.00", " m"};
  GeneralSettings octal_point = System(NumberSystem::kOctal);
  octal_point.point = true;  // only the decimal system uses it
  GeneralSettings quaternary_8 = System(NumberSystem::kQuaternary);
  quaternary_8.precision = 8;
  GeneralSettings unselected;
  unselected.number_system = -1;
  GeneralSettings beyond;
  beyond.number_system = 7;
  const struct {
    const char* result;
    GeneralSettings general;
    const char* text;
  } cases[] = {
      {"10,5", System(NumberSystem::kHexadecimal), "0 A 8"},
      {"16", System(NumberSystem::kHexadecimal), "0 10 "},
      {"-5", System(NumberSystem::kBinary), "1 1011 "},
      {"-8", octal_point, "1 10 "},
      {"0,333333333333333", quaternary_8, "0 0 1111"},
      {"255", unselected, "0 11111111 "},  // no entry selected: binary
      {"-4", beyond, "1 100 "},
      {"281474976710655", System(NumberSystem::kHexadecimal), "0 FFFFFFFFFFFF "},
      {"-281474976710655", System(NumberSystem::kHexadecimal), "1 1000000000001 "},
  };
  for (const auto& c : cases) {
    const ShownAnswer shown = ShowAnswer(c.result, mask, c.general, "");
    EXPECT_FALSE(shown.failure.has_value()) << c.result;
    EXPECT_EQ(shown.text, c.text) << c.result;
    EXPECT_EQ(shown.decimal_separator, ',') << c.result;
  }
}

TEST(ShowAnswer, RefusesConversionFrom48BitsButKeepsTheAnswer) {
  const GeneralSettings hexadecimal = System(NumberSystem::kHexadecimal);
  const struct {
    const char* result;
    long double stored;
    const char* bits;
  } cases[] = {
      {"281474976710656", 0x1p48L, "49 bit"},
      {"-281474976710656", -0x1p48L, "49 bit"},
      {"-281474976710655,5", -(0x1p48L - 0.5L), "48 bit"},  // its floor is -2^48
      {"1E20", 1e20L, "67 bit"},
  };
  for (const auto& c : cases) {
    const ShownAnswer shown = ShowAnswer(c.result, MaskSettings{}, hexadecimal, "");
    ASSERT_TRUE(shown.failure.has_value()) << c.result;
    EXPECT_EQ(shown.failure->kind, AnswerFailure::Kind::kConversion);
    EXPECT_EQ(shown.failure->message, "Max 48 bit conversion");
    EXPECT_EQ(shown.failure->title, "Conversion error");
    EXPECT_EQ(shown.stored_answer, c.stored) << c.result;
    EXPECT_EQ(shown.bit_count, c.bits) << c.result;
  }
  // The decimal system has no such limit.
  const ShownAnswer decimal = ShowAnswer("281474976710656", MaskSettings{}, GeneralSettings{}, "");
  EXPECT_FALSE(decimal.failure.has_value());
  EXPECT_EQ(decimal.text, "= 281474976710656");
}

TEST(ShowAnswer, CountsTheBitsOfTheMagnitudeInEverySystem) {
  const struct {
    const char* result;
    const char* bits;
  } cases[] = {
      {"0", "1 bit"},
      {"1", "1 bit"},
      {"0,5", "1 bit"},
      {"10", "4 bit"},
      {"-10", "4 bit"},
      {"10,9", "4 bit"},
      {"281474976710656", "49 bit"},
      {"9223372036854775807", "63 bit"},
      // Past the 64-bit integers the count comes from the binary exponent.
      {"9223372036854775808", "64 bit"},
      {"1E20", "67 bit"},
      {"-1E4000", "13288 bit"},
  };
  for (const int system : {0, 1, 4}) {
    GeneralSettings general;
    general.number_system = system;
    for (const auto& c : cases) {
      EXPECT_EQ(ShowAnswer(c.result, MaskSettings{}, general, "").bit_count, c.bits)
          << c.result << " in system " << system;
    }
  }
}

TEST(ShowAnswer, ReportsARefusedMaskAfterStoringTheAnswer) {
  MaskSettings mask;
  mask.mask = std::string(225, '#');
  const ShownAnswer shown = ShowAnswer("-10", mask, GeneralSettings{}, "");
  ASSERT_TRUE(shown.failure.has_value());
  EXPECT_EQ(shown.failure->kind, AnswerFailure::Kind::kFormat);
  EXPECT_EQ(shown.failure->message, "Format string too long");
  EXPECT_EQ(shown.stored_answer, -10);
  EXPECT_EQ(shown.bit_count, "4 bit");
  // Scientific notation does not use the mask.
  GeneralSettings scientific;
  scientific.scientific = true;
  EXPECT_FALSE(ShowAnswer("-10", mask, scientific, "").failure.has_value());
}

TEST(ShowAnswer, RejectsAResultThatIsNotANumberText) {
  EXPECT_THROW(ShowAnswer("abc", MaskSettings{}, GeneralSettings{}, ""), std::invalid_argument);
  EXPECT_THROW(ShowAnswer("1.5", MaskSettings{}, GeneralSettings{}, ""), std::invalid_argument);
}

TEST(MaskPreview, JoinsPrefixMaskedValueAndSuffix) {
  EXPECT_EQ(MaskPreview(MaskSettings{}, 0, ',', '.'), "= 0");
  EXPECT_EQ(MaskPreview(MaskSettings{"= ", "0.00", " m"}, 3.5L, ',', '.'), "= 3,50 m");
  EXPECT_EQ(MaskPreview(MaskSettings{"", "#,##0.0", ""}, 1234.5L, '.', ','), "1,234.5");
  EXPECT_THROW(MaskPreview(MaskSettings{"", std::string(225, '0'), ""}, 1, ',', '.'),
               FormatFailure);
}

TEST(NumberSystemName, GivesTheListEntries) {
  EXPECT_EQ(NumberSystemName(0), "Hexadecimal (base 16)");
  EXPECT_EQ(NumberSystemName(1), "Decimal (base 10)");
  EXPECT_EQ(NumberSystemName(2), "Octal (base 8)");
  EXPECT_EQ(NumberSystemName(3), "Quaternary (base 4)");
  EXPECT_EQ(NumberSystemName(4), "Binary (base 2)");
  EXPECT_EQ(NumberSystemName(5), "");
  EXPECT_EQ(NumberSystemName(-1), "");
}

}  // namespace
}  // namespace korvex
