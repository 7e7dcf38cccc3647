// Shared pieces of the GUI tests: one QApplication for the test program and
// a message seam that records instead of showing boxes.
#pragma once

#include <QApplication>
#include <QStringList>

#include "ui/message_seam.h"
#include "ui/shell.h"

namespace korvex::testing {

// Never destroyed: a static QApplication would be torn down after Qt's own
// statics at exit and crash there once a test has sent input events.
inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "korvex-ui-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

class RecordingMessages : public MessageSeam {
 public:
  void Inform(const QString& text) override { shown << text; }
  void ShowFailure(const QString& text) override { failures << text; }
  bool Ask(const QString& text) override {
    asked << text;
    return answer;
  }
  QStringList shown;
  QStringList failures;
  QStringList asked;
  bool answer = true;
};

class RecordingShell : public Shell {
 public:
  void OpenWithShell(const QString& target) override { opened << target; }
  // A desktop without a program for the file: the failure comes back later.
  void OpenFile(const QString& path, QObject* context, std::function<void()> no_program) override {
    opened << path;
    if (has_no_program) QMetaObject::invokeMethod(context, no_program, Qt::QueuedConnection);
  }
  QStringList opened;
  bool has_no_program = false;
};

}  // namespace korvex::testing
