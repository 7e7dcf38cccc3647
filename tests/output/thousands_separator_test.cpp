// The grouping character: the locale's when usable, a fixed choice otherwise.
#include "output/thousands_separator.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace korvex {
namespace {

TEST(ThousandsSeparator, TakesTheLocaleCharacterUnlessItIsMissingOrClashes) {
  const struct {
    const char* locale_text;
    char decimal;
    char thousands;
  } cases[] = {
      {"", ',', '.'},
      {"", '.', ','},
      {".", ',', '.'},
      {".", '.', ','},  // equal to the decimal separator
      {",", '.', ','},
      {",", ',', '.'},
      {"'", ',', '\''},
      {" ", '.', ' '},
      {"\xE2\x80\xAF", ',', '.'},  // narrow no-break space, several bytes
      {"\xA0", '.', ','},          // a lone byte outside ASCII
      {"1", ',', '.'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ThousandsSeparator(c.locale_text, c.decimal), c.thousands)
        << '"' << c.locale_text << "\" beside " << c.decimal;
  }
}

TEST(ThousandsSeparator, ReadsTheEnvironmentsLocale) {
  // The C locale sets no thousands separator.
  ASSERT_EQ(setenv("LC_ALL", "C", 1), 0);
  EXPECT_EQ(LocaleThousandsText(), "");
  EXPECT_EQ(SystemThousandsSeparator(','), '.');
  EXPECT_EQ(SystemThousandsSeparator('.'), ',');
  // A locale that cannot be loaded counts as none.
  ASSERT_EQ(setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1), 0);
  EXPECT_EQ(LocaleThousandsText(), "");
  unsetenv("LC_ALL");
}

}  // namespace
}  // namespace korvex
