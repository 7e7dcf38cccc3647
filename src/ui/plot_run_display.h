// What the desktop program shows of a plot run: the Plot info window's bar
// and figures, the Reminder dialog, and at the end the graph and the answer
// box's closing text. The plotter reports to it; the windows themselves
// stay unaware of each other.
#pragma once

#include <QString>
#include <functional>

#include "plot/plotter.h"

namespace korvex {

class GraphWindow;
class PlotInfoWindow;
class ReminderSeam;

class PlotRunDisplay : public PlotProgress {
 public:
  // `show_answer` writes the main window's answer box.
  PlotRunDisplay(PlotInfoWindow& info, ReminderSeam& reminder, GraphWindow& graph,
                 std::function<void(const QString&)> show_answer);

  void SetProgressMaximum(std::int32_t maximum) override;
  void StartPlotInfo(const PlotInfo& info) override;
  void SetProgressPosition(std::size_t position) override;
  bool ShowReminder() override;
  void FinishPlotInfo(const PlotInfo& info, bool cancelled) override;
  void ResetPlotInfo(const PlotInfo& info) override;

 private:
  PlotInfoWindow& info_;
  ReminderSeam& reminder_;
  GraphWindow& graph_;
  std::function<void(const QString&)> show_answer_;
};

}  // namespace korvex
