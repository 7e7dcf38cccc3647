// The version history window and its one read of history.rtf.
#include "ui/version_history_window.h"
#include "ui/window_support.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/message_seam.h"
#include "ui/show_modeless.h"

namespace korvex {
namespace {

struct HistoryTexts {
  const char* caption = "Version history";
  const char* group = "What's new";
};
constexpr HistoryTexts kTexts;

}  // namespace

VersionHistoryWindow::VersionHistoryWindow(const DataDirectory& data, MessageSeam& messages,
                                           QWidget* parent)
    : QDialog(parent), data_(data), messages_(messages) {
  setObjectName(QStringLiteral("Form26"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));
  setSizeGripEnabled(true);

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  history_ = new QPlainTextEdit(group);
  history_->setObjectName(QStringLiteral("history"));
  history_->setReadOnly(true);
  history_->setLineWrapMode(QPlainTextEdit::NoWrap);
  history_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  history_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(history_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  connect(AddCloseButtonRow(layout, this), &QPushButton::clicked, this, &QDialog::close);
  resize(560, 420);
}

void VersionHistoryWindow::ShowWindow() { ShowModeless(*this); }

// Filled when the window opens rather than on every activation: the message
// box for a missing file would itself hand the activation back to the
// window and be shown again and again.
void VersionHistoryWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FillHistory();
}

void VersionHistoryWindow::FillHistory() {
  if (!history_->document()->isEmpty()) return;
  QFile file(data_.File(kHistoryFile));
  if (!file.open(QIODevice::ReadOnly)) {
    messages_.Inform(QString::fromUtf8(kHistoryMissingMessage));
    return;
  }
  QString text = QString::fromLocal8Bit(file.readAll());
  // The file keeps the CR LF line ends of the other data files; the box
  // wants one line break each.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  history_->setPlainText(text);
  history_->moveCursor(QTextCursor::Start);
}

}  // namespace korvex
