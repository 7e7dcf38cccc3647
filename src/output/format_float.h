// FormatFloat: the number-format mask language (sections, "0", "#", ".",
// ",", exponents, quoted text).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace korvex {

// A mask longer than 224 characters is refused with this failure.
class FormatFailure : public std::runtime_error {
 public:
  explicit FormatFailure(const std::string& text) : std::runtime_error(text) {}
};

inline constexpr const char* kFormatStringTooLong = "Format string too long";

// `decimal_separator` is the separator in force; `thousands_separator` the
// grouping character the system uses.
std::string FormatFloat(std::string_view mask, long double value, char decimal_separator,
                        char thousands_separator);

}  // namespace korvex
