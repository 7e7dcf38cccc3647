// What a session keeps of its plots: the chart, the statistics of each
// series and the Plot info figures of the last run.
#pragma once

#include <cstddef>

#include "plot/chart_model.h"
#include "plot/plot_timing.h"
#include "plot/series_stats.h"

namespace korvex {

class PlotStore {
 public:
  ChartModel& chart() { return chart_; }
  const ChartModel& chart() const { return chart_; }
  // Statistics of series number 1..100, its lines written out.
  const SeriesStats& stats(std::size_t number) const {
    SeriesStats& slot = stats_.slot(number);
    slot.WritePendingLines();
    return slot;
  }
  // As the run recording them leaves them (lines possibly still pending).
  SeriesStats& recorded_stats(std::size_t number) { return stats_.slot(number); }
  const PlotInfo& plot_info() const { return plot_info_; }
  PlotInfo& plot_info() { return plot_info_; }

  // The newest series only, or all; each leaves with its statistics' lines.
  void RemoveSeries(bool last_only);

 private:
  ChartModel chart_;
  // The samples' lines are written when somebody reads them.
  mutable SeriesStatsStore stats_;
  PlotInfo plot_info_;
};

}  // namespace korvex
