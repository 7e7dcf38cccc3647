// Worked examples of the mask language.
#include "output/format_float.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace korvex {
namespace {

struct MaskCase {
  const char* mask;
  long double value;
  const char* text;
};

// Decimal comma with "." grouping unless a table says otherwise.
void ExpectTable(const MaskCase* begin, const MaskCase* end, char decimal = ',',
                 char thousands = '.') {
  for (const MaskCase* c = begin; c != end; ++c) {
    EXPECT_EQ(FormatFloat(c->mask, c->value, decimal, thousands), c->text)
        << "mask \"" << c->mask << "\" value " << static_cast<double>(c->value);
  }
}

TEST(FormatFloat, PlacesDigitsThroughZeroAndHashPlaceholders) {
  const MaskCase cases[] = {
      {"0.00", 2.0L / 3, "0,67"},
      {"#.##", 0.5L, ",5"},
      {"#.##", 1, "1"},  // no decimals to write: no separator
      {"00000", 42, "00042"},
      {"#", 0, ""},
      {"0", 0, "0"},
      {"0.##", 0, "0"},
      {"0.####", 1234.5L, "1234,5"},
      {"0.####", 0.00004L, "0"},
      {"0.##", 1.5L, "1,5"},
      {"#0.00#", 12.3456L, "12,346"},
      {"##0.0#", 0.5L, "0,5"},
      // Digits beyond the placeholders all go to the first one.
      {"0", 12345, "12345"},
      {"x0y0", 123, "x12y3"},
      {"#-##", 12345, "123-45"},
      // The leftmost "0" before the point and the rightmost after it set the
      // minimum digits, "#" inside that span included.
      {"#0#", 5, "05"},
      {"#0#", 0, "00"},
      {"0.#0", 1, "1,00"},
      {"0.#0", 1.5L, "1,50"},
      {"#.0#", 0.25L, ",25"},
      // No placeholder before the point: the whole part stands before it.
      {".00", 12.5L, "12,50"},
      {".00", 0.5L, ",50"},
      // Later points are ignored.
      {"0.0.0", 1.25L, "1,25"},
      // No placeholder at all writes no digits.
      {"'n/a'", 7, "n/a"},
  };
  ExpectTable(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, WritesTheSeparatorsInForce) {
  const MaskCase comma[] = {
      {"0,", 2048, "2.048"},
      {"#,##0.00", 1234567.891L, "1.234.567,89"},
      {"#,##0", 999, "999"},
      {"#,##0", 1000, "1.000"},
      {"#,##0", -1234567, "-1.234.567"},
      {"#,##0.00", 0.5L, "0,50"},
      {"0,000", 5, "0.005"},
      {"#,##0", 123456789012345678.0L, "123.456.789.012.345.678"},
  };
  ExpectTable(std::begin(comma), std::end(comma));
  const MaskCase point[] = {
      {"#,##0.00", 1234.5L, "1,234.50"},
      {"0.00", 2.0L / 3, "0.67"},
      {"0.0E+00", 12345, "1.2E+04"},
  };
  ExpectTable(std::begin(point), std::end(point), '.', ',');
  // Without a grouping character nothing is inserted.
  EXPECT_EQ(FormatFloat("#,##0", 1234567, ',', '\0'), "1234567");
}

TEST(FormatFloat, RoundsHalfAwayFromZeroOnTheExactValue) {
  const MaskCase cases[] = {
      {"0.00", 0.125L, "0,13"},
      {"0.00", -0.125L, "-0,13"},
      {"0", 2.5L, "3"},
      {"0", -2.5L, "-3"},
      {"0", 1.5L, "2"},
      {"0", 0.5L, "1"},
      {"0", 9.5L, "10"},
      {"0.0", 9.96L, "10,0"},
      // Just below a tie in 80 bits (a double would round these up to the tie).
      {"0", 2.5L - 0x1p-62L, "2"},
      {"0.00", 0.125L - 0x1p-66L, "0,12"},
      // Just above.
      {"0", 2.5L + 0x1p-62L, "3"},
  };
  ExpectTable(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, ChoosesSectionsAndSigns) {
  const MaskCase cases[] = {
      {"0.0;(0.0);'zero'", -2, "(2,0)"},
      {"0.0;(0.0);'zero'", 0, "zero"},
      {"0.0;(0.0);'zero'", 2, "2,0"},
      {"0.0;(0.0);'zero'", -0.0L, "zero"},
      // Rounding to nothing counts as zero, in either sign's section.
      {"0.0;(0.0);'zero'", -0.01L, "zero"},
      {"0.0;(0.0);'zero'", 0.01L, "zero"},
      {"0.00;'neg'", -0.001L, "0,00"},
      {"0.0", -0.01L, "0,0"},
      {"#", -0.4L, ""},
      // The first section's sign comes before everything it writes.
      {"'Total: '0.00", -5, "-Total: 5,00"},
      {"0' kg'", -5, "-5 kg"},
      // A section of its own carries no sign; an empty one falls back.
      {"0;0", -3, "3"},
      {"0.0;;'zero'", -2, "-2,0"},
      {"0.0;(0.0)", 0, "0,0"},
      {"0;(0);", 0, "0"},
      // An empty section that is finally chosen writes the general text.
      {"", -2.5L, "-2,5"},
      {"", 1e20L, "1E20"},
      {";(0)", 5, "5"},
      {";(0)", 2.5L, "2,5"},
      {";(0)", -5, "(5)"},
      {";(0)", -0.2L, "0"},
      // Sections past the third are ignored; quoted ";" does not separate.
      {"a;b;c;d", 0, "c"},
      {"'x;y'0;(0)", 1, "x;y1"},
      {"'x;y'0;(0)", -1, "(1)"},
  };
  ExpectTable(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, CopiesLiteralText) {
  const MaskCase cases[] = {
      {"0 'm'", 5, "5 m"}, {"\"#0.\"0", 5, "#0.5"}, {"'say \"hi\" '0", 1, "say \"hi\" 1"},
      {"[0]", 7, "[7]"},   {"0 E", 3, "3 E"},       // "E" without a sign is plain text
      {"0e", 3, "3e"},     {"'open0", 4, "open0"},  // an unclosed quote runs to the end
      {"0 €", 2, "2 €"},
  };
  ExpectTable(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, WritesScientificForms) {
  const MaskCase cases[] = {
      {"0.000E+00", 12345, "1,235E+04"},
      {"0.00E+00", 12345, "1,23E+04"},
      {"0.00E-00", 12345, "1,23E04"},
      {"0.00e-00", 0.00012345L, "1,23e-04"},
      {"0.00e+0", 0.00012345L, "1,23e-4"},
      {"0.00e-0", 0.00012345L, "1,23e-4"},
      {"0.00E+0000", 1.5e300L, "1,50E+0300"},
      {"0E+", 5e7L, "5E+7"},
      {"0E+0", 25, "3E+1"},  // half away from zero on significant digits
      {"0.0E+0", 0.125L, "1,3E-1"},
      {"00.0E+00", 12345, "12,3E+03"},
      {".00E+00", 12345, ",12E+05"},  // no integer place: 0.ddd form
      {"#.##E+00", 0, "E+00"},
      {"0.###E+00", 12000, "1,2E+04"},
      {"0.0E+00", 9.96L, "1,0E+01"},
      {"0.0E+00", 0, "0,0E+00"},
      {"0.0E+00", -12345, "-1,2E+04"},
      {"0.00E+00", 1e30L, "1,00E+30"},  // no 18-digit limit here
      {"0.0E+00;(0.0E+00)", -12345, "(1,2E+04)"},
  };
  ExpectTable(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, FallsBackToTheGeneralTextBeyondEighteenDigitsAndForNonFinite) {
  const MaskCase cases[] = {
      {"0", 999999999999999999.0L, "999999999999999999"},
      {"0", 1e18L, "1E18"},
      {"0", -1e18L, "-1E18"},
      {"0.00", 1e25L, "1E25"},
      {"0", 999999999999999999.5L, "1E18"},  // 19 digits once rounded
      {"0.00", INFINITY, "INF"},
      {"0.00", -INFINITY, "-INF"},
      {"0.00", NAN, "NAN"},
  };
  ExpectTable(std::begin(cases), std::end(cases));
}

TEST(FormatFloat, RefusesMasksLongerThan224Characters) {
  const std::string longest(224, '0');
  EXPECT_EQ(FormatFloat(longest, 1, ',', '.'), std::string(223, '0') + "1");
  try {
    FormatFloat(longest + "0", 1, ',', '.');
    FAIL() << "a 225-character mask was accepted";
  } catch (const FormatFailure& failure) {
    EXPECT_STREQ(failure.what(), "Format string too long");
  }
  // Characters, not bytes.
  std::string accented;
  for (int i = 0; i < 224; ++i) accented += "é";
  EXPECT_EQ(FormatFloat(accented, 1, ',', '.'), accented);
  EXPECT_THROW(FormatFloat(accented + "é", 1, ',', '.'), FormatFailure);
  // Long decimal masks stay exact.
  const std::string many_decimals = "0." + std::string(200, '0');
  EXPECT_EQ(FormatFloat(many_decimals, 0.5L, ',', '.'), "0,5" + std::string(199, '0'));
}

}  // namespace
}  // namespace korvex
