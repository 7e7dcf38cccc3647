// The simple mode window (Form11): a compact calculator that stands in for
// the hidden main window and drives its list, solve and answer.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace korvex {

class LivePreview;
class MainWindow;
class PreviewLine;

class SimpleWindow : public QWidget {
  Q_OBJECT

 public:
  SimpleWindow(MainWindow& main, QWidget* parent);

  // Switching to simple mode: the main input's text, then the window.
  void Start(const QString& input_text);
  void SimpleSolve();
  // The main window's answer, once the solve this window started has ended.
  void ShowMainAnswer();

 signals:
  // The window closed (its button or close box): the main window returns.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void solveClick();

  MainWindow& main_;
  QLineEdit* input_;
  QLineEdit* answer_;
  PreviewLine* preview_line_;
  LivePreview* live_preview_;
  bool awaiting_answer_ = false;
};

}  // namespace korvex
