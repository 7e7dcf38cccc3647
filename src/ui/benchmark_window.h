// The "Benchmark" window (Form21): runs the twelve timed plots one per tick
// of its step timer and shows each test's time.
#pragma once

#include <QDialog>
#include <vector>

#include "core/calculator.h"

class QLabel;
class QPushButton;
class QTimer;

namespace korvex {

class MessageSeam;
class PlotRunDisplay;
class RequestRunner;

inline constexpr int kBenchmarkStepInterval = 1500;  // milliseconds between tests

class BenchmarkWindow : public QDialog {
  Q_OBJECT

 public:
  BenchmarkWindow(Calculator& calculator, MessageSeam& messages, QWidget* parent = nullptr,
                  std::vector<BenchmarkTest> tests = StandardBenchmarkTests());

  // Tests run through `runner`, on the calculator's worker, so the window
  // keeps answering (and "Stop" works) during a test, and `display` (when
  // given) shows their progress. Without a runner they run on this thread.
  void set_runner(RequestRunner* runner, PlotRunDisplay* display = nullptr) {
    runner_ = runner;
    display_ = display;
  }

 signals:
  // After every test, its series removed: the graph and plot info windows
  // are to close.
  void testFinished();
  // The user's plot options are back from plot.ini (the end of every run).
  void plotOptionsRestored();
  // A complete run; the result window shows the score.
  void benchmarkFinished(qint64 score);

 public slots:
  void startClick();
  void stopClick();
  // One test per tick.
  void testtimerTimer();
  // The close button, the close box and Escape: a pending or running test
  // is stopped.
  void reject() override;

 private:
  void ShowState();
  // A test's outcome, shown; the next test's tick when one is pending.
  void FinishTest(const BenchmarkStepOutcome& outcome);
  // The run has ended: the user's plot options again from plot.ini and,
  // with `reset_info`, Plot info back to "n/a".
  void EndRun(bool reset_info);

  Calculator& calculator_;
  MessageSeam& messages_;
  Benchmark benchmark_;
  std::vector<QLabel*> results_;  // in the order of the test table
  QPushButton* start_;
  QPushButton* stop_;
  QTimer* testtimer_;
  bool testing_ = false;
  RequestRunner* runner_ = nullptr;
  PlotRunDisplay* display_ = nullptr;
  RequestNotices silent_notices_;
};

}  // namespace korvex
