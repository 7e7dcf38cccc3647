// Plot timing state and the Plot info figures.
#include "plot/plot_timing.h"

#include "output/format_float.h"

namespace korvex {
namespace {

constexpr const char* kFigureMask = "0.####";

// The figures are written while a plot request holds the comma separator.
std::string Figure(long double value, const char* unit) {
  return FormatFloat(kFigureMask, value, ',', '.') + unit;
}

}  // namespace

void PlotTiming::StartSampling() {
  calc_stopwatch.Stop();
  calc_stopwatch.Start();
  reminder_stopwatch.Stop();
  reminder_stopwatch.Start();
  paused_time = 0;
}

bool PlotTiming::ReminderDue(int reminder_interval_ms) {
  return korvex::ReminderDue(reminder_stopwatch.Elapsed(), reminder_interval_ms);
}

bool ReminderDue(std::int64_t elapsed_us, int reminder_interval_ms) {
  return elapsed_us / 1000 >= reminder_interval_ms;
}

void FillPlotFigures(PlotInfo& info, std::int64_t net_plot_time, std::size_t count) {
  const float ms = static_cast<float>(static_cast<long double>(net_plot_time) * 0.001L);
  const float sec = static_cast<float>(static_cast<long double>(ms) * 0.001L);
  info.calculations_done = std::to_string(count);
  info.done_mu = std::to_string(net_plot_time) + " mu";
  info.done_ms = Figure(ms, " ms");
  info.done_sec = Figure(sec, " sec");
  if (count == 0) {
    info.per_calculation_mu = kNotAvailable;
    info.per_calculation_ms = kNotAvailable;
    return;
  }
  const auto points = static_cast<long double>(count);
  info.per_calculation_mu = Figure(static_cast<long double>(net_plot_time) / points, " mu");
  info.per_calculation_ms = Figure(static_cast<long double>(ms) / points, " ms");
}

}  // namespace korvex
