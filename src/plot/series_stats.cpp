// RecordPlotPoint: table, extremes, turning points, zeros and sums, one
// sample at a time.
#include "plot/series_stats.h"

#include <cmath>

#include "engine/number_text.h"

namespace korvex {
namespace {

void ReleaseAll(std::vector<std::string>& lines) { std::vector<std::string>().swap(lines); }

std::string ValueLine(const PointLineFormat& format, long double a, long double b) {
  std::string line = format.prefix;
  line += FloatToStr(a);
  line += format.infix;
  line += FloatToStr(b);
  return line;
}

std::string SignChangeLine(const PointLineFormat& format, long double from, long double to) {
  std::string line = FloatToStr(from);
  line += '<';
  line += format.variable;
  line += '<';
  line += FloatToStr(to);
  line += format.infix;
  line += '0';
  return line;
}

}  // namespace

void SeriesStats::Reset() {
  ReleaseLines();
  sum_y = 0;
  sum_abs_y = 0;
}

void SeriesStats::ReleaseLines() {
  ReleaseAll(table_lines);
  ReleaseAll(top_lines);
  ReleaseAll(bottom_lines);
  ReleaseAll(max_lines);
  ReleaseAll(min_lines);
  ReleaseAll(zero_lines);
}

size_t SeriesStats::TotalLines() const {
  return table_lines.size() + top_lines.size() + bottom_lines.size() + max_lines.size() +
         min_lines.size() + zero_lines.size();
}

PointLineFormat::PointLineFormat(std::string_view variable_text, bool derivative)
    : variable(variable_text),
      prefix(std::string(variable_text) + ": "),
      infix(std::string(derivative ? " = f'(" : " = f(") + std::string(variable_text) + "): ") {}

void RecordPlotPoint(SeriesStats& stats, CurveTracker& tracker, const PointLineFormat& format,
                     long double x, long double y, std::string_view value_text) {
  {
    std::string line = format.prefix;
    line += FloatToStr(x);
    line += format.infix;
    line += value_text;
    stats.table_lines.push_back(std::move(line));
  }
  if (stats.table_lines.size() == 1) {
    tracker.prev_x = x;
    tracker.prev_y = y;
    tracker.max_y = y;
    tracker.min_y = y;
  }
  stats.sum_y += y;
  stats.sum_abs_y += std::fabs(y);

  if (y >= tracker.max_y) {
    if (y > tracker.max_y) stats.max_lines.clear();
    tracker.max_y = y;
    stats.max_lines.push_back(ValueLine(format, x, tracker.max_y));
  }
  if (y <= tracker.min_y) {
    if (y < tracker.min_y) stats.min_lines.clear();
    tracker.min_y = y;
    stats.min_lines.push_back(ValueLine(format, x, tracker.min_y));
  }

  if (y < tracker.prev_y) {
    if (tracker.trend == Trend::kRising)
      stats.top_lines.push_back(ValueLine(format, tracker.prev_x, tracker.prev_y));
    tracker.trend = Trend::kFalling;
  } else if (y > tracker.prev_y) {
    if (tracker.trend == Trend::kFalling)
      stats.bottom_lines.push_back(ValueLine(format, tracker.prev_x, tracker.prev_y));
    tracker.trend = Trend::kRising;
  } else {
    tracker.trend = Trend::kNone;
  }

  if (y == 0) {
    stats.zero_lines.push_back(ValueLine(format, x, y));
    tracker.sign_state = SignState::kNone;
  } else if (y < 0) {
    if (tracker.sign_state == SignState::kPositive)
      stats.zero_lines.push_back(SignChangeLine(format, tracker.prev_x, x));
    tracker.sign_state = SignState::kNegative;
  } else if (y > 0) {
    if (tracker.sign_state == SignState::kNegative)
      stats.zero_lines.push_back(SignChangeLine(format, tracker.prev_x, x));
    tracker.sign_state = SignState::kPositive;
  }

  tracker.prev_x = x;
  tracker.prev_y = y;
}

}  // namespace korvex
