// What the desktop program shows of a plot run, on the window thread: the
// Plot info window's bar and figures, the Reminder, the run's series and
// points in the user's session (and so in the Graph), and at the end, once,
// the graph and the answer box's closing text.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "core/calculator.h"
#include "core/request_notices.h"
#include "ui/posted_notices.h"

namespace korvex {

class GraphWindow;
class PlotInfoWindow;
class ReminderSeam;

class PlotRunDisplay : public RequestNotices {
 public:
  // `show_answer` writes the main window's answer box. Made and used on
  // the window thread.
  PlotRunDisplay(Calculator& calculator, PlotInfoWindow& info, ReminderSeam& reminder,
                 GraphWindow& graph, std::function<void(const QString&)> show_answer);

  // What the worker's requests are given: posts to this object.
  RequestNotices& posted() { return posted_; }

  void ProgressMaximum(std::int32_t maximum) override;
  void PlotStarted(const PlotInfo& info) override;
  void SeriesCreated(const ChartModel& outline) override;
  void PointsAdded(std::size_t number, std::span<const ChartPoint> points) override;
  bool shows_reminder() const override { return true; }
  // Asks; the answer goes to the running request's control.
  void ReminderDue() override;

  // The end of every plot request, from its outcome: a finished or
  // cancelled run shows its figures, the graph and the closing text; one
  // that failed or was refused before it finished shows so in Plot info,
  // and a Plot info window that the run itself opened closes again, leaving
  // the main window's answer (with the failure's title) in view.
  void EndRun(const PlotOutcome& outcome);
  // A benchmark test's plot: its end shown as any plot's.
  void EndBenchmarkTest(const BenchmarkStepOutcome& outcome);
  // The benchmark's end: all labels back to "n/a", the bar to 0.
  void ResetPlotInfo();

 private:
  void ShowPosition();
  // A finished or cancelled run: figures, graph, closing text. False when
  // the run did not get that far.
  bool ShowEnd(PlotOutcome::InfoEnd end, const PlotInfo& info);

  Calculator& calculator_;
  PlotInfoWindow& info_;
  ReminderSeam& reminder_;
  GraphWindow& graph_;
  std::function<void(const QString&)> show_answer_;
  QObject context_;
  PostedNotices posted_;
  bool opened_by_run_ = false;
  QTimer progress_timer_;
};

}  // namespace korvex
