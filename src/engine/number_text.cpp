// Correctly rounded number texts on top of the C library's exact conversions.
#include "engine/number_text.h"

#include <locale.h>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvex {
namespace {

constexpr int kSignificantDigits = 15;

// The 15 significant digits of a positive finite value and the exponent p of
// d.ddd x 10^p. glibc's printf converts exactly and honours the rounding mode,
// so printing 16 digits truncated and rounding the 16th by hand gives round
// half away from zero on the exact value: a 16th digit of 5 means the value is
// at or above the half-way point.
void SignificantDigits(long double magnitude, char (&digits)[kSignificantDigits + 1],
                       int& exponent) {
  char buffer[64];
  const int saved_mode = std::fegetround();
  std::fesetround(FE_TOWARDZERO);
  std::snprintf(buffer, sizeof buffer, "%.*Le", kSignificantDigits, magnitude);
  std::fesetround(saved_mode);
  // buffer: d.dddddddddddddddde[+-]xx with 16 digits in all.
  char all[kSignificantDigits + 1];
  all[0] = buffer[0];
  for (int i = 1; i <= kSignificantDigits; ++i) all[i] = buffer[i + 1];
  exponent = std::atoi(buffer + kSignificantDigits + 3);
  bool carry = all[kSignificantDigits] >= '5';
  for (int i = kSignificantDigits - 1; i >= 0 && carry; --i) {
    if (all[i] == '9') {
      all[i] = '0';
    } else {
      ++all[i];
      carry = false;
    }
  }
  if (carry) {  // 9.99...9 rounded up to 10.0...0
    all[0] = '1';
    ++exponent;
  }
  for (int i = 0; i < kSignificantDigits; ++i) digits[i] = all[i];
  digits[kSignificantDigits] = '\0';
}

}  // namespace

std::string FloatToStr(long double value, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  char digits[kSignificantDigits + 1];
  int p = 0;
  SignificantDigits(std::fabs(value), digits, p);
  int length = kSignificantDigits;
  while (length > 1 && digits[length - 1] == '0') --length;

  std::string text;
  text.reserve(24);
  if (value < 0) text.push_back('-');
  const int e = p + 1;  // value = 0.d1d2... x 10^e
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      text.push_back('0');
      text.push_back(separator);
      text.append(static_cast<size_t>(-e), '0');
      text.append(digits, static_cast<size_t>(length));
    } else {
      for (int i = 0; i < e; ++i) text.push_back(i < length ? digits[i] : '0');
      if (length > e) {
        text.push_back(separator);
        text.append(digits + e, static_cast<size_t>(length - e));
      }
    }
  } else {
    text.push_back(digits[0]);
    if (length > 1) {
      text.push_back(separator);
      text.append(digits + 1, static_cast<size_t>(length - 1));
    }
    text.push_back('E');
    text += std::to_string(p);
  }
  return text;
}

std::optional<long double> StrToFloat(std::string_view text, char separator) {
  size_t i = 0;
  const size_t n = text.size();
  auto is_digit = [&](size_t k) { return k < n && text[k] >= '0' && text[k] <= '9'; };

  while (i < n && text[i] == ' ') ++i;
  std::string c_text;  // the same number in the C library's notation
  c_text.reserve(n + 2);
  if (i < n && (text[i] == '+' || text[i] == '-')) c_text.push_back(text[i++]);

  bool any_mantissa = false;
  bool seen_separator = false;
  bool any_digit = false;
  while (i < n) {
    if (is_digit(i)) {
      c_text.push_back(text[i]);
      any_digit = true;
    } else if (text[i] == separator && !seen_separator) {
      seen_separator = true;
      c_text.push_back('.');
    } else {
      break;
    }
    any_mantissa = true;
    ++i;
  }
  if (!any_mantissa) return std::nullopt;
  if (!any_digit) c_text.push_back('0');  // a lone separator reads as 0

  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    c_text.push_back('e');
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) c_text.push_back(text[i++]);
    if (!is_digit(i)) return std::nullopt;
    while (is_digit(i)) c_text.push_back(text[i++]);
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return std::nullopt;

  // The conversion must not follow the user's locale (a GUI sets one).
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  char* end = nullptr;
  const long double value = strtold_l(c_text.c_str(), &end, c_locale);
  if (end != c_text.c_str() + c_text.size()) return std::nullopt;
  if (std::isinf(value)) return std::nullopt;  // beyond the extended range
  return value;
}

std::optional<long double> RoundThroughNumberText(long double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return StrToFloat(FloatToStr(value));
}

}  // namespace korvex
