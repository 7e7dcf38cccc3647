// RecordPlotPoint: table, extremes, turning points, zeros and sums, one
// sample at a time.
#include "plot/series_stats.h"

#include <cmath>
#include <cstring>

#include "engine/number_text.h"
#include "engine/whole_program.h"

namespace korvex {
namespace {

// An extended value copied as its bytes: storing one from the 80-bit unit
// costs several integer moves' time, and what the tracking keeps are copies.
void CopyValue(long double& to, const long double& from) { std::memcpy(&to, &from, 10); }
void CopyValue(std::int64_t& to, std::int64_t from) { to = from; }

// The two sums of the extended way, kept in the series' statistics.
struct Sums {
  long double& sum_y;
  long double& sum_abs_y;
  void Add(const long double& y) {
    sum_y += y;
    sum_abs_y += std::fabs(y);
  }
};

template <typename T>
void ReleaseAll(std::vector<T>& items) {
  std::vector<T>().swap(items);
}

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

// The lists after the table, for the tracking both ways of recording share.
enum class List { kTop, kBottom, kMax, kMin, kZero };

// Writes every line at once.
class EagerLines {
 public:
  EagerLines(SeriesStats& stats, const PointLineFormat& format) : stats_(stats), format_(format) {}
  void Value(List list, long double a, long double b) {
    Of(list).push_back(ValueLine(format_, a, b));
  }
  void SignChange(long double from, long double to) {
    stats_.zero_lines.push_back(SignChangeLine(format_, from, to));
  }
  void Clear(List list) { Of(list).clear(); }

 private:
  std::vector<std::string>& Of(List list) {
    switch (list) {
      case List::kTop:
        return stats_.top_lines;
      case List::kBottom:
        return stats_.bottom_lines;
      case List::kMax:
        return stats_.max_lines;
      case List::kMin:
        return stats_.min_lines;
      default:
        return stats_.zero_lines;
    }
  }
  SeriesStats& stats_;
  const PointLineFormat& format_;
};

// Keeps the numbers; a list cleared drops its written lines as well.
class DeferredLines {
 public:
  explicit DeferredLines(SeriesStats& stats) : stats_(stats) {}
  // Built in place, and runs for most samples.
  template <typename Number>
  void Value(List list, const Number& a, const Number& b) {
    Of(list).emplace_back().Set(a, b);
  }
  template <typename Number>
  void SignChange(const Number& from, const Number& to) {
    SeriesStats::PendingLine& line = stats_.pending_zero.emplace_back();
    line.Set(from, to);
    line.sign_change = true;
  }
  void Clear(List list) {
    Of(list).clear();
    (list == List::kMax ? stats_.max_lines : stats_.min_lines).clear();
  }

 private:
  std::vector<SeriesStats::PendingLine>& Of(List list) {
    switch (list) {
      case List::kTop:
        return stats_.pending_top;
      case List::kBottom:
        return stats_.pending_bottom;
      case List::kMax:
        return stats_.pending_max;
      case List::kMin:
        return stats_.pending_min;
      default:
        return stats_.pending_zero;
    }
  }
  SeriesStats& stats_;
};

// Everything after the table line: sums, extremes, turning points, zeros.
template <typename Sums, typename Value, typename Lines>
void TrackPoint(Sums& sums, CurveTrackerOf<Value>& tracker, Lines& lines, bool first,
                const Value& x, const Value& y) {
  if (first) {
    CopyValue(tracker.prev_x, x);
    CopyValue(tracker.prev_y, y);
    CopyValue(tracker.max_y, y);
    CopyValue(tracker.min_y, y);
  }
  sums.Add(y);

  if (y >= tracker.max_y) {
    if (y > tracker.max_y) lines.Clear(List::kMax);
    CopyValue(tracker.max_y, y);
    lines.Value(List::kMax, x, y);
  }
  if (y <= tracker.min_y) {
    if (y < tracker.min_y) lines.Clear(List::kMin);
    CopyValue(tracker.min_y, y);
    lines.Value(List::kMin, x, y);
  }

  if (y < tracker.prev_y) {
    if (tracker.trend == Trend::kRising) lines.Value(List::kTop, tracker.prev_x, tracker.prev_y);
    tracker.trend = Trend::kFalling;
  } else if (y > tracker.prev_y) {
    if (tracker.trend == Trend::kFalling)
      lines.Value(List::kBottom, tracker.prev_x, tracker.prev_y);
    tracker.trend = Trend::kRising;
  } else {
    tracker.trend = Trend::kNone;
  }

  if (y == 0) {
    lines.Value(List::kZero, x, y);
    tracker.sign_state = SignState::kNone;
  } else if (y < 0) {
    if (tracker.sign_state == SignState::kPositive) lines.SignChange(tracker.prev_x, x);
    tracker.sign_state = SignState::kNegative;
  } else if (y > 0) {
    if (tracker.sign_state == SignState::kNegative) lines.SignChange(tracker.prev_x, x);
    tracker.sign_state = SignState::kPositive;
  }

  CopyValue(tracker.prev_x, x);
  CopyValue(tracker.prev_y, y);
}

void WriteOut(std::vector<SeriesStats::PendingLine>& pending, std::vector<std::string>& lines,
              const PointLineFormat& format) {
  lines.reserve(lines.size() + pending.size());
  for (const SeriesStats::PendingLine& line : pending)
    lines.push_back(line.sign_change ? SignChangeLine(format, line.first(), line.second())
                                     : ValueLine(format, line.first(), line.second()));
  ReleaseAll(pending);
}

}  // namespace

void SeriesStats::Reset() {
  ReleaseLines();
  sum_y = 0;
  sum_abs_y = 0;
  recorded_lines = 0;
  table_recorded = true;
}

void SeriesStats::ReleaseLines() {
  ReleaseAll(table_lines);
  ReleaseAll(top_lines);
  ReleaseAll(bottom_lines);
  ReleaseAll(max_lines);
  ReleaseAll(min_lines);
  ReleaseAll(zero_lines);
  ReleasePending();
  recorded_lines = 0;
}

void SeriesStats::ReleasePending() {
  pending_format.reset();
  ReleaseAll(pending_table);
  ReleaseAll(pending_x_starts);
  ReleaseAll(pending_texts);
  for (auto* pending : {&pending_top, &pending_bottom, &pending_max, &pending_min, &pending_zero})
    ReleaseAll(*pending);
}

SeriesStats::TableValue& SeriesStats::AddTableValue(const long double& x) {
  // Compared as bits: -0 and 0 read differently.
  if (pending_table.empty() || std::memcmp(&x, &next_x, kValueBytes) != 0)
    pending_x_starts.push_back({pending_table.size(), x});
  next_x = x + x_increment;
  return pending_table.emplace_back();
}

size_t SeriesStats::TotalLines() const {
  return table_lines.size() + top_lines.size() + bottom_lines.size() + max_lines.size() +
         min_lines.size() + zero_lines.size() + pending_table.size() + pending_top.size() +
         pending_bottom.size() + pending_max.size() + pending_min.size() + pending_zero.size();
}

void SeriesStats::WritePendingTable() {
  if (!pending_format) return;
  const PointLineFormat& format = *pending_format;
  table_lines.reserve(table_lines.size() + pending_table.size());
  auto start = pending_x_starts.cbegin();
  auto value_text = pending_texts.cbegin();
  long double x = 0;
  for (std::size_t line = 0; line < pending_table.size(); ++line) {
    // The first line always starts a run.
    if (start != pending_x_starts.cend() && start->line == line)
      x = (start++)->x;
    else
      x = x + x_increment;
    std::string text = format.prefix;
    text += FloatToStr(x);
    text += format.infix;
    if (value_text != pending_texts.cend() && value_text->line == line)
      text += (value_text++)->text;
    else
      text += FloatToStr(pending_table[line].value());
    table_lines.push_back(std::move(text));
  }
  pending_table.clear();
  pending_x_starts.clear();
  pending_texts.clear();
}

void SeriesStats::TakeTableLines(std::vector<std::string>& lines) {
  WritePendingTable();
  lines.swap(table_lines);
  table_lines.clear();
}

void SeriesStats::DropLists() {
  for (auto* written : {&top_lines, &bottom_lines, &max_lines, &min_lines, &zero_lines})
    written->clear();
  for (auto* pending : {&pending_top, &pending_bottom, &pending_max, &pending_min, &pending_zero})
    pending->clear();
}

void SeriesStats::DropTable() {
  table_lines.clear();
  pending_table.clear();
  pending_x_starts.clear();
  pending_texts.clear();
}

void SeriesStats::WritePendingLines() {
  if (!pending_format) return;
  WritePendingTable();
  const PointLineFormat& format = *pending_format;
  WriteOut(pending_top, top_lines, format);
  WriteOut(pending_bottom, bottom_lines, format);
  WriteOut(pending_max, max_lines, format);
  WriteOut(pending_min, min_lines, format);
  WriteOut(pending_zero, zero_lines, format);
  ReleasePending();
}

PointLineFormat::PointLineFormat(std::string_view variable_text, bool derivative)
    : variable(variable_text),
      prefix(std::string(variable_text) + ": "),
      infix(std::string(derivative ? " = f'(" : " = f(") + std::string(variable_text) + "): ") {}

void RecordPlotPoint(SeriesStats& stats, CurveTracker& tracker, const PointLineFormat& format,
                     long double x, long double y, std::string_view value_text) {
  // Written lines after pending ones would come out of order.
  stats.WritePendingLines();
  {
    std::string line = format.prefix;
    line += FloatToStr(x);
    line += format.infix;
    line += value_text;
    stats.table_lines.push_back(std::move(line));
  }
  EagerLines lines(stats, format);
  Sums sums{stats.sum_y, stats.sum_abs_y};
  TrackPoint(sums, tracker, lines, ++stats.recorded_lines == 1, x, y);
}

void RecordPlotPointDeferred(SeriesStats& stats, CurveTracker& tracker,
                             const PointLineFormat& format, const long double& x,
                             const long double& y, const long double& written,
                             const std::string* value_text) {
  if (!stats.pending_format) stats.pending_format.emplace(format);
  if (stats.table_recorded) {
    if (value_text != nullptr)
      stats.pending_texts.push_back({stats.pending_table.size(), *value_text});
    stats.AddTableValue(x).Set(written);
  }
  DeferredLines lines(stats);
  Sums sums{stats.sum_y, stats.sum_abs_y};
  TrackPoint(sums, tracker, lines, ++stats.recorded_lines == 1, x, y);
}

bool WholePointRecorder::Begin() {
  if (stats_.recorded_lines == 0 || !stats_.pending_format) return false;
  if (!AsWhole(tracker_.prev_x, whole_.prev_x) || !AsWhole(tracker_.prev_y, whole_.prev_y) ||
      !AsWhole(tracker_.max_y, whole_.max_y) || !AsWhole(tracker_.min_y, whole_.min_y))
    return false;
  whole_.trend = tracker_.trend;
  whole_.sign_state = tracker_.sign_state;
  sums_ = {WholeSum(stats_.sum_y), WholeSum(stats_.sum_abs_y)};
  return true;
}

void WholePointRecorder::Record(const Point* points, std::size_t count) {
  if (count == 0) return;
  if (stats_.table_recorded) AddTableLines(points, count);
  // Kept in locals so that the block's tracking stays in registers.
  WholeSums sums = sums_;
  CurveTrackerOf<std::int64_t> tracker = whole_;
  DeferredLines lines(stats_);
  for (std::size_t k = 0; k < count; ++k)
    TrackPoint(sums, tracker, lines, false, points[k].x, points[k].y);
  stats_.recorded_lines += count;
  whole_ = tracker;
  sums_ = sums;
}

void WholePointRecorder::AddTableLines(const Point* points, std::size_t count) {
  std::vector<SeriesStats::TableValue>& table = stats_.pending_table;
  const std::size_t first_line = table.size();
  // The x of each line is checked on integers: whole values below 2^63 add
  // exactly, as the extended additions that replay them do.
  std::int64_t step = 0;
  const bool whole_step = AsWhole(stats_.x_increment, step);
  std::int64_t next_x = 0;
  bool continues = first_line > 0 && whole_step && AsWhole(stats_.next_x, next_x);
  table.resize(first_line + count);
  for (std::size_t k = 0; k < count; ++k) {
    const Point& point = points[k];
    if (!continues || point.x != next_x)
      stats_.pending_x_starts.push_back({first_line + k, static_cast<long double>(point.x)});
    continues = whole_step && !__builtin_add_overflow(point.x, step, &next_x);
    table[first_line + k].Set(point.written);
  }
  stats_.next_x = static_cast<long double>(points[count - 1].x) + stats_.x_increment;
}

void WholePointRecorder::End() {
  tracker_.prev_x = static_cast<long double>(whole_.prev_x);
  tracker_.prev_y = static_cast<long double>(whole_.prev_y);
  tracker_.max_y = static_cast<long double>(whole_.max_y);
  tracker_.min_y = static_cast<long double>(whole_.min_y);
  tracker_.trend = whole_.trend;
  tracker_.sign_state = whole_.sign_state;
  stats_.sum_y = sums_.y.value();
  stats_.sum_abs_y = sums_.abs_y.value();
}

}  // namespace korvex
