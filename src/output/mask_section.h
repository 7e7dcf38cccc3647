// Parsing of the mask language: the split into sections and one section's
// pieces (digit places, decimal point, exponent, literal text).
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace korvex {

// The positive, negative and zero sections; absent ones are empty.
std::array<std::string_view, 3> SplitMaskSections(std::string_view mask);

struct MaskPiece {
  enum class Kind { kDigit, kPoint, kExponent, kText };
  Kind kind = Kind::kText;
  bool zero = false;           // kDigit: "0" rather than "#"
  char letter = 'E';           // kExponent: "E" or "e" as written
  bool always_signed = false;  // kExponent: "+" rather than "-"
  int exponent_digits = 0;     // kExponent: minimum digits, 0 to 4
  std::string_view text;       // kText: copied as it stands
};

struct MaskSection {
  std::vector<MaskPiece> pieces;  // the decimal point appears once at most
  int integer_places = 0;         // digit places before the decimal point
  int decimal_places = 0;         // digit places after it
  int min_integer_digits = 0;     // from the leftmost "0" before the point
  int min_decimals = 0;           // up to the rightmost "0" after the point
  bool grouping = false;          // a "," anywhere
  bool scientific = false;        // an exponent anywhere
};

MaskSection ParseMaskSection(std::string_view section);

}  // namespace korvex
