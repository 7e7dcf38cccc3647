// The plot driver: samples an expression of the plot variable (or its
// numerical derivative) into a new series of the graph, with its statistics,
// progress, reminder and timing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "plot/chart_model.h"
#include "plot/plot_keeping.h"
#include "plot/plot_store.h"
#include "plot/plot_timing.h"
#include "plot/sample_range.h"
#include "plot/series_stats.h"
#include "settings/answer_settings.h"
#include "settings/plot_file.h"

namespace korvex {

inline constexpr const char* kCalculationsErrorMessage =
    "One or more errors occurred in (Tools/Plot options/Calculations)";
inline constexpr const char* kTooFewOrManyMessage = "Too few/many plot calculations";
inline constexpr const char* kTooManySeriesMessage = "Too many graph series at one time";
inline constexpr const char* kPlotTooLargeMessage =
    "This plot needs more memory than the computer can spare; choose a larger increment or a "
    "smaller range";
// What one sample keeps: its chart point and its table line with their
// bookkeeping (measured: 10^7 samples took about 1.05 GB).
inline constexpr std::uint64_t kBytesPerSample = 110;

// What a run tells while it goes: the Plot info window, the progress bar,
// the new series and its points, and the Reminder. The core and the CLI
// implement it; every call has a do-nothing default.
class PlotProgress {
 public:
  virtual ~PlotProgress() = default;
  // Once per run, before anything can be refused after the range checks.
  virtual void SetProgressMaximum(std::int32_t /*maximum*/) {}
  // The new series exists: title, series number and total are filled in,
  // the result figures read "n/a".
  virtual void StartPlotInfo(const PlotInfo& /*info*/) {}
  // The run's chart steps are done: `chart` holds the new series, last, with
  // its title and appearance.
  virtual void SeriesCreated(const ChartModel& /*chart*/) {}
  // Points of series `number`, in order, as the plot hands them to its chart.
  virtual void PointsAdded(std::size_t /*number*/, std::span<const ChartPoint> /*points*/) {}
  // Table lines of series `number`, in order, for a run that does not keep
  // its table: each batch once, as the points are handed over.
  virtual void TableLinesAdded(std::size_t /*number*/, std::span<const std::string> /*lines*/) {}
  // After every sample: the newest series' point count.
  virtual void SetProgressPosition(std::size_t /*position*/) {}
  // The Reminder dialog, modal. True for "Continue" (or any other way of
  // closing it), false for "Stop".
  virtual bool ShowReminder() { return true; }
  // End of a complete or cancelled run with its figures; the graph comes up
  // and the answer field shows kPlotCompleteText or kPlotCanceledText.
  virtual void FinishPlotInfo(const PlotInfo& /*info*/, bool /*cancelled*/) {}
  // All labels back to "n/a" and the bar to 0 (the benchmark's end).
  virtual void ResetPlotInfo(const PlotInfo& /*info*/) {}
};

class Plotter {
 public:
  // The engine, the clock and the progress display must outlive the plotter.
  explicit Plotter(Engine& engine, const Clock& clock = SteadyClock());
  Plotter(const Plotter&) = delete;
  Plotter& operator=(const Plotter&) = delete;

  void set_progress(PlotProgress* progress) { progress_ = progress ? progress : &silent_; }
  // The live plot options: the dialog's OK and every close store them here.
  PlotSettings& settings() { return settings_; }
  const PlotSettings& settings() const { return settings_; }
  void set_reminder_interval(int milliseconds) { reminder_interval_ms_ = milliseconds; }
  // Runs whose samples would take more bytes than this are refused before
  // they start.
  void set_memory_budget(std::uint64_t bytes) { memory_budget_ = bytes; }
  // Every sample on the token engine, none replayed from the first one's
  // recording (the reference the replay is checked against).
  void set_force_token_engine(bool on) { force_token_engine_ = on; }
  // What the next runs keep of their samples; the lists and the table a
  // run does not keep are dropped (or the table handed on) batch by batch.
  void set_keeping(const PlotKeeping& keeping) { keeping_ = keeping; }
  const PlotKeeping& keeping() const { return keeping_; }
  // Samples of the last run that were replayed rather than evaluated.
  std::size_t replayed_samples() const { return replayed_samples_; }
  // Of those, the samples computed on integers.
  std::size_t whole_samples() const { return whole_samples_; }

  // The plot branch of a request: begin, prepare, steps off, keep the text as
  // the plot expression, plot, and finish the figures after a complete run.
  // False when the run was refused, failed or was cancelled (already shown).
  // Arithmetic failures inside a function escape as ArithmeticFailure.
  bool SolvePlot(std::string_view text);

  // The driver itself, on the prepared TokenList and the plot expression.
  bool PlotExpression();
  bool CreatePlotSeries();
  void ApplySeriesAppearance();
  // The newest series only, or all; each leaves with its statistics' lines.
  void RemoveSeries(bool last_only) { store_.RemoveSeries(last_only); }
  // The newest series' statistics; reads token 0 as the value text.
  void RecordPlotPoint(long double x, long double y);
  void RecordPlotPoint(long double x, long double y, std::string_view value_text);
  // Lines left for later: the value text is FloatToStr(written), or
  // `value_text` where one is given. The values are copied where they lie.
  void RecordDeferredPoint(const long double& x, const long double& y, const long double& written,
                           const std::string* value_text);
  // True to go on; false when the user stopped (the run is then finished as
  // cancelled).
  bool ShowReminder();
  void FinishPlotInfo(bool cancelled);
  void ResetPlotInfo();

  const std::string& plot_expression() const { return plot_expression_; }
  void set_plot_expression(std::string text) { plot_expression_ = std::move(text); }
  // The chart, statistics and figures this plotter records into.
  PlotStore& store() { return store_; }
  const PlotStore& store() const { return store_; }
  ChartModel& chart() { return store_.chart(); }
  const ChartModel& chart() const { return store_.chart(); }
  // Statistics slot of series number 1..100, its lines written out.
  const SeriesStats& stats(std::size_t number) const { return store_.stats(number); }
  PlotTiming& timing() { return timing_; }
  const PlotTiming& timing() const { return timing_; }
  const PlotInfo& plot_info() const { return store_.plot_info(); }
  Engine& engine() { return engine_; }

 private:
  std::string SeriesTitle() const;
  // Ends the run as the Reminder's "Stop" does; always false.
  bool CancelRun();
  // Sampling, once the series exists; false on a failed or cancelled sample.
  bool SampleSeries(const SampleRange& range);
  // Hands the buffered points of the running plot to the chart.
  void FlushPoints();

  // Points a plot buffers before the chart takes them: small enough that the
  // graph follows a running plot closely, large enough that handing a batch
  // over vanishes from the cost of a sample.
  static constexpr std::size_t kPointBatch = 4096;

  Engine& engine_;
  PlotSettings settings_;
  int reminder_interval_ms_ = kDefaultReminderMs;
  std::uint64_t memory_budget_ = UINT64_MAX;
  bool force_token_engine_ = false;
  PlotKeeping keeping_;
  // A batch of table lines on its way to the progress display.
  std::vector<std::string> handed_lines_;
  std::size_t replayed_samples_ = 0;
  std::size_t whole_samples_ = 0;
  // The reductions of the running plot's first sample.
  CompiledSample compiled_;
  std::string plot_expression_;
  PlotStore store_;
  // Points of the running plot not yet in the chart, for series number
  // pending_series_: the chart takes them in batches, each one notification.
  // Everything that shows the chart during a run flushes first.
  std::vector<ChartPoint> pending_points_;
  std::size_t pending_series_ = 0;
  CurveTracker tracker_;
  PointLineFormat line_format_;  // of the newest series, set when it is created
  PlotTiming timing_;
  PlotProgress silent_;
  PlotProgress* progress_ = &silent_;
};

}  // namespace korvex
