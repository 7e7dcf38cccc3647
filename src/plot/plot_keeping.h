// What a plot run keeps of its samples once they are recorded. A front end
// that prints the points or the table as they come keeps neither: a long
// run then takes no more memory than one block of samples.
#pragma once

namespace korvex {

struct PlotKeeping {
  // The session chart's points of the new series; without them the series
  // still counts its points and spans their ranges.
  bool points = true;
  // The table lines.
  bool table = true;
  // Without the table: its lines are written and handed on batch by batch
  // (for a front end that prints them) rather than dropped unwritten.
  bool table_handed_on = false;
  // The top, bottom, max, min and zero lists.
  bool lists = true;
};

}  // namespace korvex
