// The Edit window's layout, texts and handlers.
#include "ui/edit_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/window_support.h"

namespace korvex {
namespace {

struct EditTexts {
  const char* caption = "Edit";
  const char* group = "Edit expression";
  const char* edit_hint = "Edit the selected expression";
  const char* replace = "Replace";
  const char* replace_hint = "Replace expression";
  const char* cancel = "Cancel";
  const char* cancel_hint = "Cancel all changes and close current form";
};
constexpr EditTexts kTexts;

}  // namespace

EditWindow::EditWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  edit_ = new QLineEdit(group);
  edit_->setObjectName(QStringLiteral("edit"));
  edit_->setToolTip(QString::fromUtf8(kTexts.edit_hint));
  edit_->setMinimumWidth(320);
  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(edit_);

  replace_ = new QPushButton(QString::fromUtf8(kTexts.replace), this);
  replace_->setObjectName(QStringLiteral("replace"));
  replace_->setToolTip(QString::fromUtf8(kTexts.replace_hint));
  replace_->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8(kTexts.cancel), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setToolTip(QString::fromUtf8(kTexts.cancel_hint));
  cancel->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(replace_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(edit_, &QLineEdit::textChanged, this, &EditWindow::editChange);
  connect(replace_, &QPushButton::clicked, this, &EditWindow::replaceClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  editChange();
}

void EditWindow::EditExpression(const QString& text) {
  edit_->setText(text);
  ShowModal(this);
}

void EditWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edit_->setFocus();
  edit_->selectAll();
}

void EditWindow::editChange() { replace_->setEnabled(!edit_->text().isEmpty()); }

void EditWindow::replaceClick() {
  if (edit_->text().isEmpty()) return;
  emit replaceRequested(edit_->text());
  accept();
}

}  // namespace korvex
