// The one failure channel of a request: the window writes the error log and
// the answer box, the CLI prints, tests record.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvex {

inline constexpr const char* kSyntaxError = "Syntax error";
inline constexpr const char* kUserVariableError = "User variable error";
inline constexpr const char* kFunctionError = "Function error";
inline constexpr const char* kConversionError = "Conversion error";
inline constexpr const char* kPlotError = "Plot error";
inline constexpr const char* kPasteError = "Paste error";

// The part of a request's text a failure concerns, in characters (not
// bytes) of the text as the user typed it: [start, end). A token that the
// scanner inserted (the "*" of "2x") has an empty range where it stands.
struct SourceRange {
  std::size_t start = 0;
  std::size_t end = 0;
  bool operator==(const SourceRange&) const = default;
};

// The smallest range covering both.
inline SourceRange Join(const SourceRange& a, const SourceRange& b) {
  return {a.start < b.start ? a.start : b.start, a.end > b.end ? a.end : b.end};
}

// " at 3-5": 1-based, inclusive character positions, as people count
// columns. An empty range names the character after it.
inline std::string PlaceSuffix(const SourceRange& place) {
  const std::size_t last = place.end > place.start ? place.end : place.start + 1;
  return " at " + std::to_string(place.start + 1) + "-" + std::to_string(last);
}

class ErrorSink {
 public:
  virtual ~ErrorSink() = default;
  virtual void ReportError(const std::string& message, const std::string& title) = 0;
  // A failure that points at part of the request's text. Sinks that show no
  // places keep to ReportError, so the message is the same either way.
  virtual void ReportErrorAt(const std::string& message, const std::string& title,
                             const std::optional<SourceRange>& place) {
    (void)place;
    ReportError(message, title);
  }
};

}  // namespace korvex
