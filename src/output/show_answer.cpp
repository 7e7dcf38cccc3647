// The answer-output step of a solve request, as a pure function of the
// result text and the settings.
#include "output/show_answer.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "engine/bits.h"
#include "engine/number_text.h"
#include "output/base_conversion.h"
#include "output/format_float.h"
#include "output/scientific_text.h"
#include "output/thousands_separator.h"

namespace korvex {
namespace {

constexpr int kDecimalIndex = static_cast<int>(NumberSystem::kDecimal);

struct NumberSystemEntry {
  const char* name;
  int base;
};

constexpr std::array<NumberSystemEntry, 5> kNumberSystems = {{
    {"Hexadecimal (base 16)", 16},
    {"Decimal (base 10)", 10},
    {"Octal (base 8)", 8},
    {"Quaternary (base 4)", 4},
    {"Binary (base 2)", 2},
}};

// No entry selected converts as binary.
int BaseOf(int index) {
  if (index < 0 || index >= static_cast<int>(kNumberSystems.size())) return 2;
  return kNumberSystems[static_cast<size_t>(index)].base;
}

// "n bit" with n the number of binary digits of floor(|value|).
std::string BitCountText(long double value) {
  const long double magnitude = std::fabs(value);
  // CountBits takes each step's parity from a 64-bit integer and fails from
  // 2^63 on; there the count of binary digits is the binary exponent plus one.
  const long double count = magnitude >= 0x1p63L && std::isfinite(magnitude)
                                ? static_cast<long double>(std::ilogb(magnitude) + 1)
                                : CountBits(magnitude, 'x');
  return FloatToStr(count) + " bit";
}

}  // namespace

std::string NumberSystemName(int index) {
  if (index < 0 || index >= static_cast<int>(kNumberSystems.size())) return {};
  return kNumberSystems[static_cast<size_t>(index)].name;
}

std::string MaskPreview(const MaskSettings& mask, long double stored_answer, char decimal_separator,
                        char thousands_separator) {
  return mask.prefix +
         FormatFloat(mask.mask, stored_answer, decimal_separator, thousands_separator) +
         mask.suffix;
}

ShownAnswer ShowAnswer(std::string_view result, const MaskSettings& mask,
                       const GeneralSettings& general, std::string_view locale_thousands) {
  const auto value = StrToFloat(result);
  if (!value) throw std::invalid_argument("'" + std::string(result) + "' is not a number");

  ShownAnswer shown;
  shown.stored_answer = *value;
  shown.bit_count = BitCountText(shown.stored_answer);
  shown.decimal_separator = kEngineSeparator;

  if (general.number_system == kDecimalIndex) {
    if (general.point) shown.decimal_separator = '.';
    if (general.scientific) {
      shown.text = ScientificText(shown.stored_answer, shown.decimal_separator);
      return shown;
    }
    try {
      shown.text = MaskPreview(mask, shown.stored_answer, shown.decimal_separator,
                               ThousandsSeparator(locale_thousands, shown.decimal_separator));
    } catch (const FormatFailure& failure) {
      shown.failure = AnswerFailure{AnswerFailure::Kind::kFormat, failure.what(), ""};
    }
    return shown;
  }

  if (std::fabs(std::floor(shown.stored_answer)) >= 0x1p48L) {
    shown.failure = AnswerFailure{AnswerFailure::Kind::kConversion, kMaxConversionMessage,
                                  kConversionErrorTitle};
    return shown;
  }
  shown.text = ConvertToBase(shown.stored_answer, general.precision, BaseOf(general.number_system));
  return shown;
}

}  // namespace korvex
