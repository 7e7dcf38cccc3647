// The "Version history" window (Form26): bin/history.rtf shown formatted in
// a read-only box, read the first time the window finds the box empty.
#pragma once

#include <QDialog>

#include "settings/data_directory.h"

class QTextEdit;

namespace korvex {

class MessageSeam;

inline constexpr const char* kHistoryFile = "history.rtf";
inline constexpr const char* kHistoryMissingMessage = "Could not find or open 'bin/history.rtf'";

class VersionHistoryWindow : public QDialog {
  Q_OBJECT

 public:
  VersionHistoryWindow(const DataDirectory& data, MessageSeam& messages, QWidget* parent = nullptr);

  // Help > "Version history" and the start screen: modeless, or to the front.
  void ShowWindow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Fills the box from the file unless it already holds the text.
  void FillHistory();

  DataDirectory data_;
  MessageSeam& messages_;
  QTextEdit* history_;
};

}  // namespace korvex
