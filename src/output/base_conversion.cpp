// Bit-pattern conversion of answers to bases 16, 8, 4 and 2.
#include "output/base_conversion.h"

#include <algorithm>
#include <cmath>

#include "engine/number_text.h"

namespace korvex {
namespace {

constexpr char kDigitChars[] = "0123456789ABCDEF";

int BitsPerDigit(int base) {
  switch (base) {
    case 16:
      return 4;
    case 8:
      return 3;
    case 4:
      return 2;
    default:
      return 1;
  }
}

// Bits of a whole number, least significant first. Halving is exact in
// binary floating point, so this holds for any finite size.
std::string WholeBits(long double m) {
  std::string bits;
  while (m > 0) {
    if (std::fmod(m, 2.0L) != 0) {
      bits.push_back('1');
      m = std::floor(m / 2);
    } else {
      bits.push_back('0');
      m = m / 2;
    }
  }
  return bits;
}

// -m in the fewest bits: invert, add one, and keep a leading 1.
void TwosComplement(std::string& bits) {
  for (char& bit : bits) bit = bit == '1' ? '0' : '1';
  for (char& bit : bits) {
    if (bit == '0') {
      bit = '1';
      break;
    }
    bit = '0';
  }
  if (bits.back() == '0') bits.push_back('1');
}

// Fraction bits, the one next to the point first. Doubling and dropping the
// whole part are exact, so the bits are those of the binary value.
std::string FractionBits(long double f, int precision) {
  std::string bits;
  for (int i = 0; i < precision && f != 0; ++i) {
    f = 2 * f;
    if (f >= 1) {
      bits.push_back('1');
      f -= std::floor(f);
    } else {
      bits.push_back('0');
    }
  }
  return bits;
}

}  // namespace

std::string GroupBits(const std::string& bits, int base) {
  const int k = BitsPerDigit(base);
  std::string digits;
  int v = 0;
  int j = 0;
  for (size_t i = 0; i < bits.size(); ++i) {
    if (bits[i] == '1') v += 1 << j;
    if (j == k - 1 || i + 1 == bits.size()) {
      digits.push_back(kDigitChars[v]);
      v = 0;
      j = 0;
    } else {
      ++j;
    }
  }
  return digits;
}

std::string ConvertToBase(long double value, int precision, int base) {
  if (!std::isfinite(value)) return FloatToStr(value);
  const bool negative = value < 0;
  const long double x = std::fabs(value);
  const long double m = std::floor(x);
  const long double f = x - m;

  std::string integer_digits = "0";  // least significant first
  if (m != 0) {
    std::string bits = WholeBits(m);
    if (negative) TwosComplement(bits);
    integer_digits = base == 2 ? bits : GroupBits(bits, base);
  }

  std::string fraction = FractionBits(f, precision);
  if (base != 2 && !fraction.empty()) {
    const size_t k = static_cast<size_t>(BitsPerDigit(base));
    if (fraction.size() % k != 0) fraction.append(k - fraction.size() % k, '0');
    // Each digit's most significant bit is the one nearest the point.
    std::string grouped;
    for (size_t start = 0; start < fraction.size(); start += k) {
      std::string digit_bits = fraction.substr(start, k);
      std::reverse(digit_bits.begin(), digit_bits.end());
      grouped += GroupBits(digit_bits, base);
    }
    fraction = grouped;
  }

  std::reverse(integer_digits.begin(), integer_digits.end());
  return std::string(negative ? "1" : "0") + " " + integer_digits + " " + fraction;
}

}  // namespace korvex
