// Modality, bringing windows up and the general failure display.
#include "ui/window_support.h"

#include <exception>

#include <QDialog>
#include <QWidget>

#include "ui/message_seam.h"

namespace korvex {

void ShowModal(QDialog* dialog) {
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void BringUp(QWidget* window) {
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  window->activateWindow();
}

QString FailureDisplayText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  if (!text.empty() && text.back() > '.') shown += QLatin1Char('.');
  return shown;
}

void RunHandler(MessageSeam& messages, const std::function<void()>& work) {
  // Qt must never see an exception leave an event handler; every failure,
  // whatever its type, ends here as one message box.
  try {
    work();
  } catch (const std::exception& failure) {
    messages.ShowFailure(FailureDisplayText(failure.what()));
  }
}

}  // namespace korvex
