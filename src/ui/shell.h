// OpenWithShell: hands a file path, web address or mail link to the desktop's
// "open". A seam, so tests record the call instead of starting a browser.
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace korvex {

class Shell {
 public:
  virtual ~Shell() = default;
  // The result is ignored: a target that cannot be opened gives no message.
  virtual void OpenWithShell(const QString& target) = 0;
  // Opens a local file with the desktop's program for it; where the desktop
  // has none (or no way to ask), `no_program` runs later on the window
  // thread, unless `context` is gone by then.
  virtual void OpenFile(const QString& path, QObject* context, std::function<void()> no_program) {
    static_cast<void>(context);
    static_cast<void>(no_program);
    OpenWithShell(path);
  }
};

class DesktopShell : public Shell {
 public:
  void OpenWithShell(const QString& target) override;
  void OpenFile(const QString& path, QObject* context, std::function<void()> no_program) override;
};

}  // namespace korvex
