// OpenWithShell: hands a file path, web address or mail link to the desktop's
// "open". A seam, so tests record the call instead of starting a browser.
#pragma once

#include <QString>

namespace korvex {

class Shell {
 public:
  virtual ~Shell() = default;
  // The result is ignored: a target that cannot be opened gives no message.
  virtual void OpenWithShell(const QString& target) = 0;
};

class DesktopShell : public Shell {
 public:
  void OpenWithShell(const QString& target) override;
};

}  // namespace korvex
