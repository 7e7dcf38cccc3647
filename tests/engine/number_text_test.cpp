#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/number_text_reference.h"

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

// ---------------------------------------------------------------------------
// The fast conversions against the original ones (namespace reference), on a
// seeded random sample over the whole extended range.

std::string Describe(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.21Lg (%La)", value, value);
  return buffer;
}

// The same 80 bits, the sign of zero included.
bool SameValue(const std::optional<long double>& a, const std::optional<long double>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a.has_value() || std::memcmp(&*a, &*b, 10) == 0;
}

long double FromFields(std::uint64_t mantissa, int biased, bool negative) {
  unsigned char bytes[sizeof(long double)] = {};
  const auto sign_exponent = static_cast<std::uint16_t>(biased | (negative ? 0x8000 : 0));
  std::memcpy(bytes, &mantissa, 8);
  std::memcpy(bytes + 8, &sign_exponent, 2);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// Values of every kind the fast paths treat differently.
class ValueSample {
 public:
  explicit ValueSample(std::uint64_t seed) : random_(seed) {}

  long double Next() {
    const long double value = Pick();
    // Any value also goes in with its neighbours now and then.
    switch (Below(8)) {
      case 0:
        return std::nextafterl(value, INFINITY);
      case 1:
        return std::nextafterl(value, -INFINITY);
      default:
        return value;
    }
  }

 private:
  std::uint64_t Bits() { return random_(); }
  int Below(int n) { return static_cast<int>(Bits() % static_cast<std::uint64_t>(n)); }
  bool Coin() { return (Bits() & 1) != 0; }
  long double Signed(long double v) { return Coin() ? -v : v; }

  long double Pick() {
    switch (Below(12)) {
      case 0:
      case 1:  // any normal value
        return FromFields(Bits() | (1ULL << 63), 1 + Below(32766), Coin());
      case 2:  // magnitudes where numbers are usually written
        return FromFields(Bits() | (1ULL << 63), 16383 - 200 + Below(400), Coin());
      case 3:  // subnormal
        return FromFields(Bits() >> Below(64), 0, Coin());
      case 4: {  // whole values of any size below 2^64
        const std::uint64_t n = Bits() >> Below(64);
        return Signed(static_cast<long double>(n));
      }
      case 5: {  // around 10^15 and 10^16, whole and not
        const long double base = Coin() ? 1e15L : 1e16L;
        const long double offset = static_cast<long double>(Below(2001) - 1000) / (1 << Below(4));
        return Signed(base + offset);
      }
      case 6:
        return Signed(ExactDecimalTie());
      case 7: {  // a 15-digit decimal read back (the round trip's fixed points)
        char text[64];
        std::snprintf(
            text, sizeof text, "%llu,%lluE%d", static_cast<unsigned long long>(1 + Below(9)),
            static_cast<unsigned long long>(Bits() % 100000000000000ULL), Below(9860) - 4930);
        return Signed(reference::StrToFloat(text).value_or(1.0L));
      }
      case 8: {  // 15 digits and a 5 after them, not exact in binary
        char text[64];
        std::snprintf(
            text, sizeof text, "%llu5E%d",
            static_cast<unsigned long long>(100000000000000ULL + Bits() % 900000000000000ULL),
            Below(200) - 100);
        return Signed(reference::StrToFloat(text).value_or(1.0L));
      }
      case 9: {  // the ends of the range
        const long double ends[] = {LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, 1.0L,
                                    0.0L,     1e-4L,    1e-3L,         0.1L,
                                    1e4932L,  1e-4931L, 1e-4940L,      9.999999999999995e14L};
        long double value = ends[Below(12)];
        for (int steps = Below(4); steps > 0; --steps) value = std::nextafterl(value, 0.0L);
        return Signed(value);
      }
      case 10: {  // small whole values and simple fractions
        return Signed(static_cast<long double>(Below(100000)) / (1 << Below(12)));
      }
      default: {  // near 10^p for every p
        const long double power = std::pow(10.0L, static_cast<long double>(Below(9860) - 4930));
        return Signed(power * (1 + static_cast<long double>(Below(3) - 1) * LDBL_EPSILON));
      }
    }
  }

  // A value whose exact expansion is 16 significant digits ending in 5: the
  // 15-digit rounding is an exact tie.
  long double ExactDecimalTie() {
    if (Coin()) {
      // X x 10^-j / 2 with X odd, 16 digits and a multiple of 5^j: y / 2^(j+1).
      const int j = Below(22);
      std::uint64_t five_j = 1;
      for (int i = 0; i < j; ++i) five_j *= 5;
      const std::uint64_t low = 200000000000001ULL / five_j + 1;
      const std::uint64_t high = 2000000000000000ULL / five_j;
      if (high <= low) return 0.5L;
      const std::uint64_t y = (low + Bits() % (high - low)) | 1;
      if (y * five_j < 200000000000001ULL || y * five_j >= 2000000000000000ULL) return 0.5L;
      return std::ldexp(static_cast<long double>(y), -(j + 1));
    }
    // (2D + 1) / 2 x 10^j = (2D + 1) x 5^j x 2^(j-1), exact while below 2^64.
    const int j = Below(6);
    std::uint64_t five_j = 1;
    for (int i = 0; i < j; ++i) five_j *= 5;
    const std::uint64_t d = 100000000000000ULL + Bits() % 900000000000000ULL;
    return std::ldexp(static_cast<long double>((2 * d + 1) * five_j), j - 1);
  }

  std::mt19937_64 random_;
};

TEST(NumberTextFastPaths, MatchTheReferenceOnRandomValues) {
  ValueSample sample(20261210);
  int mismatches = 0;
  for (int i = 0; i < 300000 && mismatches < 20; ++i) {
    const long double value = sample.Next();
    const char separator = (i % 16 == 0) ? '.' : ',';
    const std::string text = FloatToStr(value, separator);
    const std::string expected_text = reference::FloatToStr(value, separator);
    const auto rounded = RoundThroughNumberText(value);
    const auto read = StrToFloat(expected_text, separator);
    // reference::RoundThroughNumberText(value) is this reading of the text.
    const auto expected = reference::StrToFloat(expected_text, separator);
    if (text != expected_text || !SameValue(rounded, expected) || !SameValue(read, expected)) {
      ++mismatches;
      ADD_FAILURE() << Describe(value) << ": " << text << " vs " << expected_text << ", "
                    << (rounded ? Describe(*rounded) : "nothing") << " vs "
                    << (expected ? Describe(*expected) : "nothing");
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(NumberTextFastPaths, RoundExactDecimalTiesAwayFromZero) {
  // 16 digits ending in 5 exactly (some only through the reference).
  for (const long double value :
       {1234567890123455.0L, 123456789012345.5L, 12345678901234.55L, 0.1234567890123455L * 8 / 8,
        std::ldexp(1.0L, -1) * 2469135780246911.0L, 2469135780246911.0L * 5000.0L}) {
    EXPECT_EQ(FloatToStr(value), reference::FloatToStr(value)) << Describe(value);
    EXPECT_TRUE(SameValue(RoundThroughNumberText(value), reference::RoundThroughNumberText(value)))
        << Describe(value);
    EXPECT_TRUE(
        SameValue(RoundThroughNumberText(-value), reference::RoundThroughNumberText(-value)))
        << Describe(value);
  }
  EXPECT_EQ(FloatToStr(123456789012345.5L), "123456789012346");
  EXPECT_EQ(FloatToStr(-12345678901234.55L), "-12345678901234,6");
}

TEST(NumberTextFastPaths, KeepTheRangeEndsAndZero) {
  for (const long double value : {LDBL_MAX, -LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, -LDBL_TRUE_MIN,
                                  LDBL_MIN / 3, 0.0L, -0.0L, 1e15L, -1e15L, 1e16L}) {
    EXPECT_EQ(FloatToStr(value), reference::FloatToStr(value)) << Describe(value);
    EXPECT_TRUE(SameValue(RoundThroughNumberText(value), reference::RoundThroughNumberText(value)))
        << Describe(value);
  }
  // "0" reads back as +0.
  EXPECT_TRUE(SameValue(RoundThroughNumberText(-0.0L), 0.0L));
  EXPECT_FALSE(RoundThroughNumberText(INFINITY).has_value());
  EXPECT_FALSE(RoundThroughNumberText(NAN).has_value());
}

// Whole values below 10^15 are taken first, on their bits; values next to
// that edge and next to whole numbers must still read back as their texts do,
// in every rounding mode.
TEST(NumberTextFastPaths, WholeValueShortcutHoldsInEveryRoundingMode) {
  const long double cases[] = {1,
                               2,
                               999999999999999.0L,
                               999999999999999.5L,
                               1e15L - 0.25L,
                               1e15L,
                               1e15L + 1,
                               0.5L,
                               1.5L,
                               1 + std::ldexp(1.0L, -63),
                               std::ldexp(1.0L, 49) + 0.5L,
                               4503599627370497.0L,
                               std::ldexp(1.0L, -16000),
                               123456.0L,
                               0.0L,
                               -0.0L};
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    for (const long double magnitude : cases) {
      for (const long double signed_value : {magnitude, -magnitude}) {
        // Through a volatile so the compiler cannot fold it in the default mode.
        volatile long double value = signed_value;
        const auto expected = reference::RoundThroughNumberText(value);
        std::fesetround(mode);
        const auto rounded = RoundThroughNumberText(value);
        std::fesetround(FE_TONEAREST);
        EXPECT_TRUE(SameValue(rounded, expected)) << Describe(value) << " in mode " << mode;
      }
    }
  }
}

// Everyday magnitudes are rounded in one exact pass whose decimal exponent
// comes from a table per binary exponent: the edges of every decade and of
// every binade it covers, and the digits that carry into the next decade.
TEST(NumberTextFastPaths, OnePassRangeKeepsDecadeAndBinadeEdges) {
  std::vector<long double> edges;
  for (int p = -15; p <= 16; ++p) {
    const long double power = reference::StrToFloat("1E" + std::to_string(p)).value();
    // The decade's edge, and just below it where the last digits still tell.
    for (const long double below : {0.0L, 3e-16L, 5e-16L, 2e-15L, 7e-15L, 4e-14L})
      edges.push_back(power - power * below);
    // Just below the carry of 15 nines, and the half-way point itself.
    edges.push_back(reference::StrToFloat("9,999999999999995E" + std::to_string(p - 1)).value());
    edges.push_back(reference::StrToFloat("1,000000000000005E" + std::to_string(p)).value());
  }
  for (int e2 = -46; e2 <= 50; ++e2) edges.push_back(std::ldexp(1.0L, e2));
  int mismatches = 0;
  for (const long double edge : edges) {
    long double value = edge;
    for (int step = 0; step < 4; ++step) value = std::nextafterl(value, 0.0L);
    for (int step = 0; step < 9; ++step, value = std::nextafterl(value, INFINITY)) {
      for (const long double signed_value : {value, -value}) {
        if (!SameValue(RoundThroughNumberText(signed_value),
                       reference::RoundThroughNumberText(signed_value))) {
          ++mismatches;
          ADD_FAILURE() << Describe(signed_value);
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// Rounding where the value lies leaves it alone when there is nothing to
// read back.
TEST(NumberTextFastPaths, RoundInPlaceKeepsValuesWithoutText) {
  for (const long double value :
       {static_cast<long double>(INFINITY), -static_cast<long double>(INFINITY),
        static_cast<long double>(NAN)}) {
    long double slot = 0;
    EXPECT_FALSE(StoreRoundedThroughNumberText(value, slot)) << Describe(value);
    EXPECT_TRUE(SameValue(slot, value));
  }
  long double slot = 0;
  ASSERT_TRUE(StoreRoundedThroughNumberText(2.0L / 3, slot));
  EXPECT_TRUE(SameValue(slot, reference::RoundThroughNumberText(2.0L / 3)));
}

// A text of 1 to 20 digits with a separator, signs, an exponent and blanks.
std::string RandomText(std::mt19937_64& random, char separator) {
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
  std::string text;
  if (below(10) == 0) text += "  ";
  if (below(3) == 0) text += below(2) ? '-' : '+';
  const int digits = 1 + below(20);
  const int separator_at = below(3) == 0 ? -1 : below(digits + 1);
  const int leading_zeros = below(4) == 0 ? below(5) : 0;
  for (int i = 0; i < digits; ++i) {
    if (i == separator_at) text += separator;
    text += static_cast<char>(
        '0' + (i < leading_zeros ? 0 : (i == leading_zeros ? 1 + below(9) : below(10))));
  }
  if (separator_at == digits) text += separator;
  switch (below(4)) {
    case 0:
      break;
    case 1:
      text += (below(2) ? 'E' : 'e') + std::to_string(below(41) - 20);
      break;
    case 2:
      text += 'E' + std::string(below(2) ? "+" : "-") + std::to_string(below(400));
      break;
    default:  // across the whole range and beyond its ends
      text += 'E' + std::to_string(below(10000) - 5000);
      break;
  }
  if (below(10) == 0) text += ' ';
  if (below(200) == 0) text += 'x';  // not a number text
  return text;
}

TEST(NumberTextFastPaths, ReadRandomTextsAsTheReferenceDoes) {
  std::mt19937_64 random(4711);
  int mismatches = 0;
  for (int i = 0; i < 200000 && mismatches < 20; ++i) {
    const char separator = (i % 8 == 0) ? '.' : ',';
    const std::string text = RandomText(random, separator);
    const auto value = StrToFloat(text, separator);
    const auto expected = reference::StrToFloat(text, separator);
    if (!SameValue(value, expected)) {
      ++mismatches;
      ADD_FAILURE() << '"' << text << "\": " << (value ? Describe(*value) : "nothing") << " vs "
                    << (expected ? Describe(*expected) : "nothing");
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(NumberTextFastPaths, ReadAsTheReferenceWithAnySeparator) {
  // The grammar tries a digit before the separator, and the separator before
  // the exponent's letter.
  for (const char separator : {',', '.', ' ', 'E', 'e', '5', '-', '+'}) {
    for (const char* text : {"1",
                             "1,5",
                             "1.5",
                             "1 5",
                             "1E5",
                             "1e5",
                             "1-5",
                             "1+5",
                             "155",
                             "-1E-5",
                             "+1e+5",
                             " 12 34 ",
                             "0",
                             "-0",
                             "00,00",
                             ",",
                             "E",
                             "5",
                             "-",
                             "1E5E5",
                             "1,5E3",
                             "1 E3",
                             "1E 3",
                             "000123,4500E-2",
                             "9999999999999999999999",
                             "123456789012345678901234567890E-10",
                             "1E-4950",
                             "1E-5000",
                             "1E4932",
                             "1,2E4932",
                             "1E4933",
                             "  -,5  "}) {
      EXPECT_TRUE(SameValue(StrToFloat(text, separator), reference::StrToFloat(text, separator)))
          << '"' << text << "\" with '" << separator << "'";
    }
  }
}

TEST(NumberTextFastPaths, ReadBinaryTiesToEven) {
  // w x 10^q exactly half-way between two 64-bit significands: w x 5^q odd
  // with 65 bits. Such a text rounds to the even neighbour.
  std::mt19937_64 random(99);
  for (int q = 1; q <= 27; ++q) {
    unsigned __int128 five_q = 1;
    for (int i = 0; i < q; ++i) five_q *= 5;
    const unsigned __int128 low = ((static_cast<unsigned __int128>(1) << 64) + five_q - 1) / five_q;
    unsigned __int128 high = (static_cast<unsigned __int128>(1) << 65) / five_q;
    if (high > ~0ULL) high = ~0ULL;
    for (int k = 0; k < 200 && low < high; ++k) {
      const auto w = static_cast<unsigned long long>(
          (low + random() % static_cast<unsigned long long>(high - low)) | 1);
      if (w * five_q < (static_cast<unsigned __int128>(1) << 64)) continue;
      const std::string text = std::to_string(w) + "E" + std::to_string(q);
      EXPECT_TRUE(SameValue(StrToFloat(text), reference::StrToFloat(text))) << text;
      EXPECT_TRUE(SameValue(StrToFloat("-" + text), reference::StrToFloat("-" + text))) << text;
    }
  }
  EXPECT_EQ(*StrToFloat("18446744073709551617"), 18446744073709551616.0L);  // 2^64 + 1: even
  EXPECT_EQ(*StrToFloat("18446744073709551619"), 18446744073709551620.0L);  // 2^64 + 3: up
}

TEST(NumberTextFastPaths, DoNotFollowTheRoundingMode) {
  // Expected values in round to nearest (the engine's mode) ...
  ValueSample sample(7);
  std::vector<long double> values;
  std::vector<std::string> texts;
  std::vector<std::optional<long double>> rounded;
  std::vector<std::optional<long double>> read;
  for (int i = 0; i < 20000; ++i) {
    values.push_back(sample.Next());
    texts.push_back(reference::FloatToStr(values.back()));
    rounded.push_back(reference::RoundThroughNumberText(values.back()));
    read.push_back(reference::StrToFloat(texts.back()));
  }
  // ... are the results in every other mode.
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    int mismatches = 0;
    for (size_t i = 0; i < values.size(); ++i) {
      if (FloatToStr(values[i]) != texts[i] ||
          !SameValue(RoundThroughNumberText(values[i]), rounded[i]) ||
          !SameValue(StrToFloat(texts[i]), read[i]))
        ++mismatches;
    }
    EXPECT_EQ(std::fegetround(), mode);
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(mismatches, 0) << "mode " << mode;
  }
}

}  // namespace
}  // namespace korvex
