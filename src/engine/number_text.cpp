// Number texts, correctly rounded both ways.
//
// The fast paths work on the binary significand and exponent with integer
// arithmetic only, so they do not depend on the current rounding mode:
//  - a whole value below 10^15 is its own text and its own rounded value, and
//    a whole value below 2^64 gives its 15 digits by one integer division;
//  - any other normal value is multiplied by a 128-bit truncated power of ten
//    (64 x 128 bits) to give its 15 digits, and a 64-bit decimal significand
//    times a power of ten is rounded to the 64-bit binary significand the same
//    way. The truncated product is below the exact one by less than 2^65 units
//    of its lowest bit; wherever that error could change the rounding (an
//    exact decimal or binary tie, or a product within the error of the half-way
//    point) the conversion goes the reference way instead.
// The round trip of magnitudes from about 10^-13 to 10^14 needs no truncated
// power: the digits come from an exact 64 x 64-bit product and the reading
// back from one exact 128 / 64-bit division (OnePassRoundTrip).
// The reference way is the original exact code through the C library (printf
// with the rounding mode toward zero, strtold); namespace reference keeps it
// callable unchanged for the differential test and the benchmark, and the
// fallback reads in round to nearest whatever the current mode.
#include "engine/number_text.h"

#include <locale.h>

#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/number_text_reference.h"

namespace korvex {
namespace {

static_assert(sizeof(long double) >= 10, "80-bit extended values in memory");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "x86 layout of the extended format");

constexpr int kSignificantDigits = 15;

// ---------------------------------------------------------------------------
// The reference conversions (the original implementation).

// The 15 significant digits of a positive finite value and the exponent p of
// d.ddd x 10^p. glibc's printf converts exactly and honours the rounding mode,
// so printing 16 digits truncated and rounding the 16th by hand gives round
// half away from zero on the exact value: a 16th digit of 5 means the value is
// at or above the half-way point.
void ReferenceSignificantDigits(long double magnitude, char (&digits)[kSignificantDigits + 1],
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

// The text of d1.d2...d15 x 10^p (digits: 15 characters).
std::string ReferenceFormat(bool negative, const char* digits, int p, char separator) {
  int length = kSignificantDigits;
  while (length > 1 && digits[length - 1] == '0') --length;

  std::string text;
  text.reserve(24);
  if (negative) text.push_back('-');
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

std::string ReferenceFloatToStr(long double value, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  char digits[kSignificantDigits + 1];
  int p = 0;
  ReferenceSignificantDigits(std::fabs(value), digits, p);
  return ReferenceFormat(value < 0, digits, p, separator);
}

// Sets round to nearest for its lifetime (strtold follows the current mode).
class ToNearest {
 public:
  ToNearest() : saved_(std::fegetround()) {
    if (saved_ != FE_TONEAREST) std::fesetround(FE_TONEAREST);
  }
  ~ToNearest() {
    if (saved_ != FE_TONEAREST) std::fesetround(saved_);
  }
  ToNearest(const ToNearest&) = delete;
  ToNearest& operator=(const ToNearest&) = delete;

 private:
  int saved_;
};

// The original reading through strtold; `nearest` reads in round to nearest
// whatever the current mode (the original reads in the current mode).
std::optional<long double> ReferenceRead(std::string_view text, char separator, bool nearest) {
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
  long double value;
  if (nearest) {
    const ToNearest mode;
    value = strtold_l(c_text.c_str(), &end, c_locale);
  } else {
    value = strtold_l(c_text.c_str(), &end, c_locale);
  }
  if (end != c_text.c_str() + c_text.size()) return std::nullopt;
  if (std::isinf(value)) return std::nullopt;  // beyond the extended range
  return value;
}

// The fallback of the fast round trip.
std::optional<long double> SlowRoundThroughNumberText(long double value) {
  return ReferenceRead(ReferenceFloatToStr(value, kEngineSeparator), kEngineSeparator, true);
}

// ---------------------------------------------------------------------------
// The fast conversions.

__extension__ typedef unsigned __int128 U128;
using U64 = std::uint64_t;

constexpr U64 kPow10[20] = {1ULL,
                            10ULL,
                            100ULL,
                            1000ULL,
                            10000ULL,
                            100000ULL,
                            1000000ULL,
                            10000000ULL,
                            100000000ULL,
                            1000000000ULL,
                            10000000000ULL,
                            100000000000ULL,
                            1000000000000ULL,
                            10000000000000ULL,
                            100000000000000ULL,
                            1000000000000000ULL,
                            10000000000000000ULL,
                            100000000000000000ULL,
                            1000000000000000000ULL,
                            10000000000000000000ULL};
constexpr U64 kLowest15 = kPow10[14];  // the smallest 15-digit significand
constexpr U64 kBeyond15 = kPow10[15];

constexpr int kExponentBias = 16383;
constexpr int kMaxBiased = 32767;  // INF and NAN

// The fields of an extended value: value = mantissa x 2^(biased - bias - 63)
// for a normal value (the integer bit, bit 63, set).
struct Fields {
  U64 mantissa;
  int biased;
  bool negative;
};

// From and to memory with integer moves: an extended value stored from the
// 80-bit unit is slow to write, and the conversions keep out of the unit.
Fields Decode(const long double& value) {
  U64 mantissa;
  std::uint16_t sign_exponent;
  std::memcpy(&mantissa, &value, 8);
  std::memcpy(&sign_exponent, reinterpret_cast<const unsigned char*>(&value) + 8, 2);
  return {mantissa, sign_exponent & 0x7fff, (sign_exponent >> 15) != 0};
}

void Store(const Fields& fields, long double& value) {
  const auto sign_exponent =
      static_cast<std::uint16_t>(fields.biased | (fields.negative ? 0x8000 : 0));
  std::memcpy(&value, &fields.mantissa, 8);
  std::memcpy(reinterpret_cast<unsigned char*>(&value) + 8, &sign_exponent, 2);
}

long double Encode(U64 mantissa, int biased) {
  unsigned char bytes[sizeof(long double)] = {};
  const auto sign_exponent = static_cast<std::uint16_t>(biased);
  std::memcpy(bytes, &mantissa, 8);
  std::memcpy(bytes + 8, &sign_exponent, 2);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// 10^q ~ (hi:lo) x 2^exponent with 2^127 <= hi:lo < 2^128, truncated: the exact
// power is (hi:lo + d) x 2^exponent with 0 <= d < 2, and d = 0 for 0 <= q <= 55.
struct PowerOfTen {
  U64 hi;
  U64 lo;
  int exponent;
};

constexpr int kMinPower = -4960;
constexpr int kMaxPower = 4960;
constexpr int kMaxExactPower = 55;  // 5^55 < 2^128

bool IsExactPower(int q) { return q >= 0 && q <= kMaxExactPower; }

// The powers of five are carried as 320-bit significands (a x 2^f), each step
// truncated (so never above the exact power); the relative error after 5000
// steps stays below 2^-305, far inside the lowest bit of the 128 kept.
std::vector<PowerOfTen> MakePowersOfTen() {
  std::vector<PowerOfTen> table(kMaxPower - kMinPower + 1);
  auto store = [&](int q, const U64(&a)[5], int f) {
    table[static_cast<size_t>(q - kMinPower)] = {a[4], a[3], f + 192 + q};
  };
  U64 a[5] = {0, 0, 0, 0, 1ULL << 63};
  int f = -319;
  store(0, a, f);
  for (int q = 1; q <= kMaxPower; ++q) {  // times 5
    U64 product[6];
    U128 carry = 0;
    for (int i = 0; i < 5; ++i) {
      const U128 x = static_cast<U128>(a[i]) * 5 + carry;
      product[i] = static_cast<U64>(x);
      carry = x >> 64;
    }
    product[5] = static_cast<U64>(carry);
    const int shift = 64 - __builtin_clzll(product[5]);  // 2 or 3
    for (int i = 0; i < 5; ++i) a[i] = (product[i] >> shift) | (product[i + 1] << (64 - shift));
    f += shift;
    store(q, a, f);
  }
  U64 b[5] = {0, 0, 0, 0, 1ULL << 63};
  f = -319;
  for (int q = -1; q >= kMinPower; --q) {  // divided by 5
    const int shift = b[4] < 0xA000000000000000ULL ? 3 : 2;
    U64 dividend[6];
    dividend[5] = b[4] >> (64 - shift);
    for (int i = 4; i > 0; --i) dividend[i] = (b[i] << shift) | (b[i - 1] >> (64 - shift));
    dividend[0] = b[0] << shift;
    U128 remainder = 0;
    U64 quotient[6];
    for (int i = 5; i >= 0; --i) {
      const U128 current = (remainder << 64) | dividend[i];
      quotient[i] = static_cast<U64>(current / 5);
      remainder = current % 5;
    }
    for (int i = 0; i < 5; ++i) b[i] = quotient[i];
    f -= shift;
    store(q, b, f);
  }
  return table;
}

// Always inline: both conversions of every rounded result look a power up.
[[gnu::always_inline]] inline const PowerOfTen& Power(int q) {
  static const std::vector<PowerOfTen> table = MakePowersOfTen();
  return table[static_cast<size_t>(q - kMinPower)];
}

// m x (hi:lo), 192 bits.
struct U192 {
  U64 w2, w1, w0;
};

inline U192 Multiply(U64 m, const PowerOfTen& power) {
  const U128 low = static_cast<U128>(m) * power.lo;
  const U128 high = static_cast<U128>(m) * power.hi;
  const U128 middle = static_cast<U128>(static_cast<U64>(high)) + (low >> 64);
  return {static_cast<U64>(high >> 64) + static_cast<U64>(middle >> 64), static_cast<U64>(middle),
          static_cast<U64>(low)};
}

// The 15-digit decimal significand digits (10^14 <= digits < 10^15) and the
// exponent p of a value digits x 10^(p - 14).
struct Decimal {
  U64 digits;
  int p;
};

// The whole value n >= 10^15 (below 2^64) rounded to 15 digits.
Decimal IntegerDecimal(U64 n) {
  int count = 16;
  while (count < 20 && n >= kPow10[count]) ++count;
  const U64 divisor = kPow10[count - 15];
  U64 digits = n / divisor;
  const U64 remainder = n % divisor;
  if (remainder >= divisor / 2) ++digits;  // an exact tie away from zero
  int p = count - 1;
  if (digits == kBeyond15) {
    digits = kLowest15;
    ++p;
  }
  return {digits, p};
}

// The 15 digits of the normal magnitude m x 2^(e2 - 63), 2^63 <= m; false
// where the truncated product cannot decide the rounding.
bool FastDecimal(U64 m, int e2, Decimal& result) {
  // floor(e2 log10 2): the value lies in [2^e2, 2^(e2+1)), so p is this or one
  // more. 10^(p+1) truncated, hi:lo x 2^exponent, shares the value's binade
  // only when exponent + 127 == e2, and there m above hi puts the value beyond
  // it; m equal to hi is left to the whole part of the product, and a wrong
  // guess is redone.
  int p = static_cast<int>((static_cast<std::int64_t>(e2) * 1292913986LL) >> 32);
  if (p + 1 >= kMinPower && p + 1 <= kMaxPower) {
    const PowerOfTen& next = Power(p + 1);
    if (next.exponent + 127 == e2 && m > next.hi) ++p;
  }
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = kSignificantDigits - 1 - p;  // x = value x 10^k in [10^14, 10^15)
    if (k < kMinPower || k > kMaxPower) return false;
    const PowerOfTen& power = Power(k);
    const U192 product = Multiply(m, power);
    // x = product x 2^-(128 + s)
    const int s = -(e2 - 63 + power.exponent) - 128;
    if (s < 1 || s > 62) return false;
    const U64 whole = product.w2 >> s;
    if (whole < kLowest15) {
      --p;
      continue;
    }
    if (whole >= kBeyond15) {
      ++p;
      continue;
    }
    // The fraction's upper bits, against the half-way point 2^(s + 63) in
    // these units; the exact product is above by less than 2 of them.
    const U128 fraction = (static_cast<U128>(product.w2 & ((1ULL << s) - 1)) << 64) | product.w1;
    const U128 half = static_cast<U128>(1) << (s + 63);
    bool up;
    if (fraction >= half) {
      up = true;
    } else if (IsExactPower(k) || fraction + 16 < half) {
      up = false;
    } else {
      return false;
    }
    U64 digits = whole + (up ? 1 : 0);
    if (digits == kBeyond15) {
      digits = kLowest15;
      ++p;
    }
    result = {digits, p};
    return true;
  }
  return false;
}

// The 15 digits of a finite nonzero magnitude; false where only the
// reference can tell.
bool DecimalOf(const Fields& fields, Decimal& result) {
  if (fields.biased == 0 || (fields.mantissa >> 63) == 0) return false;  // subnormal
  const int e2 = fields.biased - kExponentBias;
  if (e2 >= 0 && e2 <= 63) {
    const int fraction_bits = 63 - e2;
    if (fraction_bits == 0 || (fields.mantissa << (64 - fraction_bits)) == 0) {
      const U64 n = fields.mantissa >> fraction_bits;
      if (n >= kBeyond15) {
        result = IntegerDecimal(n);
      } else {
        int count = 1;
        while (count < kSignificantDigits && n >= kPow10[count]) ++count;
        result = {n * kPow10[kSignificantDigits - count], count - 1};
      }
      return true;
    }
  }
  return FastDecimal(fields.mantissa, e2, result);
}

// ReferenceFormat of the digits of decimal, without the appends.
std::string Format(bool negative, const Decimal& decimal, char separator) {
  char digits[kSignificantDigits];
  U64 rest = decimal.digits;
  for (int i = kSignificantDigits - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  int length = kSignificantDigits;
  while (length > 1 && digits[length - 1] == '0') --length;

  char text[32];  // at most sign, 15 digits, separator, 3 zeros or E-nnnn
  int size = 0;
  auto append = [&](const char* from, int count) {
    std::memcpy(text + size, from, static_cast<size_t>(count));
    size += count;
  };
  if (negative) text[size++] = '-';
  const int e = decimal.p + 1;  // value = 0.d1d2... x 10^e
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      text[size++] = '0';
      text[size++] = separator;
      for (int i = 0; i < -e; ++i) text[size++] = '0';
      append(digits, length);
    } else {
      for (int i = 0; i < e; ++i) text[size++] = i < length ? digits[i] : '0';
      if (length > e) {
        text[size++] = separator;
        append(digits + e, length - e);
      }
    }
  } else {
    text[size++] = digits[0];
    if (length > 1) {
      text[size++] = separator;
      append(digits + 1, length - 1);
    }
    text[size++] = 'E';
    if (decimal.p < 0) text[size++] = '-';
    unsigned magnitude = static_cast<unsigned>(decimal.p < 0 ? -decimal.p : decimal.p);
    char reversed[8];
    int count = 0;
    do {
      reversed[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0) text[size++] = reversed[--count];
  }
  return std::string(text, static_cast<size_t>(size));
}

enum class Conversion { kDone, kOverflow, kUndecided };

// The nearest extended value (ties to even) of w x 10^q, w > 0.
Conversion NearestValue(U64 w, std::int64_t q, long double& value) {
  if (q >= 0 && q < 20) {
    const U128 product = static_cast<U128>(w) * kPow10[q];
    if ((product >> 64) == 0) {  // exact in the 64-bit significand
      value = static_cast<long double>(static_cast<U64>(product));
      return Conversion::kDone;
    }
  }
  if (q > 4932) return Conversion::kOverflow;  // at least 10^4933
  if (q < kMinPower || q > kMaxPower) return Conversion::kUndecided;
  const int power_index = static_cast<int>(q);
  const int leading_zeros = __builtin_clzll(w);
  const PowerOfTen& power = Power(power_index);
  const U192 product = Multiply(w << leading_zeros, power);
  U64 mantissa;
  U128 rest;
  int shift;
  const U128 low = (static_cast<U128>(product.w1) << 64) | product.w0;
  if (product.w2 >> 63) {
    mantissa = product.w2;
    rest = low;
    shift = 128;
  } else {
    mantissa = (product.w2 << 1) | (product.w1 >> 63);
    rest = low << 1;
    shift = 127;
  }
  // rest against the half-way point 2^127; the exact product is above by
  // less than 2^66 of these units.
  const U128 half = static_cast<U128>(1) << 127;
  const bool exact = IsExactPower(power_index);
  bool up;
  if (rest > half) {
    up = true;
  } else if (rest == half) {
    up = exact ? (mantissa & 1) != 0 : true;
  } else if (exact || half - rest > (static_cast<U128>(1) << 68)) {
    up = false;
  } else {
    return Conversion::kUndecided;
  }
  int biased = shift + power.exponent - leading_zeros + 63 + kExponentBias;
  if (biased < 1) return Conversion::kUndecided;  // subnormal
  if (up && ++mantissa == 0) {
    mantissa = 1ULL << 63;
    ++biased;
  }
  if (biased >= kMaxBiased) return Conversion::kOverflow;
  value = Encode(mantissa, biased);
  return Conversion::kDone;
}

// The round trip of everyday magnitudes in one exact pass.
//
// For 2^-43 <= |value| < 2^47 the text's decimal exponent p lies in -13..14,
// so value x 10^k with k = 14 - p in 0..27 is m x 5^k x 2^(e2 - 63 + k): the
// product m x 5^k (5^27 < 2^63) is exact in 128 bits and gives the 15 digits
// and their rounding with no error to allow for. The text's value,
// digits / 10^k = digits / 5^k x 2^-k, is read back by one exact 128 / 64-bit
// division: quotient and remainder give the nearest significand, and the
// remainder is never half of the odd 5^k, so no tie arises.
constexpr int kOnePassMinExponent = -43;  // p >= -13, so k <= 27
constexpr int kOnePassMaxExponent = 46;   // p <= 14, so k >= 0

constexpr int kExactScales = 28;
constexpr auto kPowersOfFive = [] {
  std::array<U64, kExactScales> powers{};
  powers[0] = 1;
  for (int k = 1; k < kExactScales; ++k) powers[k] = powers[k - 1] * 5;
  return powers;
}();

// 5^k shifted up to a 64-bit divisor with its top bit set, and its
// reciprocal floor((2^128 - 1) / divisor) - 2^64, which turns the division
// below into two multiplications (division by an invariant integer, as
// Moller and Granlund give it).
struct Divisor {
  U64 normalized;
  U64 reciprocal;
  int shift;
};
constexpr auto kDivisorsOfFive = [] {
  std::array<Divisor, kExactScales> divisors{};
  for (int k = 0; k < kExactScales; ++k) {
    const int shift = __builtin_clzll(kPowersOfFive[k]);
    const U64 normalized = kPowersOfFive[k] << shift;
    divisors[k] = {normalized, static_cast<U64>(~static_cast<U128>(0) / normalized), shift};
  }
  return divisors;
}();

// (high x 2^64) / divisor for high < divisor.normalized: quotient and remainder.
inline U64 DivideByFivePower(U64 high, const Divisor& divisor, U64& remainder) {
  const U128 product = static_cast<U128>(divisor.reciprocal) * high;
  U64 quotient = static_cast<U64>(product >> 64) + high + 1;
  remainder = 0 - quotient * divisor.normalized;
  // Taken about half the time, so a mask rather than a branch.
  const U64 over = 0 - static_cast<U64>(remainder > static_cast<U64>(product) ? 1 : 0);
  quotient += over;
  remainder += divisor.normalized & over;
  if (remainder >= divisor.normalized) [[unlikely]] {
    ++quotient;
    remainder -= divisor.normalized;
  }
  return quotient;
}

// The extended value nearest to digits / 10^k, 1 <= digits < 2^50 and
// k <= 27, into `fields`.
void NearestOfDecimal(U64 digits, int k, Fields& fields) {
  const Divisor& divisor = kDivisorsOfFive[k];
  const U64 d = divisor.normalized;
  // digits with its top bit at bit 62: over the normalized 5^k the quotient
  // lies in [2^62, 2^64), and digits x 2^shift / 5^k is that quotient.
  const int leading = __builtin_clzll(digits);
  int shift = 63 + leading - divisor.shift;
  U64 remainder;
  U64 quotient = DivideByFivePower(digits << (leading - 1), divisor, remainder);
  // Which way the next two decisions go is as good as random from sample to
  // sample, so they select with masks rather than branch. First, below 2^63
  // the quotient takes one bit more from the remainder (2r - d wraps to its
  // true value when the bit is 1).
  const U64 one_more = (quotient >> 63) - 1;  // all ones or none
  const U64 bit = remainder >= d - remainder ? 1 : 0;
  quotient ^= (((quotient << 1) | bit) ^ quotient) & one_more;
  remainder ^= (((remainder << 1) - (d & (0 - bit))) ^ remainder) & one_more;
  shift += static_cast<int>(one_more & 1);
  // Then to nearest: the remainder is never half the divisor, as 5^k is odd
  // (1 for k = 0, where the remainder is 0).
  quotient += remainder > d - remainder ? 1 : 0;
  if (quotient == 0) [[unlikely]] {
    quotient = 1ULL << 63;
    --shift;
  }
  fields.mantissa = quotient;
  fields.biased = 63 - shift - k + kExponentBias;
}

// floor(e2 log10 2): a value in [2^e2, 2^(e2+1)) has the decimal exponent
// p of this or one more.
constexpr int DecimalExponentGuess(int e2) {
  return static_cast<int>((static_cast<std::int64_t>(e2) * 1292913986LL) >> 32);
}

// Per binary exponent of the one-pass range, the largest significand whose
// value stays below 10^(guess + 1) (all ones where every one does), so that
// one comparison settles p.
constexpr auto kDecadeThresholds = [] {
  std::array<U64, kOnePassMaxExponent - kOnePassMinExponent + 1> thresholds{};
  for (int e2 = kOnePassMinExponent; e2 <= kOnePassMaxExponent; ++e2) {
    const int next = DecimalExponentGuess(e2) + 1;
    U128 power = 1;
    for (int i = 0; i < (next < 0 ? -next : next); ++i) power *= 10;
    // The smallest significand m with m x 2^(e2 - 63) >= 10^next.
    const U128 first =
        next >= 0 ? power << (63 - e2) : ((static_cast<U128>(1) << (63 - e2)) + power - 1) / power;
    thresholds[static_cast<std::size_t>(e2 - kOnePassMinExponent)] =
        first > ~0ULL ? ~0ULL : static_cast<U64>(first - 1);
  }
  return thresholds;
}();

// False outside the magnitudes above.
bool OnePassRoundTrip(Fields& fields) {
  const int e2 = fields.biased - kExponentBias;
  if (e2 < kOnePassMinExponent || e2 > kOnePassMaxExponent || (fields.mantissa >> 63) == 0)
    return false;
  const int p =
      DecimalExponentGuess(e2) +
      (fields.mantissa > kDecadeThresholds[static_cast<std::size_t>(e2 - kOnePassMinExponent)] ? 1
                                                                                               : 0);
  const int k = kSignificantDigits - 1 - p;  // 0..27
  // value x 10^k = m x 5^k / 2^(63 - e2 - k), in [10^14, 10^15); twice that,
  // truncated, plus 1 and halved rounds half away from zero. 10^15 after a
  // carry is the same value as 10^14 at p + 1.
  const U128 product = static_cast<U128>(fields.mantissa) * kPowersOfFive[k];
  const auto twice = static_cast<U64>(product >> (62 - e2 - k));
  NearestOfDecimal((twice + 1) >> 1, k, fields);
  return true;
}

}  // namespace

namespace reference {

std::string FloatToStr(long double value, char separator) {
  return ReferenceFloatToStr(value, separator);
}

std::optional<long double> StrToFloat(std::string_view text, char separator) {
  return ReferenceRead(text, separator, false);
}

std::optional<long double> RoundThroughNumberText(long double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return StrToFloat(FloatToStr(value));
}

}  // namespace reference

std::string FloatToStr(long double value, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  const Fields fields = Decode(value);
  Decimal decimal;
  if (!DecimalOf(fields, decimal)) return ReferenceFloatToStr(value, separator);
  return Format(fields.negative, decimal, separator);
}

std::optional<long double> StrToFloat(std::string_view text, char separator) {
  // The grammar of ReferenceRead, gathering up to 19 significant digits.
  size_t i = 0;
  const size_t n = text.size();
  auto is_digit = [&](size_t k) { return k < n && text[k] >= '0' && text[k] <= '9'; };

  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // Digits, then at most one separator and digits: the grammar's mantissa.
  const size_t mantissa_start = i;
  bool dropped_nonzero = false;  // a digit beyond the 19th that is not 0
  U64 significand = 0;
  int significant_digits = 0;
  std::int64_t exponent = 0;  // of the significand's last digit
  auto read_digits = [&](bool fraction) {
    while (i < n && text[i] == '0' && significand == 0) {  // leading zeros
      if (fraction) --exponent;
      ++i;
    }
    for (; is_digit(i); ++i) {
      const auto digit = static_cast<U64>(text[i] - '0');
      if (significant_digits < 19) {
        significand = significand * 10 + digit;
        ++significant_digits;
        if (fraction) --exponent;
      } else {
        if (!fraction) ++exponent;
        if (digit != 0) dropped_nonzero = true;
      }
    }
  };
  read_digits(false);
  if (i < n && text[i] == separator) {
    ++i;
    read_digits(true);
  }
  const bool any_mantissa = i > mantissa_start;
  if (!any_mantissa) return std::nullopt;

  std::int64_t written_exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exponent_negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) exponent_negative = text[i++] == '-';
    if (!is_digit(i)) return std::nullopt;
    while (is_digit(i)) {
      if (written_exponent < 1000000000) written_exponent = written_exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (exponent_negative) written_exponent = -written_exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return std::nullopt;

  if (significand == 0) return negative ? -0.0L : 0.0L;
  if (dropped_nonzero || written_exponent >= 1000000000 || written_exponent <= -1000000000)
    return ReferenceRead(text, separator, true);
  long double value;
  switch (NearestValue(significand, exponent + written_exponent, value)) {
    case Conversion::kDone:
      return negative ? -value : value;
    case Conversion::kOverflow:
      return std::nullopt;
    case Conversion::kUndecided:
      break;
  }
  return ReferenceRead(text, separator, true);
}

bool RoundThroughNumberTextInPlace(long double& value) {
  Fields fields = Decode(value);
  // A whole value below 10^15 is written with all its digits: the commonest
  // result of integer plots, so it is tested first.
  const int e2 = fields.biased - kExponentBias;
  if (e2 >= 0 && e2 < 50 && (fields.mantissa >> 63) != 0 && (fields.mantissa << (e2 + 1)) == 0 &&
      (fields.mantissa >> (63 - e2)) < kBeyond15) [[likely]]
    return true;
  if (fields.biased == kMaxBiased) return false;  // INF or NAN
  if (fields.biased == 0 && fields.mantissa == 0) {
    std::memset(&value, 0, 10);  // "0", whatever the sign
    return true;
  }
  if (OnePassRoundTrip(fields)) {
    Store(fields, value);
    return true;
  }
  Decimal decimal;
  if (DecimalOf(fields, decimal)) {
    long double result;
    switch (NearestValue(decimal.digits, decimal.p - (kSignificantDigits - 1), result)) {
      case Conversion::kDone:
        value = fields.negative ? -result : result;
        return true;
      case Conversion::kOverflow:
        return false;
      case Conversion::kUndecided:
        break;
    }
  }
  const auto slow = SlowRoundThroughNumberText(value);
  if (!slow) return false;
  value = *slow;
  return true;
}

}  // namespace korvex
