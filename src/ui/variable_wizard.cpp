// The wizard's layout, texts and handlers.
#include "ui/variable_wizard.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvex {
namespace {

struct WizardTexts {
  const char* caption = "Variable creation wizard";
  const char* group = "Create a new variable";
  const char* name_label = "Please insert a name for the new variable";
  const char* name_hint = "Type in a variable name";
  const char* expression_label = "Please insert an expression for the variable";
  const char* expression_hint = "Type in a variable expression";
  const char* create = "Create";
  const char* create_hint = "Create variable";
  const char* cancel = "Cancel";
  const char* cancel_hint = "Cancel all changes and close current form";
};
constexpr WizardTexts kTexts;

QPushButton* Button(const char* caption, const char* hint, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromUtf8(hint));
  return button;
}

}  // namespace

VariableWizard::VariableWizard(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  name_ = new QLineEdit(group);
  name_->setObjectName(QStringLiteral("name"));
  name_->setToolTip(QString::fromUtf8(kTexts.name_hint));
  expression_ = new QLineEdit(group);
  expression_->setObjectName(QStringLiteral("expression"));
  expression_->setToolTip(QString::fromUtf8(kTexts.expression_hint));
  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(new QLabel(QString::fromUtf8(kTexts.name_label), group));
  group_layout->addWidget(name_);
  group_layout->addSpacing(6);
  group_layout->addWidget(new QLabel(QString::fromUtf8(kTexts.expression_label), group));
  group_layout->addWidget(expression_);

  create_ = Button(kTexts.create, kTexts.create_hint, "create", this);
  create_->setDefault(true);
  auto* cancel = Button(kTexts.cancel, kTexts.cancel_hint, "cancel", this);
  cancel->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(create_);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(name_, &QLineEdit::textChanged, this, &VariableWizard::editChange);
  connect(expression_, &QLineEdit::textChanged, this, &VariableWizard::editChange);
  connect(create_, &QPushButton::clicked, this, &VariableWizard::createClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  editChange();
}

void VariableWizard::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  name_->clear();
  expression_->clear();
  name_->setFocus();
}

void VariableWizard::editChange() {
  create_->setEnabled(!name_->text().isEmpty() && !expression_->text().isEmpty());
}

void VariableWizard::createClick() {
  if (!create_->isEnabled()) return;
  emit createRequested(name_->text(), expression_->text());
  accept();
}

}  // namespace korvex
