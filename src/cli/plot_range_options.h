// The plot range options that plot and report share, put over the plot
// options of bin/plot.ini.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/option_table.h"
#include "settings/plot_file.h"

namespace korvex {

struct PlotRangeOptions {
  // Texts exactly as the Plot options dialog would hold them.
  std::optional<std::string> variable, start, stop, increment, epsilon;
  bool derivative = false;

  // The rows point into this object, which must outlive the walk.
  void AddRowsTo(std::vector<OptionRow>& rows);
  void ApplyTo(PlotSettings& settings) const;
};

}  // namespace korvex
