// The "Benchmark result" window (Form22): the score of a complete run.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;

namespace korvex {

class BenchmarkResultWindow : public QDialog {
  Q_OBJECT

 public:
  explicit BenchmarkResultWindow(QWidget* parent = nullptr);

 public slots:
  // Writes the score and shows the window modally; returns at once.
  void ShowScore(qint64 score);

 private:
  QLabel* score_;
};

}  // namespace korvex
