// Decimal rounding on the exact binary value: glibc's printf converts exactly
// and honours the rounding mode, so digits printed toward zero plus one more
// digit decide a half-away-from-zero rounding without any double rounding.
#include "output/decimal_digits.h"

#include <cfenv>
#include <cstdio>
#include <cstdlib>

namespace korvex {
namespace {

class TowardZero {
 public:
  TowardZero() : saved_(std::fegetround()) { std::fesetround(FE_TOWARDZERO); }
  ~TowardZero() { std::fesetround(saved_); }
  TowardZero(const TowardZero&) = delete;
  TowardZero& operator=(const TowardZero&) = delete;

 private:
  int saved_;
};

// printf under truncation. The radix character follows LC_NUMERIC and may be
// several bytes long, so callers read digits by position, never by it.
std::string PrintTruncated(const char* format, int precision, long double magnitude) {
  TowardZero mode;
  const int length = std::snprintf(nullptr, 0, format, precision, magnitude);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, precision, magnitude);
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string AsciiDigits(const std::string& text, size_t end) {
  std::string digits;
  digits.reserve(end);
  for (size_t i = 0; i < end && i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') digits.push_back(text[i]);
  }
  return digits;
}

// Drops the last digit of `digits` and rounds the rest by it. True when the
// carry ran out of the front (all nines became zeros).
bool RoundOffLastDigit(std::string& digits) {
  const bool up = digits.back() >= '5';
  digits.pop_back();
  if (!up) return false;
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

}  // namespace

FixedDigits RoundToDecimals(long double magnitude, int decimals) {
  if (decimals < 0) decimals = 0;
  const std::string text = PrintTruncated("%.*Lf", decimals + 1, magnitude);
  std::string digits = AsciiDigits(text, text.size());
  if (digits.size() < static_cast<size_t>(decimals) + 2) return {};  // not a finite number
  if (RoundOffLastDigit(digits)) digits.insert(digits.begin(), '1');
  const size_t integer_length = digits.size() - static_cast<size_t>(decimals);
  FixedDigits result;
  result.fraction = digits.substr(integer_length);
  size_t first = 0;
  while (first < integer_length && digits[first] == '0') ++first;
  result.integer = digits.substr(first, integer_length - first);
  return result;
}

SignificantDigits RoundToSignificant(long double magnitude, int count) {
  if (magnitude == 0 || count < 1) return {};
  // d.ddd...e[+-]x with count + 1 digits in the mantissa.
  const std::string text = PrintTruncated("%.*Le", count, magnitude);
  const size_t e = text.find_last_of("eE");
  if (e == std::string::npos) return {};  // not a finite number
  SignificantDigits result;
  result.digits = AsciiDigits(text, e);
  if (result.digits.size() != static_cast<size_t>(count) + 1) return {};
  result.exponent = std::atoi(text.c_str() + e + 1) + 1;
  if (RoundOffLastDigit(result.digits)) {
    result.digits.insert(result.digits.begin(), '1');
    result.digits.pop_back();
    ++result.exponent;
  }
  return result;
}

}  // namespace korvex
