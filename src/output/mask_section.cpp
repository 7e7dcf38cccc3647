// Parsing of the mask language into sections and pieces.
#include "output/mask_section.h"

#include <algorithm>

namespace korvex {
namespace {

constexpr int kMaxExponentDigits = 4;

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// Index of the quote that closes the one at `open`; an unclosed quote runs
// to the end of the text.
size_t ClosingQuote(std::string_view text, size_t open) {
  return std::min(text.find(text[open], open + 1), text.size());
}

void AppendText(std::vector<MaskPiece>& pieces, std::string_view text) {
  if (text.empty()) return;
  MaskPiece piece;
  piece.text = text;
  pieces.push_back(piece);
}

}  // namespace

std::array<std::string_view, 3> SplitMaskSections(std::string_view mask) {
  std::array<std::string_view, 3> sections;
  size_t start = 0;
  size_t index = 0;
  size_t i = 0;
  while (i < mask.size() && index < sections.size()) {
    if (IsQuote(mask[i])) {
      i = ClosingQuote(mask, i) + 1;
    } else if (mask[i] == ';') {
      sections[index++] = mask.substr(start, i - start);
      start = ++i;
    } else {
      ++i;
    }
  }
  if (index < sections.size()) sections[index] = mask.substr(start);
  return sections;
}

MaskSection ParseMaskSection(std::string_view section) {
  MaskSection result;
  bool seen_point = false;
  int places = 0;
  int first_zero = -1;  // place index of the leftmost "0"
  int last_zero = -1;   // place index of the rightmost "0"
  size_t i = 0;
  while (i < section.size()) {
    const char c = section[i];
    if (c == '0' || c == '#') {
      MaskPiece piece;
      piece.kind = MaskPiece::Kind::kDigit;
      piece.zero = c == '0';
      if (piece.zero) {
        if (first_zero < 0) first_zero = places;
        last_zero = places;
      }
      ++places;
      (seen_point ? result.decimal_places : result.integer_places)++;
      result.pieces.push_back(piece);
      ++i;
    } else if (c == '.') {
      if (!seen_point) {
        seen_point = true;
        MaskPiece piece;
        piece.kind = MaskPiece::Kind::kPoint;
        result.pieces.push_back(piece);
      }
      ++i;
    } else if (c == ',') {
      result.grouping = true;
      ++i;
    } else if ((c == 'E' || c == 'e') && i + 1 < section.size() &&
               (section[i + 1] == '+' || section[i + 1] == '-')) {
      MaskPiece piece;
      piece.kind = MaskPiece::Kind::kExponent;
      piece.letter = c;
      piece.always_signed = section[i + 1] == '+';
      i += 2;
      while (piece.exponent_digits < kMaxExponentDigits && i < section.size() &&
             section[i] == '0') {
        ++piece.exponent_digits;
        ++i;
      }
      result.scientific = true;
      result.pieces.push_back(piece);
    } else if (IsQuote(c)) {
      const size_t close = ClosingQuote(section, i);
      AppendText(result.pieces, section.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      AppendText(result.pieces, section.substr(i, 1));
      ++i;
    }
  }
  // A "0" before the point fixes the integer digits from it to the point; a
  // "0" after the point fixes the decimals up to it.
  if (first_zero >= 0 && first_zero < result.integer_places)
    result.min_integer_digits = result.integer_places - first_zero;
  if (last_zero >= result.integer_places)
    result.min_decimals = last_zero + 1 - result.integer_places;
  return result;
}

}  // namespace korvex
