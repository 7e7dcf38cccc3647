// The "Tutorials" window (Form25): ten links to the tutorial videos beside
// the program and two links to codec download pages.
#pragma once

#include <QDialog>

#include "settings/data_directory.h"

namespace korvex {

class Shell;

class TutorialsWindow : public QDialog {
  Q_OBJECT

 public:
  TutorialsWindow(const DataDirectory& data, Shell& shell, QWidget* parent = nullptr);

  // Help > "Tutorials" and the start screen: modeless, or to the front.
  void ShowWindow();

 private:
  void OpenVideo(const char* file);

  DataDirectory data_;
  Shell& shell_;
};

}  // namespace korvex
