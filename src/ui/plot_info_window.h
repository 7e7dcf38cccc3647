// The Plot info window (Form15): the progress bar and the figures of the
// current or last plot run. It is the plotter's PlotProgress.
#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "plot/plotter.h"

class QLabel;
class QProgressBar;

namespace korvex {

class GraphWindow;
class ReminderSeam;

class PlotInfoWindow : public QDialog, public PlotProgress {
  Q_OBJECT

 public:
  // `show_answer` writes the main window's answer field (the end-of-run text).
  PlotInfoWindow(ReminderSeam& reminder, GraphWindow& graph,
                 std::function<void(const QString&)> show_answer, QWidget* parent = nullptr);

  void SetProgressMaximum(std::int32_t maximum) override;
  void StartPlotInfo(const PlotInfo& info) override;
  void SetProgressPosition(std::size_t position) override;
  bool ShowReminder() override;
  void FinishPlotInfo(const PlotInfo& info, bool cancelled) override;
  void ResetPlotInfo(const PlotInfo& info) override;

 public slots:
  void closeClick();

 private:
  void ShowFigures(const PlotInfo& info);
  void ShowProgress();

  ReminderSeam& reminder_;
  GraphWindow& graph_;
  std::function<void(const QString&)> show_answer_;
  QProgressBar* bar_;
  QLabel* function_;
  QLabel* serie_;
  QLabel* totalcalc_;
  QLabel* calcdone_;
  QLabel* donemu_;
  QLabel* donems_;
  QLabel* donesec_;
  QLabel* percalcmu_;
  QLabel* percalcms_;
  std::int32_t maximum_ = 0;
  std::size_t position_ = 0;
  int shown_percent_ = -1;
};

}  // namespace korvex
