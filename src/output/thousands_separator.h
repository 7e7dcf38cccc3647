// The thousands separator for masks: the user's locale setting, with a fixed
// choice where the locale has none or it would clash with the decimal one.
#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The raw LC_NUMERIC thousands separator of the user's environment; empty
// when the locale sets none or cannot be loaded.
std::string LocaleThousandsText();

// `locale_text` when it is a single ASCII character other than
// `decimal_separator`; otherwise "." beside a decimal "," and "," beside ".".
char ThousandsSeparator(std::string_view locale_text, char decimal_separator);

// ThousandsSeparator of the environment's locale.
char SystemThousandsSeparator(char decimal_separator);

}  // namespace korvex
