// The version history window and its one read of history.rtf.
#include "ui/version_history_window.h"
#include "ui/window_support.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <string_view>

#include "output/rtf_text.h"
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
  // A rich-text box: the history is written as RTF, which is read here
  // rather than shown as its markup; long lines wrap at the box's edge.
  history_ = new QTextEdit(group);
  history_->setObjectName(QStringLiteral("history"));
  history_->setReadOnly(true);
  history_->setLineWrapMode(QTextEdit::WidgetWidth);
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
  const QByteArray bytes = file.readAll();
  const std::string_view raw(bytes.constData(), static_cast<size_t>(bytes.size()));
  if (LooksLikeRtf(raw)) {
    history_->setHtml(QString::fromStdString(RtfToHtml(raw)));
  } else {
    // Anything else is shown as the plain text it is. The file keeps the
    // CR LF line ends of the other data files; the box wants one break each.
    QString text = QString::fromLocal8Bit(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    history_->setPlainText(text);
  }
  history_->moveCursor(QTextCursor::Start);
}

}  // namespace korvex
