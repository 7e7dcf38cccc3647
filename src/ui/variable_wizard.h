// The Variable creation wizard (Form5): a name and an expression for a new
// row of the User variables table; modal.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace korvex {

class VariableWizard : public QDialog {
  Q_OBJECT

 public:
  explicit VariableWizard(QWidget* parent);

 signals:
  // "Create": append the row (name, expression) to the table.
  void createRequested(const QString& name, const QString& expression);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void editChange();
  void createClick();

  QLineEdit* name_;
  QLineEdit* expression_;
  QPushButton* create_;
};

}  // namespace korvex
