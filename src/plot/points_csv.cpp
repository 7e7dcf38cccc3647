// Writing a series' points as CSV lines.
#include "plot/points_csv.h"

#include <charconv>
#include <optional>

namespace korvex {
namespace {

// Room for the longest shortest form of a double in either notation:
// "-2.2250738585072014e-308", or 15 integral digits and 17 decimals.
constexpr std::size_t kNumberRoom = 40;

// Between these magnitudes plain decimals stay short and read better than
// exponents ("100000", not "1e+05"); outside them exponents are shorter.
constexpr double kPlainFrom = 1e-5;
constexpr double kPlainBelow = 1e15;

void AppendNumber(std::string& out, double value) {
  char buffer[kNumberRoom];
  const double magnitude = value < 0 ? -value : value;
  const bool plain = magnitude == 0 || (magnitude >= kPlainFrom && magnitude < kPlainBelow);
  // Without a precision both forms are the shortest text that reads back
  // to the same double.
  const auto result =
      plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

struct LineTexts {
  std::string_view x;
  std::string_view value;
};

// The two number texts of a Table line "x: X = f(x): Y" (or f'(x)); the
// number texts hold no blank, the variable no ": ".
std::optional<LineTexts> TextsOfLine(std::string_view line) {
  const size_t x_start = line.find(": ");
  if (x_start == std::string_view::npos) return std::nullopt;
  const size_t x_end = line.find(' ', x_start + 2);
  if (x_end == std::string_view::npos) return std::nullopt;
  const size_t value_mark = line.find("): ", x_end);
  if (value_mark == std::string_view::npos) return std::nullopt;
  return LineTexts{line.substr(x_start + 2, x_end - x_start - 2), line.substr(value_mark + 3)};
}

void AppendNumberText(std::string& out, std::string_view number_text) {
  for (const char c : number_text) out += c == ',' ? '.' : c;
}

}  // namespace

std::string CsvNumber(std::string_view number_text) {
  std::string out;
  AppendNumberText(out, number_text);
  return out;
}

std::string TableLinesCsv(std::span<const std::string> table_lines) {
  std::string out;
  out.reserve(table_lines.size() * 24);
  for (const std::string& line : table_lines) {
    const std::optional<LineTexts> texts = TextsOfLine(line);
    if (!texts) continue;
    AppendNumberText(out, texts->x);
    out += ',';
    AppendNumberText(out, texts->value);
    out += '\n';
  }
  return out;
}

std::string PointsCsv(const ChartSeries& series, std::span<const std::string> table_lines,
                      CsvHeader header) {
  return PointsCsv(series.points(), table_lines, header);
}

std::string PointsCsv(std::span<const ChartPoint> points, std::span<const std::string> table_lines,
                      CsvHeader header) {
  std::string out = header == CsvHeader::kWith ? "x,y\n" : "";
  // Most plotted numbers are short; this spares most regrowth.
  out.reserve(out.size() + points.size() * 24);
  size_t index = 0;
  for (const ChartPoint& point : points) {
    const std::optional<LineTexts> texts =
        index < table_lines.size() ? TextsOfLine(table_lines[index]) : std::nullopt;
    ++index;
    if (texts)
      AppendNumberText(out, texts->x);
    else
      AppendNumber(out, point.x);
    out += ',';
    if (texts)
      AppendNumberText(out, texts->value);
    else
      AppendNumber(out, point.y);
    out += '\n';
  }
  return out;
}

}  // namespace korvex
