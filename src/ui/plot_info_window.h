// The Plot info window (Form15): the progress bar and the figures of the
// current or last plot run.
#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "plot/plot_timing.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace korvex {

class PlotInfoWindow : public QDialog {
  Q_OBJECT

 public:
  explicit PlotInfoWindow(QWidget* parent = nullptr);

  void SetProgressMaximum(std::int32_t maximum);
  // Fills the figures and shows the window.
  void StartPlotInfo(const PlotInfo& info);
  void SetProgressPosition(std::size_t position);
  void FinishPlotInfo(const PlotInfo& info, bool cancelled);
  void ResetPlotInfo(const PlotInfo& info);
  // The run was refused or failed: the title says so, the bar is empty and
  // the figures stay as far as they got.
  void ShowPlotFailed();
  // Between StartPlotInfo and the run's end.
  bool running() const;

 public slots:
  void closeClick();
  void reject() override;

 signals:
  // "Stop" or Escape while a plot runs.
  void stopRequested();

 private:
  void ShowFigures(const PlotInfo& info);
  void ShowProgress();

  QGroupBox* group_;
  QProgressBar* bar_;
  QPushButton* stop_;
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
  int shown_permille_ = -1;
};

}  // namespace korvex
