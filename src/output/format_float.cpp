// The mask language: section choice, rounding and the writing of one section.
#include "output/format_float.h"

#include <cmath>

#include "engine/number_text.h"
#include "output/decimal_digits.h"
#include "output/mask_section.h"

namespace korvex {
namespace {

constexpr size_t kMaxMaskCharacters = 224;
constexpr size_t kMaxIntegerDigits = 18;
constexpr size_t kPositive = 0;
constexpr size_t kNegative = 1;
constexpr size_t kZero = 2;

// Characters, not bytes: a UTF-8 sequence counts once.
size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

// The value's digits as one section places them.
struct PlacedDigits {
  std::string integer;   // without leading zeros; empty for a whole part of 0
  std::string fraction;  // without trailing zeros
  int exponent = 0;      // shown exponent, scientific form only
  bool zero = true;      // the value rounded to nothing
};

PlacedDigits RoundForSection(long double magnitude, const MaskSection& section) {
  PlacedDigits placed;
  if (section.scientific) {
    // Every placeholder holds a significant digit; the integer places take
    // the leading ones and the exponent moves by them.
    const int places = section.integer_places + section.decimal_places;
    const SignificantDigits rounded = RoundToSignificant(magnitude, places > 0 ? places : 1);
    if (rounded.digits.empty()) return placed;
    placed.zero = false;
    const size_t integer_places = static_cast<size_t>(section.integer_places);
    placed.integer = rounded.digits.substr(0, integer_places);
    placed.fraction = places > 0 ? rounded.digits.substr(integer_places) : std::string();
    placed.exponent = rounded.exponent - section.integer_places;
  } else {
    FixedDigits rounded = RoundToDecimals(magnitude, section.decimal_places);
    placed.integer = std::move(rounded.integer);
    placed.fraction = std::move(rounded.fraction);
  }
  while (!placed.fraction.empty() && placed.fraction.back() == '0') placed.fraction.pop_back();
  if (!section.scientific) placed.zero = placed.integer.empty() && placed.fraction.empty();
  return placed;
}

std::string ExponentText(const MaskPiece& piece, int exponent) {
  std::string text(1, piece.letter);
  if (exponent < 0) {
    text.push_back('-');
  } else if (piece.always_signed) {
    text.push_back('+');
  }
  std::string digits = std::to_string(exponent < 0 ? -static_cast<long>(exponent) : exponent);
  if (digits.size() < static_cast<size_t>(piece.exponent_digits))
    digits.insert(0, static_cast<size_t>(piece.exponent_digits) - digits.size(), '0');
  return text + digits;
}

// Writes one section. Integer digits are counted by their place left of the
// point (1 = units); the whole part is padded to the minimum width first.
class SectionWriter {
 public:
  SectionWriter(const MaskSection& section, const PlacedDigits& digits, char decimal_separator,
                char thousands_separator)
      : section_(section),
        digits_(digits),
        decimal_separator_(decimal_separator),
        thousands_separator_(thousands_separator) {
    integer_ = digits.integer;
    const size_t min_width = static_cast<size_t>(section.min_integer_digits);
    if (integer_.size() < min_width) integer_.insert(0, min_width - integer_.size(), '0');
  }

  std::string Write() {
    int place = section_.integer_places;  // of the next integer placeholder
    int decimal = 0;                      // of the last decimal placeholder
    bool after_point = false;
    for (const MaskPiece& piece : section_.pieces) {
      switch (piece.kind) {
        case MaskPiece::Kind::kDigit:
          if (!after_point) {
            // The first placeholder takes every digit beyond the placeholders.
            WriteIntegerPlaces(place, place == section_.integer_places ? Width() : place);
            --place;
          } else {
            ++decimal;
            WriteDecimalPlace(decimal);
          }
          break;
        case MaskPiece::Kind::kPoint:
          after_point = true;
          // Without integer placeholders the whole part goes before the point.
          if (section_.integer_places == 0 && section_.decimal_places > 0) {
            WriteIntegerPlaces(1, Width());
          }
          if (!digits_.fraction.empty() || section_.min_decimals > 0) {
            out_.push_back(decimal_separator_);
          }
          break;
        case MaskPiece::Kind::kExponent:
          out_ += ExponentText(piece, digits_.exponent);
          break;
        case MaskPiece::Kind::kText:
          out_ += piece.text;
          break;
      }
    }
    return out_;
  }

 private:
  int Width() const { return static_cast<int>(integer_.size()); }

  // Writes the integer digits at places `highest` down to `lowest` that exist.
  void WriteIntegerPlaces(int lowest, int highest) {
    for (int place = highest; place >= lowest; --place) {
      if (place > Width() || place < 1) continue;
      out_.push_back(integer_[integer_.size() - static_cast<size_t>(place)]);
      if (section_.grouping && thousands_separator_ != '\0' && place > 1 && (place - 1) % 3 == 0)
        out_.push_back(thousands_separator_);
    }
  }

  void WriteDecimalPlace(int decimal) {
    if (decimal <= static_cast<int>(digits_.fraction.size())) {
      out_.push_back(digits_.fraction[static_cast<size_t>(decimal) - 1]);
    } else if (decimal <= section_.min_decimals) {
      out_.push_back('0');
    }
  }

  const MaskSection& section_;
  const PlacedDigits& digits_;
  const char decimal_separator_;
  const char thousands_separator_;
  std::string integer_;
  std::string out_;
};

}  // namespace

std::string FormatFloat(std::string_view mask, long double value, char decimal_separator,
                        char thousands_separator) {
  if (CharacterCount(mask) > kMaxMaskCharacters) throw FormatFailure(kFormatStringTooLong);
  if (!std::isfinite(value)) return FloatToStr(value, decimal_separator);

  const auto sections = SplitMaskSections(mask);
  size_t chosen = kPositive;
  if (value == 0 && !sections[kZero].empty()) chosen = kZero;
  if (value < 0 && !sections[kNegative].empty()) chosen = kNegative;
  if (sections[chosen].empty()) return FloatToStr(value, decimal_separator);

  MaskSection section = ParseMaskSection(sections[chosen]);
  const long double magnitude = std::fabs(value);
  // 10^19 is exact in 80 bits; from there on there are too many digits to
  // print, and the count is checked again after rounding.
  if (!section.scientific && magnitude >= 1e19L) return FloatToStr(value, decimal_separator);
  PlacedDigits digits = RoundForSection(magnitude, section);
  if (!section.scientific && digits.integer.size() > kMaxIntegerDigits)
    return FloatToStr(value, decimal_separator);

  bool negative = value < 0;
  if (digits.zero && value != 0) {
    // Rounded to nothing: written as a zero, without a sign.
    negative = false;
    chosen = sections[kZero].empty() ? kPositive : kZero;
    if (sections[chosen].empty()) return FloatToStr(0, decimal_separator);
    section = ParseMaskSection(sections[chosen]);
    digits = RoundForSection(0, section);
  }

  std::string text = negative && chosen == kPositive ? "-" : "";
  text += SectionWriter(section, digits, decimal_separator, thousands_separator).Write();
  return text;
}

}  // namespace korvex
