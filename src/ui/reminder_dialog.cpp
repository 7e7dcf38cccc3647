// The Reminder dialog's texts, layout and its two answers.
#include "ui/reminder_dialog.h"

#include <utility>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvex {
namespace {

struct ReminderTexts {
  const char* name = "Form16";
  const char* caption = "Korvex";
  const char* group = "Reminder";
  const char* text =
      "The requested operation may take a very long time to complete. Do you want to let the "
      "calculation continue, or stop the operation now?";
  const char* continue_caption = "Continue";
  const char* continue_hint = "Continue the requested operation";
  const char* stop_caption = "Stop";
  const char* stop_hint = "Stop the requested operation immediately";
};
constexpr ReminderTexts kTexts;
constexpr int kIconSize = 32;
constexpr int kTextWidth = 320;

}  // namespace

ReminderDialog::ReminderDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QString::fromLatin1(kTexts.name));
  setWindowTitle(QString::fromLatin1(kTexts.caption));
  setModal(true);

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picture"));
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize));
  picture->setAlignment(Qt::AlignTop);

  auto* group = new QGroupBox(QString::fromLatin1(kTexts.group), this);
  auto* text = new QLabel(QString::fromLatin1(kTexts.text), group);
  text->setObjectName(QStringLiteral("text"));
  text->setWordWrap(true);
  text->setMinimumWidth(kTextWidth);
  auto* group_layout = new QHBoxLayout(group);
  group_layout->addWidget(picture);
  group_layout->addWidget(text, 1);

  continue_button_ = new QPushButton(QString::fromLatin1(kTexts.continue_caption), this);
  continue_button_->setObjectName(QStringLiteral("continuebutton"));
  continue_button_->setToolTip(QString::fromLatin1(kTexts.continue_hint));
  continue_button_->setDefault(true);
  auto* stop = new QPushButton(QString::fromLatin1(kTexts.stop_caption), this);
  stop->setObjectName(QStringLiteral("stop"));
  stop->setToolTip(QString::fromLatin1(kTexts.stop_hint));
  connect(continue_button_, &QPushButton::clicked, this, &ReminderDialog::continuebuttonClick);
  connect(stop, &QPushButton::clicked, this, &ReminderDialog::stopClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(continue_button_);
  buttons->addWidget(stop);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  // Every way of closing answers, Escape and the title bar's close as
  // "Continue".
  connect(this, &QDialog::finished, this, [this] {
    if (auto answered = std::exchange(answered_, nullptr)) answered(!stop_requested_);
  });
}

void ReminderDialog::AskReminder(std::function<void(bool go_on)> answered) {
  stop_requested_ = false;
  answered_ = std::move(answered);
  open();
}

void ReminderDialog::continuebuttonClick() { accept(); }

void ReminderDialog::stopClick() {
  stop_requested_ = true;
  accept();
}

void ReminderDialog::showEvent(QShowEvent* event) {
  // Each reminder starts with no answer given.
  stop_requested_ = false;
  continue_button_->setFocus();
  QDialog::showEvent(event);
}

}  // namespace korvex
