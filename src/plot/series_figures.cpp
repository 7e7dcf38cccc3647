// The figures of a series from its points and its statistics' sums.
#include "plot/series_figures.h"

#include "engine/number_text.h"

namespace korvex {

SeriesFigures ComputeSeriesFigures(const ChartSeries& series, const SeriesStats& stats) {
  // The mean is over the table's lines, kept or not: a run records one line
  // per sample.
  const std::size_t count = stats.recorded_lines;
  return SeriesFigures{
      .max_value = FloatToStr(series.MaxY().value_or(0)),
      .min_value = FloatToStr(series.MinY().value_or(0)),
      .sum_points = FloatToStr(stats.sum_y),
      .point_area = FloatToStr(stats.sum_abs_y),
      .point_mean =
          count < 1 ? std::string("0") : FloatToStr(stats.sum_y / static_cast<long double>(count)),
  };
}

}  // namespace korvex
