// The splash window (Form19), shown once while the program starts; closing
// it by hand before its timer has run out ends the program.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

namespace korvex {

inline constexpr int kSplashCloseInterval = 2000;  // milliseconds

class SplashWindow : public QDialog {
  Q_OBJECT

 public:
  explicit SplashWindow(QWidget* parent = nullptr);

  // The start-up sequence's splash step: switches the close timer on and
  // shows the window modally until it closes. False when the user closed it
  // before the timer did; the program is then to end.
  bool ShowSplash();
  bool closed_early() const { return closed_early_; }

 signals:
  // The user closed the splash before the close timer ran out.
  void closedEarly();

 public slots:
  // The close timer's single tick.
  void closetimerTimer();
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* version_;
  QTimer* closetimer_;
  bool closed_early_ = false;
};

}  // namespace korvex
