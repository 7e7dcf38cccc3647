// The Error log window (Form6): one time-stamped line per reported failure,
// kept in memory for the session, appended even while the window is hidden.
#pragma once

#include <QString>

#include "ui/text_page_window.h"

namespace korvex {

class ErrorLogWindow : public TextPageWindow {
  Q_OBJECT

 public:
  explicit ErrorLogWindow(QWidget* parent);

  // Appends "[hh:mm:ss] message" with the local time of day.
  void AppendError(const QString& message);
};

}  // namespace korvex
