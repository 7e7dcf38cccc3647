// The Error log window's texts and its one operation.
#include "ui/error_log_window.h"

#include <QPlainTextEdit>
#include <QTime>

namespace korvex {
namespace {

constexpr TextPageTexts kErrorLogTexts = {"Form6", "Error log", "Error log for this session",
                                          "log"};

}  // namespace

ErrorLogWindow::ErrorLogWindow(QWidget* parent) : TextPageWindow(kErrorLogTexts, parent) {
  // A long message wraps under its own line rather than running off to the
  // right, so the time stamps at the line starts stay in view together.
  page()->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  page()->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  page()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ErrorLogWindow::AppendError(const QString& message) {
  const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
  page()->appendPlainText(QLatin1Char('[') + time + QStringLiteral("] ") + message);
}

}  // namespace korvex
