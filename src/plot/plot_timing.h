// Timing of plot runs: the three stopwatches, paused and net time, the
// reminder decision, and the Plot info window's figures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "plot/stopwatch.h"

namespace korvex {

inline constexpr const char* kNotAvailable = "n/a";
inline constexpr const char* kPlotCompleteText =
    "Plot complete. See (View/Graph) and (View/Plot info)";
inline constexpr const char* kPlotCanceledText =
    "Operation was canceled. See (View/Graph) and (View/Plot info)";

struct PlotTiming {
  explicit PlotTiming(const Clock& clock = SteadyClock())
      : calc_stopwatch(clock), reminder_stopwatch(clock.Coarse()), pause_stopwatch(clock) {}

  // Start of sampling: both run stopwatches restarted, no pause yet.
  void StartSampling();
  // The reminder is due once the plotting time since the start of sampling
  // or the last "Continue" reaches the interval (whole milliseconds).
  bool ReminderDue(int reminder_interval_ms);

  Stopwatch calc_stopwatch;
  Stopwatch reminder_stopwatch;
  Stopwatch pause_stopwatch;
  std::int64_t paused_time = 0;    // microseconds in the Reminder dialog this run
  std::int64_t net_plot_time = 0;  // microseconds of the last finished run
  bool stop_requested = false;
  bool benchmark_running = false;
};

// Whole milliseconds of `elapsed_us`, remainder dropped, against the interval.
bool ReminderDue(std::int64_t elapsed_us, int reminder_interval_ms);

// The value labels of the Plot info window, in its order.
struct PlotInfo {
  std::string function = kNotAvailable;
  std::string serie = kNotAvailable;
  std::string total_calculations = kNotAvailable;
  std::string calculations_done = kNotAvailable;
  std::string done_mu = kNotAvailable;
  std::string done_ms = kNotAvailable;
  std::string done_sec = kNotAvailable;
  std::string per_calculation_mu = kNotAvailable;
  std::string per_calculation_ms = kNotAvailable;
  bool operator==(const PlotInfo&) const = default;
};

// The result figures for a net time and a point count. Milliseconds and
// seconds pass through 32-bit floating point. Without points there is nothing
// to divide by, and the two per-calculation figures read "n/a".
void FillPlotFigures(PlotInfo& info, std::int64_t net_plot_time, std::size_t count);

}  // namespace korvex
