// What the desktop program shows of a plot run: the Plot info window's bar
// and figures, the Reminder dialog, and at the end the graph and the answer
// box's closing text. The plotter reports to it from the calculator's
// worker thread; the windows themselves stay unaware of each other.
#pragma once

#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>

#include "plot/plotter.h"

namespace korvex {

class GraphWindow;
class PlotInfoWindow;
class ReminderSeam;

class PlotRunDisplay : public PlotProgress {
 public:
  // `show_answer` writes the main window's answer box. Made on the window
  // thread, which then shows every call.
  PlotRunDisplay(PlotInfoWindow& info, ReminderSeam& reminder, GraphWindow& graph,
                 std::function<void(const QString&)> show_answer);

  // From the worker these wait until the window thread has shown them, as
  // a plot on the window thread itself would: the figures, the Reminder's
  // answer and the graph come in the run's order.
  void SetProgressMaximum(std::int32_t maximum) override;
  void StartPlotInfo(const PlotInfo& info) override;
  bool ShowReminder() override;
  void FinishPlotInfo(const PlotInfo& info, bool cancelled) override;
  void ResetPlotInfo(const PlotInfo& info) override;
  // Per sample, so from the worker it only notes the position; the window
  // thread shows it a few times a second.
  void SetProgressPosition(std::size_t position) override;
  // On the window thread, after every plot request: a run that failed or
  // was refused before it finished shows so in Plot info, and a Plot info
  // window that the run itself opened closes again, leaving the main
  // window's answer (with the failure's title) in view.
  void EndRun(bool failed);

 private:
  void ShowNotedPosition();

  PlotInfoWindow& info_;
  ReminderSeam& reminder_;
  GraphWindow& graph_;
  std::function<void(const QString&)> show_answer_;
  std::atomic<std::size_t> noted_position_{0};
  // Of the current run, window thread only.
  bool finished_ = false;
  bool opened_by_run_ = false;
  QTimer progress_timer_;
};

}  // namespace korvex
