// Modality, bringing windows up and the general failure display.
#include "ui/window_support.h"

#include <QApplication>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

#include <QDialog>
#include <QWidget>

#include "ui/message_seam.h"

namespace korvex {

QPushButton* MakeButton(const char* name, const char* caption, const char* hint, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setToolTip(QString::fromUtf8(hint));
  button->setAutoDefault(false);
  return button;
}

SettingsButtons AddSettingsButtonRow(QVBoxLayout* layout, QWidget* dialog,
                                     const char* defaults_name) {
  SettingsButtons buttons{
      MakeButton("ok", "OK", "Save changes and close current form", dialog),
      MakeButton("cancel", "Cancel", "Cancel all changes and close current form", dialog),
      MakeButton(defaults_name, "Default", "Set all values to default", dialog)};
  buttons.ok->setAutoDefault(true);
  buttons.ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addWidget(buttons.defaults);
  row->addStretch();
  row->addWidget(buttons.ok);
  row->addWidget(buttons.cancel);
  layout->addLayout(row);
  return buttons;
}

QPushButton* AddCloseButtonRow(QVBoxLayout* layout, QWidget* window) {
  auto* close = new QPushButton(QStringLiteral("Close"), window);
  close->setObjectName(QStringLiteral("close"));
  close->setToolTip(QStringLiteral("Close current form"));
  close->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(close);
  layout->addLayout(row);
  return close;
}

void ShowModal(QDialog* dialog) {
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void BringUp(QWidget* window, Activation activation) {
  // Mapped without the window manager's focus unless asked for: the
  // attribute is read when the window is mapped, so it stays set and an
  // explicit activation below does the asking.
  window->setAttribute(Qt::WA_ShowWithoutActivating);
  QWidget* const typing_in = QApplication::activeWindow();
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  if (activation == Activation::kTakeFocus) {
    window->activateWindow();
  } else if (typing_in != nullptr && typing_in != window) {
    // Not every window system leaves a new window unfocused when asked.
    typing_in->activateWindow();
  }
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
