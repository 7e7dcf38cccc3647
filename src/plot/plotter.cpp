// PlotExpression and the series operations around it.
#include "plot/plotter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "plot/chart_settings.h"

namespace korvex {
namespace {

constexpr long double kMaxTotal = 2147483647.0L;
// Samples the plot leaves to the extended replay after the integers could not
// take one, doubled at each refusal in a row: an expression of fractions
// stops asking soon, one that leaves whole numbers now and then keeps them.
constexpr std::size_t kMaxWholeBackoff = 1024;
// Room made up front for a run's points and table, no more than this many
// samples' worth: beyond it the lists grow as they fill.
constexpr long double kMaxReserved = 1 << 20;

// (T) - (T), over twice epsilon, built in the order the rewrite has always
// used so the token positions of both copies match.
void RewriteAsDerivative(TokenList& tokens, long double epsilon) {
  tokens.insert(tokens.begin(), "(");
  tokens.push_back(")");
  tokens.push_back("-");
  const size_t length = tokens.size();
  tokens.reserve(2 * length + 3);
  for (size_t i = 0; i < length; ++i) tokens.push_back(tokens[i]);
  tokens.insert(tokens.begin(), "(");
  tokens.back().assign(1, ')');
  tokens.push_back("/");
  tokens.push_back(FloatToStr(2 * epsilon));
}

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

  return SampleSeries(*start, *stop, *increment, *epsilon);
}

bool Plotter::SampleSeries(long double start, long double stop, long double increment,
                           long double epsilon) {
  // Template and positions belong to this run; as locals they go on every
  // way out, an escaping arithmetic failure included.
  TokenList token_template = engine_.tokens();
  if (settings_.derivative) RewriteAsDerivative(token_template, epsilon);
  // With the derivative, the first half of the occurrences lie in the first
  // copy of the expression and take x + epsilon.
  std::string sample_text;
  std::string minus_text;
  std::vector<Engine::SampleSlot> slots;
  for (size_t i = 0; i < token_template.size(); ++i)
    if (token_template[i] == settings_.variable) slots.push_back({i, &sample_text});
  if (settings_.derivative) {
    for (size_t k = (slots.size() + 1) / 2; k < slots.size(); ++k) {
      slots[k].text = &minus_text;
      slots[k].input = 1;
    }
  }

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
  const long double expected = std::ceil((stop - start) / increment + 1);
  if (expected >= 1) {
    const auto room = static_cast<std::size_t>(std::min(expected, kMaxReserved));
    chart.ReservePoints(number, position + room);
    store_.recorded_stats(number).ReserveDeferred(room);
  }
  timing_.StartSampling();
  // The first sample runs on the token engine with its checks and is
  // recorded; the later ones replay the recording where it can.
  CompiledSample* record = force_token_engine_ ? nullptr : &compiled_;
  compiled_.Clear();
  replayed_samples_ = 0;
  whole_samples_ = 0;
  FunctionState& function_state = engine_.function_state();
  // Replayed samples are computed a few at a time ahead of the loop, which
  // still takes them one by one with its reminder, stop flag and progress.
  CompiledSample::Lanes lanes;
  std::size_t lane = 0;
  const long double end = stop + increment;
  long double x = start;
  std::size_t whole_from = 0;  // the position from which to try integers again
  std::size_t whole_backoff = 1;
  while (x < end) {
    WholeProgram* whole = settings_.derivative ? nullptr : compiled_.whole();
    if (whole != nullptr && position >= whole_from) {
      if (SampleWholeNumbers(*whole, x, end, increment, position) > 0) {
        whole_backoff = 1;
        lane = lanes.count;  // the lanes computed ahead are behind x now
        if (!(x < end)) break;
      } else {
        whole_from = position + whole_backoff;
        whole_backoff = std::min(2 * whole_backoff, kMaxWholeBackoff);
      }
    }
    const long double plus_input = settings_.derivative ? x + epsilon : x;
    const long double minus_input = settings_.derivative ? x - epsilon : x;
    if (!timing_.benchmark_running && timing_.ReminderDue(reminder_interval_ms_) && !ShowReminder())
      return false;
    const StopFlag* stop_flag = engine_.environment().stop;
    if (stop_flag != nullptr && stop_flag->requested()) return CancelRun();
    // Where the sample's replayed outcome lies; null when the token engine
    // evaluates it. Pointed at, not copied: extended values are slow to store.
    const CompiledSample::Outcome* replayed = nullptr;
    std::optional<CompiledSample::Outcome> single;
    try {
      if (compiled_.ready()) {
        if (lane == lanes.count) {
          FillLanes(lanes, x, end, increment, epsilon);
          compiled_.RunLanes(lanes, function_state);
          lane = 0;
        }
        if (!lanes.complete) {
          single = compiled_.Run(plus_input, minus_input, function_state);
          if (single) replayed = &*single;
        } else if (lanes.replayed[lane]) {
          replayed = &lanes.outcome[lane];
        }
        ++lane;
      }
      if (!replayed) {
        if (!slots.empty()) {
          sample_text = FloatToStr(plus_input);
          if (settings_.derivative) minus_text = FloatToStr(minus_input);
        }
        if (!engine_.EvaluateSample(token_template, slots, record)) return false;
        record = nullptr;
      }
    } catch (const Cancelled&) {
      return CancelRun();
    }
    if (replayed) {
      ++replayed_samples_;
      pending_points_.push_back({static_cast<double>(x), static_cast<double>(replayed->y)});
      RecordDeferredPoint(x, replayed->y, replayed->written, compiled_.constant_text());
    } else {
      const std::string& value_text = engine_.tokens()[0];
      const long double y = *StrToFloat(value_text);
      pending_points_.push_back({static_cast<double>(x), static_cast<double>(y)});
      RecordDeferredPoint(x, y, 0, &value_text);
    }
    if (pending_points_.size() >= kPointBatch) FlushPoints();
    progress_->SetProgressPosition(++position);
    const long double next = x + increment;
    // An increment too small to move x would repeat this sample for ever.
    if (next == x) {
      engine_.errors().ReportError(kCalculationsErrorMessage, kPlotError);
      return false;
    }
    x = next;
  }
  return true;
}

void Plotter::FillLanes(CompiledSample::Lanes& lanes, long double x, long double end,
                        long double increment, long double epsilon) const {
  // The samples the loop takes next, x moving on exactly as it does there; a
  // step that leaves x where it was ends the run after that sample.
  lanes.count = 0;
  for (;;) {
    const std::size_t lane = lanes.count++;
    lanes.plus_input[lane] = settings_.derivative ? x + epsilon : x;
    lanes.minus_input[lane] = settings_.derivative ? x - epsilon : x;
    const long double next = x + increment;
    if (lanes.count == CompiledSample::kLanes || next == x || !(next < end)) return;
    x = next;
  }
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
  if (pending_points_.empty()) return;
  // A series removed meanwhile takes its points with it.
  if (pending_series_ >= 1 && pending_series_ <= store_.chart().series_count()) {
    store_.chart().AppendPoints(pending_series_, pending_points_);
    progress_->PointsAdded(pending_series_, pending_points_);
  }
  pending_points_.clear();
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
