// Answers in base 16, 8, 4 or 2: sign digit, integer part (two's complement
// when negative) and fraction bits, joined by single blanks.
#pragma once

#include <string>

namespace korvex {

// "S N M": S "0" or "1"; N the integer part of the magnitude, for a negative
// value with a nonzero integer part the two's-complement pattern of -N in the
// fewest bits; M at most `precision` fraction bits, padded with zero bits to
// whole digits. Both blanks are always written. The caller refuses
// magnitudes of 2^48 and more; a value that is not finite gives its
// FloatToStr text.
std::string ConvertToBase(long double value, int precision, int base);

// Bits ('0'/'1', least significant first) to digits ("0"-"9", "A"-"F", least
// significant first) of 4, 3 or 2 bits for base 16, 8 or 4; any other base
// keeps one bit per digit. The last digit may have fewer bits and is never
// sign-extended.
std::string GroupBits(const std::string& bits, int base);

}  // namespace korvex
