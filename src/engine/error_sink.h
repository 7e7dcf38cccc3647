// The one failure channel of a request: the window writes the error log and
// the answer box, the CLI prints, tests record.
#pragma once

#include <string>

namespace korvex {

inline constexpr const char* kSyntaxError = "Syntax error";
inline constexpr const char* kUserVariableError = "User variable error";
inline constexpr const char* kFunctionError = "Function error";
inline constexpr const char* kConversionError = "Conversion error";
inline constexpr const char* kPlotError = "Plot error";
inline constexpr const char* kPasteError = "Paste error";

class ErrorSink {
 public:
  virtual ~ErrorSink() = default;
  virtual void ReportError(const std::string& message, const std::string& title) = 0;
};

}  // namespace korvex
