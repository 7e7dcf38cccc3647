// Point statistics of the plotted series: the six line lists and two sums
// per series slot, and the tracker of the series being plotted.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The fixed parts of every line of one run: "x: " and " = f(x): " (or
// " = f'(x): " for the derivative).
struct PointLineFormat {
  PointLineFormat(std::string_view variable, bool derivative);
  std::string variable;
  std::string prefix;
  std::string infix;
};

struct SeriesStats {
  static constexpr std::size_t kValueBytes = 10;
  // A value kept as bytes: an extended value's 80 bits, or a whole number
  // (below 2^63) as its integer, which the integer path of a plot keeps
  // without passing it through the 80-bit unit.
  static long double ReadValue(const unsigned char* bytes, bool whole) {
    if (whole) {
      std::int64_t value = 0;
      std::memcpy(&value, bytes, sizeof value);
      return static_cast<long double>(value);
    }
    long double value = 0;
    std::memcpy(&value, bytes, kValueBytes);
    return value;
  }

  std::vector<std::string> table_lines;
  std::vector<std::string> top_lines;     // local maxima
  std::vector<std::string> bottom_lines;  // local minima
  std::vector<std::string> max_lines;     // samples at the greatest value
  std::vector<std::string> min_lines;     // samples at the smallest value
  std::vector<std::string> zero_lines;    // exact zeros and sign changes
  long double sum_y = 0;
  long double sum_abs_y = 0;
  // Table lines recorded since the series was created, kept or not; none
  // once it is removed.
  std::size_t recorded_lines = 0;

  // Creation of a series with this slot's number.
  void Reset();
  // Removal of the series; the sums stay until the next creation.
  void ReleaseLines();
  size_t TotalLines() const;

  // Lines recorded by RecordPlotPointDeferred keep only their numbers until
  // somebody reads the lists; this writes them out, in sample order, after
  // the lines already there. Every reader of a plotted series' lists goes
  // through it (the plotter's stats accessor calls it).
  void WritePendingLines();
  // Room for this many deferred samples, so a long run does not copy its
  // table again and again while it grows.
  void ReserveDeferred(size_t samples) { pending_table.reserve(samples); }
  bool has_pending_lines() const { return pending_format.has_value(); }
  // For a run that does not keep its table: the table lines so far, written
  // out into `lines` (replacing what it held) and no longer kept here.
  void TakeTableLines(std::vector<std::string>& lines);
  // For a run that does not keep its lists or its table: they are emptied
  // unwritten; the tracking and sums behind them go on.
  void DropLists();
  void DropTable();

  // What a deferred list line needs: two numbers, kept as their 80 bits
  // without the padding of a long double (22 bytes rather than 32), as
  // every byte kept per sample is a page taken fresh in a long run.
  struct PendingLine {
    void Set(const long double& first, const long double& second) {
      std::memcpy(a, &first, kValueBytes);
      std::memcpy(b, &second, kValueBytes);
      whole = false;
    }
    // Whole numbers (below 2^63) are kept as integers: the integer path of
    // a plot never passes its values through the 80-bit unit.
    void Set(std::int64_t first, std::int64_t second) {
      std::memcpy(a, &first, sizeof first);
      std::memcpy(b, &second, sizeof second);
      whole = true;
    }
    long double first() const { return Read(a); }
    long double second() const { return Read(b); }

    unsigned char a[kValueBytes];
    unsigned char b[kValueBytes];
    bool sign_change = false;
    bool whole = false;

   private:
    long double Read(const unsigned char* bytes) const { return ReadValue(bytes, whole); }
  };

  // A deferred table line keeps only its written value: its x is the run's
  // next by repeated addition of the increment, as the plot moves x, and is
  // replayed when the line is written. A line whose x is not that next one
  // starts a run of its own (XStart), and the rare line whose value text is
  // not the written value's number text keeps it aside (TableText).
  struct TableValue {
    void Set(const long double& value) {
      std::memcpy(bytes, &value, kValueBytes);
      whole = false;
    }
    void Set(std::int64_t value) {
      std::memcpy(bytes, &value, sizeof value);
      whole = true;
    }
    long double value() const { return ReadValue(bytes, whole); }

    unsigned char bytes[kValueBytes];
    bool whole;
  };
  struct XStart {
    std::size_t line;
    long double x;
  };
  struct TableText {
    std::size_t line;
    std::string text;
  };
  // The increment of the run recording the lines; 0 until a run sets it,
  // which gives every line a start of its own.
  void set_x_increment(long double increment) { x_increment = increment; }
  // Off for a run that neither keeps nor hands on its table: deferred
  // samples then leave no table line at all. On again at Reset.
  void set_table_recorded(bool recorded) { table_recorded = recorded; }
  // The table line for a sample at `x`; the caller sets its value.
  TableValue& AddTableValue(const long double& x);

  std::optional<PointLineFormat> pending_format;
  std::vector<TableValue> pending_table;
  std::vector<XStart> pending_x_starts;
  std::vector<TableText> pending_texts;
  long double x_increment = 0;
  long double next_x = 0;  // the x a next line continuing the run has
  bool table_recorded = true;
  std::vector<PendingLine> pending_top, pending_bottom, pending_max, pending_min, pending_zero;

 private:
  void WritePendingTable();
  void ReleasePending();
};

enum class Trend { kNone, kFalling, kRising };
enum class SignState { kNone, kNegative, kPositive };

template <typename Value>
struct CurveTrackerOf {
  Value prev_x = 0;
  Value prev_y = 0;
  Value max_y = 0;
  Value min_y = 0;
  Trend trend = Trend::kNone;
  SignState sign_state = SignState::kNone;
};
using CurveTracker = CurveTrackerOf<long double>;

// One sample of the series being plotted, in sample order. `value_text` is
// the number text the evaluation left, copied into the table line.
void RecordPlotPoint(SeriesStats& stats, CurveTracker& tracker, const PointLineFormat& format,
                     long double x, long double y, std::string_view value_text);
// The same, with the lines' texts left for WritePendingLines: the sums and
// the tracker are brought up to date at once. The table line's value is the
// number text of `written`, or `value_text` where one is given. Runs for every
// sample, so the values are taken where they lie and copied as bytes.
void RecordPlotPointDeferred(SeriesStats& stats, CurveTracker& tracker,
                             const PointLineFormat& format, const long double& x,
                             const long double& y, const long double& written,
                             const std::string* value_text);

// A sum of whole numbers as extended additions make it: while every partial
// sum stays below 2^64 each addition is exact, so integers give the same sum
// without the 80-bit unit, whose stores and reloads cost more than the
// additions; from the first partial sum beyond, the additions are extended.
class WholeSum {
  __extension__ typedef __int128 Int128;

 public:
  explicit WholeSum(long double start) : extended_value_(start) {
    constexpr long double kExactLimit = 18446744073709551616.0L;  // 2^64
    if (std::fabs(start) < kExactLimit && start == std::trunc(start) &&
        !(start == 0 && std::signbit(start))) {
      exact_ = static_cast<Int128>(start);
      extended_ = false;
    }
  }
  void Add(std::int64_t value) {
    if (!extended_) [[likely]] {
      const Int128 sum = exact_ + value;
      if (sum < kLimit && sum > -kLimit) [[likely]] {
        exact_ = sum;
        return;
      }
      extended_ = true;
      extended_value_ = static_cast<long double>(exact_);
    }
    extended_value_ += static_cast<long double>(value);
  }
  long double value() const {
    return extended_ ? extended_value_ : static_cast<long double>(exact_);
  }

 private:
  static constexpr Int128 kLimit = static_cast<Int128>(1) << 64;
  Int128 exact_ = 0;
  long double extended_value_;
  bool extended_ = true;
};

struct WholeSums {
  WholeSum y;
  WholeSum abs_y;
  // |value| is exactly what fabs of the value's extended form gives.
  void Add(std::int64_t value) {
    y.Add(value);
    abs_y.Add(value < 0 ? -value : value);
  }
};

// A run of samples whose values are all whole numbers below 2^63, recorded
// as RecordPlotPointDeferred records them but tracked on integers. Between
// Begin and End the tracker and the sums live here; End writes them back.
class WholePointRecorder {
 public:
  WholePointRecorder(SeriesStats& stats, CurveTracker& tracker)
      : stats_(stats), tracker_(tracker) {}
  // False, nothing taken, unless the series has a point already and the
  // tracker's values are whole numbers.
  bool Begin();
  // Samples in order; `written` is the value whose number text is the table
  // line's value.
  struct Point {
    std::int64_t x, y, written;
  };
  void Record(const Point* points, std::size_t count);
  void End();

 private:
  void AddTableLines(const Point* points, std::size_t count);

  SeriesStats& stats_;
  CurveTracker& tracker_;
  CurveTrackerOf<std::int64_t> whole_;
  WholeSums sums_{WholeSum(0), WholeSum(0)};
};

// Slots 1 to 100, one per possible series number.
class SeriesStatsStore {
 public:
  static constexpr size_t kSlots = 100;
  SeriesStats& slot(size_t number) { return slots_[number - 1]; }
  const SeriesStats& slot(size_t number) const { return slots_[number - 1]; }

 private:
  std::array<SeriesStats, kSlots> slots_;
};

}  // namespace korvex
