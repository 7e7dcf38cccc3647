// ShowAnswer: from the result's number text to the stored answer, the
// status-bar bit count and the answer text of the chosen number system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/answer_settings.h"

namespace korvex {

inline constexpr const char* kConversionErrorTitle = "Conversion error";
inline constexpr const char* kMaxConversionMessage = "Max 48 bit conversion";

struct AnswerFailure {
  enum class Kind {
    kConversion,  // reported through ReportError with `title`
    kFormat,      // the mask was refused; a general failure without title
  };
  Kind kind = Kind::kConversion;
  std::string message;
  std::string title;
};

struct ShownAnswer {
  long double stored_answer = 0;  // set even when the text fails
  std::string bit_count;          // status panel 0, e.g. "4 bit"
  char decimal_separator = ',';   // in force from now until the next request
  std::string text;               // the answer box text when there is no failure
  std::optional<AnswerFailure> failure;
};

// `result` is token 0 of a solved request (decimal comma); a text StrToFloat
// refuses throws std::invalid_argument. `locale_thousands` is the locale's
// raw thousands separator (LocaleThousandsText).
ShownAnswer ShowAnswer(std::string_view result, const MaskSettings& mask,
                       const GeneralSettings& general, std::string_view locale_thousands);

// The Mask options preview: prefix + masked value + suffix, whatever the
// number system. A refused mask throws FormatFailure.
std::string MaskPreview(const MaskSettings& mask, long double stored_answer, char decimal_separator,
                        char thousands_separator);

// The entry text of a number-system index ("Decimal (base 10)" ...); empty
// for an index outside the list.
std::string NumberSystemName(int index);

}  // namespace korvex
