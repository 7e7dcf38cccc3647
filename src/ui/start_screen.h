// The start screen (Form24), shown once when other.ini asks for it: a
// welcome and four links.
#pragma once

#include <QDialog>

namespace korvex {

class StartScreen : public QDialog {
  Q_OBJECT

 public:
  explicit StartScreen(QWidget* parent = nullptr);

 signals:
  // The main window performs its Help menu items for these.
  void tutorialsRequested();
  void homepageRequested();
  void historyRequested();
};

}  // namespace korvex
