// Layout of the read-only text windows.
#include "ui/text_page_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/window_support.h"

namespace korvex {

TextPageWindow::TextPageWindow(const TextPageTexts& texts, QWidget* parent)
    : TextPageWindow(texts, nullptr, parent) {}

TextPageWindow::TextPageWindow(const TextPageTexts& texts, QAbstractScrollArea* page,
                               QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromLatin1(texts.object_name));
  setWindowTitle(QString::fromUtf8(texts.caption));
  setSizeGripEnabled(true);

  auto* group = new QGroupBox(QString::fromUtf8(texts.group_title), this);
  if (page == nullptr) {
    page_ = new QPlainTextEdit(group);
    page_->setReadOnly(true);
    page_->setLineWrapMode(QPlainTextEdit::NoWrap);
    page = page_;
  }
  page->setObjectName(QString::fromLatin1(texts.page_name));
  page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  group_layout_ = new QVBoxLayout(group);
  group_layout_->addWidget(page);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  connect(AddCloseButtonRow(layout, this), &QPushButton::clicked, this, &QDialog::reject);
  resize(480, 320);
}

void TextPageWindow::AddAbovePage(QWidget* widget) { group_layout_->insertWidget(0, widget); }

}  // namespace korvex
