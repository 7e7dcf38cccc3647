// Removing series together with their statistics.
#include "plot/plot_store.h"

namespace korvex {

void PlotStore::RemoveSeries(bool last_only) {
  while (chart_.series_count() > 0) {
    const std::size_t number = chart_.series_count();
    chart_.RemoveLastSeries();
    stats_.slot(number).ReleaseLines();
    if (last_only) break;
  }
}

}  // namespace korvex
