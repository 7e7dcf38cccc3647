#include "cli/plot_range_options.h"

namespace korvex {

void PlotRangeOptions::AddRowsTo(std::vector<OptionRow>& rows) {
  rows.insert(rows.end(), {
                              TextOption("--variable", variable),
                              TextOption("--start", start),
                              TextOption("--stop", stop),
                              TextOption("--increment", increment),
                              FlagOption("--derivative", derivative),
                              TextOption("--epsilon", epsilon),
                          });
}

void PlotRangeOptions::ApplyTo(PlotSettings& settings) const {
  if (variable) settings.variable = *variable;
  if (start) settings.start = *start;
  if (stop) settings.stop = *stop;
  if (increment) settings.increment = *increment;
  if (epsilon) settings.epsilon = *epsilon;
  if (derivative) settings.derivative = true;
}

}  // namespace korvex
