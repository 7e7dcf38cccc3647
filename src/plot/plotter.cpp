// PlotExpression, the sampling loop and the series operations around it.
#include "plot/plotter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "plot/chart_settings.h"
#include "plot/replay_sample_source.h"
#include "plot/sample_source.h"
#include "plot/token_sample_source.h"
#include "plot/whole_sample_source.h"

namespace korvex {
namespace {

constexpr long double kMaxTotal = 2147483647.0L;
constexpr std::size_t kAnyCount = SIZE_MAX;

// The statistics of the integer path's samples, kept on integers from its
// first block until a sample is recorded otherwise, the Reminder or a stop
// comes, or the run ends; closed, the tracker and sums are the series' again.
class WholeRecording {
 public:
  WholeRecording(SeriesStats& stats, CurveTracker& tracker) : recorder_(stats, tracker) {}
  ~WholeRecording() { Close(); }
  WholeRecording(const WholeRecording&) = delete;
  WholeRecording& operator=(const WholeRecording&) = delete;

  // False when the statistics so far are not whole numbers.
  bool Open() {
    if (!open_) open_ = recorder_.Begin();
    return open_;
  }
  void Record(const WholePointRecorder::Point* points, std::size_t count) {
    recorder_.Record(points, count);
  }
  void Close() {
    if (open_) recorder_.End();
    open_ = false;
  }

 private:
  WholePointRecorder recorder_;
  bool open_ = false;
};

}  // namespace

Plotter::Plotter(Engine& engine, const Clock& clock)
    : engine_(engine), line_format_("x", false), timing_(clock) {}

bool Plotter::SolvePlot(std::string_view text) {
  if (!engine_.PreparePlot(text)) return false;
  plot_expression_ = std::string(text);
  if (!PlotExpression()) return false;
  FinishPlotInfo(false);
  return true;
}

bool Plotter::PlotExpression() {
  ErrorSink& errors = engine_.errors();
  const auto start = StrToFloat(settings_.start);
  const auto stop = StrToFloat(settings_.stop);
  const auto increment = StrToFloat(settings_.increment);
  const auto epsilon =
      settings_.derivative ? StrToFloat(settings_.epsilon) : std::optional<long double>(0);
  if (!start || !stop || !increment || !epsilon || *increment == 0) {
    errors.ReportError(kCalculationsErrorMessage, kPlotError);
    return false;
  }
  const long double total = std::ceil((*stop - *start) / *increment + 1);
  if (std::isnan(total) || total < 1 || total > kMaxTotal) {
    errors.ReportError(kTooFewOrManyMessage, kPlotError);
    return false;
  }
  if (const std::optional<std::string> refusal =
          RangeRefusal({*start, *stop, *increment, *epsilon, settings_.derivative})) {
    errors.ReportError(*refusal, kPlotError);
    return false;
  }
  if (static_cast<long double>(memory_budget_) / kBytesPerSample < total) {
    errors.ReportError(kPlotTooLargeMessage, kPlotError);
    return false;
  }
  const auto total32 = static_cast<std::int32_t>(total);
  progress_->SetProgressMaximum(total32);

  ChartModel& chart = store_.chart();
  if (!ApplyChartSettings(settings_, chart, errors)) return false;
  if (settings_.mode == PlotMode::kSingle) RemoveSeries(false);
  if (!CreatePlotSeries()) return false;
  ApplySeriesAppearance();
  progress_->SeriesCreated(chart);
  PlotInfo& info = store_.plot_info();
  info = PlotInfo();
  info.function = chart.series(chart.series_count()).title();
  info.serie = std::to_string(chart.series_count());
  info.total_calculations = std::to_string(total32);
  progress_->StartPlotInfo(info);

  return SampleSeries({*start, *stop, *increment, *epsilon, settings_.derivative});
}

bool Plotter::SampleSeries(const SampleRange& range) {
  ChartModel& chart = store_.chart();
  const size_t number = chart.series_count();
  // The points still buffered reach the chart on every way out, an escaping
  // failure included.
  pending_points_.clear();
  pending_points_.reserve(kPointBatch);
  pending_series_ = number;
  struct FlushOnExit {
    Plotter& plotter;
    ~FlushOnExit() { plotter.FlushPoints(); }
  } flush_on_exit{*this};
  std::size_t position = chart.series(number).count();
  SeriesStats& stats = store_.recorded_stats(number);
  stats.set_x_increment(range.increment);
  stats.set_table_recorded(keeping_.table || keeping_.table_handed_on);
  const long double expected = std::ceil((range.stop - range.start) / range.increment + 1);
  if (expected >= 1) {
    // The run's size is known: the room is made once, so nothing grows by
    // copying. Pages are only taken as samples fill them.
    const auto room = static_cast<std::size_t>(std::min(expected, kMaxTotal));
    chart.ReservePoints(number, position + room);
    store_.recorded_stats(number).ReserveDeferred(keeping_.table ? room
                                                                 : std::min(room, kPointBatch));
  }
  timing_.StartSampling();
  replayed_samples_ = 0;
  whole_samples_ = 0;
  // The first sample runs on the token engine with its checks and is
  // recorded; the later ones replay the recording where it can, on integers
  // where every value stays whole. The sources belong to this run: as locals
  // they go on every way out, an escaping arithmetic failure included.
  compiled_.Clear();
  TokenSampleSource token(engine_, settings_.variable, range,
                          force_token_engine_ ? nullptr : &compiled_);
  ReplaySampleSource replay(compiled_, engine_.function_state(), range, token);
  WholeSampleSource whole(compiled_, range);
  WholeSchedule schedule;
  WholeRecording whole_recording(store_.recorded_stats(number), tracker_);

  // A benchmark times its plots without the Reminder.
  const bool reminders = !timing_.benchmark_running;
  const StopFlag* stop_flag = engine_.environment().stop;
  const auto due = [&] {
    return (reminders && timing_.ReminderDue(reminder_interval_ms_)) ||
           (stop_flag != nullptr && stop_flag->requested());
  };
  // The checks before a sample: the Reminder, then a stop (asked for during
  // it as well). False when the run ends there.
  const auto go_on = [&] {
    if (reminders && timing_.ReminderDue(reminder_interval_ms_)) {
      whole_recording.Close();
      if (!ShowReminder()) return false;
    }
    if (stop_flag != nullptr && stop_flag->requested()) {
      whole_recording.Close();
      return CancelRun();
    }
    return true;
  };

  const long double end = range.end();
  long double x = range.start;
  SampleBlock block;
  while (x < end) {
    block.count = 0;
    // The integers take a block only when nothing is due before its first
    // sample: they have no checks of their own.
    if (whole.ready() && schedule.Offers(position)) {
      if (due() || !whole_recording.Open() ||
          whole.NextBlock(x, kAnyCount, block) != SampleStatus::kTaken)
        schedule.Missed(position);
    }
    if (block.count == 0) {
      whole_recording.Close();
      if (!go_on()) return false;
      SampleSource& source = compiled_.ready() ? static_cast<SampleSource&>(replay) : token;
      const std::size_t limit = whole.ready() ? schedule.OthersLimit(position) : kAnyCount;
      try {
        if (source.NextBlock(x, limit, block) == SampleStatus::kFailed) return false;
      } catch (const Cancelled&) {
        return CancelRun();
      }
      schedule.OthersTook();
    }

    std::size_t taken = 0;
    if (block.kind == SampleBlock::Kind::kWhole) {
      // The integers stop before a sample whose checks are due: the loop
      // makes them, and the sample goes to the extended replay.
      const WholePointRecorder::Point* const points = block.whole;
      const std::size_t count = block.count;
      do {
        const WholePointRecorder::Point& point = points[taken];
        pending_points_.push_back({static_cast<double>(point.x), static_cast<double>(point.y)});
        if (pending_points_.size() >= kPointBatch) FlushPoints();
        progress_->SetProgressPosition(++position);
      } while (++taken < count && !due());
      whole_recording.Record(points, taken);
      whole_samples_ += taken;
      replayed_samples_ += taken;
      schedule.Took(taken == count && !whole.stopped_short());
      // Whole values below 10^15 add exactly, so x moves on (and does move)
      // as the repeated addition moves it.
      x = static_cast<long double>(points[taken - 1].x) + range.increment;
      continue;
    }
    for (; taken < block.count; ++taken) {
      if (taken > 0 && !go_on()) return false;
      const CompiledSample::Outcome& outcome = block.outcomes[taken];
      pending_points_.push_back({static_cast<double>(x), static_cast<double>(outcome.y)});
      RecordDeferredPoint(x, outcome.y, outcome.written, block.value_text);
      if (block.kind == SampleBlock::Kind::kReplayed) ++replayed_samples_;
      if (pending_points_.size() >= kPointBatch) FlushPoints();
      progress_->SetProgressPosition(++position);
      const long double next = x + range.increment;
      // An increment too small to move x would repeat this sample for ever.
      if (next == x) {
        engine_.errors().ReportError(kCalculationsErrorMessage, kPlotError);
        return false;
      }
      x = next;
    }
  }
  return true;
}

std::string Plotter::SeriesTitle() const {
  if (settings_.derivative) return "( " + plot_expression_ + " )'";
  return plot_expression_;
}

bool Plotter::CreatePlotSeries() {
  tracker_.trend = Trend::kNone;
  tracker_.sign_state = SignState::kNone;
  ChartModel& chart = store_.chart();
  if (chart.series_count() > ChartModel::kMaxSeries - 1) {
    engine_.errors().ReportError(kTooManySeriesMessage, kPlotError);
    return false;
  }
  chart.AddSeries(SeriesTitle());
  store_.recorded_stats(chart.series_count()).Reset();
  line_format_ = PointLineFormat(settings_.variable, settings_.derivative);
  return true;
}

void Plotter::ApplySeriesAppearance() {
  ChartModel& chart = store_.chart();
  if (chart.series_count() == 0) return;
  chart.SetSeriesAppearance(chart.series_count(),
                            SeriesAppearance{settings_.stairs, settings_.points,
                                             settings_.graph_colour, settings_.point_colour});
}

void Plotter::RecordPlotPoint(long double x, long double y) {
  RecordPlotPoint(x, y, engine_.tokens().empty() ? std::string_view() : engine_.tokens()[0]);
}

void Plotter::RecordPlotPoint(long double x, long double y, std::string_view value_text) {
  const size_t number = store_.chart().series_count();
  if (number == 0) return;
  korvex::RecordPlotPoint(store_.recorded_stats(number), tracker_, line_format_, x, y, value_text);
}

void Plotter::RecordDeferredPoint(const long double& x, const long double& y,
                                  const long double& written, const std::string* value_text) {
  const size_t number = store_.chart().series_count();
  if (number == 0) return;
  RecordPlotPointDeferred(store_.recorded_stats(number), tracker_, line_format_, x, y, written,
                          value_text);
}

void Plotter::FlushPoints() {
  // A series removed meanwhile takes its points with it.
  const bool present = pending_series_ >= 1 && pending_series_ <= store_.chart().series_count();
  if (!pending_points_.empty()) {
    if (present) {
      store_.chart().AppendPoints(pending_series_, pending_points_);
      progress_->PointsAdded(pending_series_, pending_points_);
    }
    pending_points_.clear();
  }
  if (!present || (keeping_.table && keeping_.lists)) return;
  SeriesStats& stats = store_.recorded_stats(pending_series_);
  if (!keeping_.lists) stats.DropLists();
  if (!keeping_.table && !keeping_.table_handed_on) stats.DropTable();
  if (!keeping_.table && keeping_.table_handed_on) {
    stats.TakeTableLines(handed_lines_);
    if (!handed_lines_.empty()) progress_->TableLinesAdded(pending_series_, handed_lines_);
    handed_lines_.clear();
  }
}

bool Plotter::CancelRun() {
  FlushPoints();
  timing_.reminder_stopwatch.Stop();
  FinishPlotInfo(true);
  return false;
}

bool Plotter::ShowReminder() {
  FlushPoints();
  timing_.stop_requested = false;
  timing_.pause_stopwatch.Start();
  timing_.stop_requested = !progress_->ShowReminder();
  timing_.paused_time += timing_.pause_stopwatch.Stop();
  timing_.reminder_stopwatch.Stop();
  if (timing_.stop_requested) {
    FinishPlotInfo(true);
    return false;
  }
  timing_.reminder_stopwatch.Start();
  return true;
}

void Plotter::FinishPlotInfo(bool cancelled) {
  FlushPoints();
  timing_.net_plot_time = timing_.calc_stopwatch.Stop() - timing_.paused_time;
  const ChartModel& chart = store_.chart();
  const size_t count = chart.series_count() > 0 ? chart.series(chart.series_count()).count() : 0;
  FillPlotFigures(store_.plot_info(), timing_.net_plot_time, count);
  progress_->FinishPlotInfo(store_.plot_info(), cancelled);
}

void Plotter::ResetPlotInfo() {
  store_.plot_info() = PlotInfo();
  progress_->ResetPlotInfo(store_.plot_info());
}

}  // namespace korvex
