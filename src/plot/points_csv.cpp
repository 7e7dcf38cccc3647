// Writing a series' points as CSV lines.
#include "plot/points_csv.h"

#include <charconv>

namespace korvex {
namespace {

// Room for the longest shortest form of a double, "-2.2250738585072014e-308".
constexpr std::size_t kNumberRoom = 32;

void AppendNumber(std::string& out, double value) {
  char buffer[kNumberRoom];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace

std::string PointsCsv(const ChartSeries& series, CsvHeader header) {
  std::string out = header == CsvHeader::kWith ? "x,y\n" : "";
  // Most plotted numbers are short; this spares most regrowth.
  out.reserve(out.size() + series.count() * 24);
  for (const ChartPoint& point : series.points()) {
    AppendNumber(out, point.x);
    out += ',';
    AppendNumber(out, point.y);
    out += '\n';
  }
  return out;
}

}  // namespace korvex
