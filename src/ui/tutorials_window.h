// The "Tutorials" window (Form25): ten links to the tutorial videos beside
// the program and two links to codec download pages.
#pragma once

#include <QDialog>
#include <filesystem>

#include "settings/data_directory.h"

namespace korvex {

class MessageSeam;
class Shell;

class TutorialsWindow : public QDialog {
  Q_OBJECT

 public:
  TutorialsWindow(const DataDirectory& data, Shell& shell, MessageSeam& messages,
                  QWidget* parent = nullptr);

  // Help > "Tutorials" and the start screen: modeless, or to the front.
  void ShowWindow();

  // Where a video is looked for when the data folder has none (a per-user
  // folder): the shipped data beside or installed with the program.
  void set_shipped_folder(std::filesystem::path folder) { shipped_ = std::move(folder); }

 private:
  void OpenVideo(const char* file);

  DataDirectory data_;
  Shell& shell_;
  MessageSeam& messages_;
  std::filesystem::path shipped_;
};

}  // namespace korvex
