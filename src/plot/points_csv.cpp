// Writing a series' points as CSV lines.
#include "plot/points_csv.h"

#include <charconv>

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

}  // namespace

std::string PointsCsv(const ChartSeries& series, CsvHeader header) {
  return PointsCsv(series.points(), header);
}

std::string PointsCsv(std::span<const ChartPoint> points, CsvHeader header) {
  std::string out = header == CsvHeader::kWith ? "x,y\n" : "";
  // Most plotted numbers are short; this spares most regrowth.
  out.reserve(out.size() + points.size() * 24);
  for (const ChartPoint& point : points) {
    AppendNumber(out, point.x);
    out += ',';
    AppendNumber(out, point.y);
    out += '\n';
  }
  return out;
}

}  // namespace korvex
