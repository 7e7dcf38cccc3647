// Reads the locale's thousands separator without touching the process locale.
#include "output/thousands_separator.h"

#include <langinfo.h>
#include <locale.h>

namespace korvex {

std::string LocaleThousandsText() {
  const locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (numeric == static_cast<locale_t>(0)) return {};
  const char* separator = nl_langinfo_l(THOUSEP, numeric);
  std::string text = separator != nullptr ? separator : "";
  freelocale(numeric);
  return text;
}

char ThousandsSeparator(std::string_view locale_text, char decimal_separator) {
  // Multi-byte separators (a narrow no-break space, say) do not fit the
  // one-character grouping of masks.
  if (locale_text.size() == 1) {
    const char c = locale_text[0];
    const bool printable_ascii = c >= ' ' && c <= '~' && !(c >= '0' && c <= '9');
    if (printable_ascii && c != decimal_separator) return c;
  }
  return decimal_separator == ',' ? '.' : ',';
}

char SystemThousandsSeparator(char decimal_separator) {
  return ThousandsSeparator(LocaleThousandsText(), decimal_separator);
}

}  // namespace korvex
