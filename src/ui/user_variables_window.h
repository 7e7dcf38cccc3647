// The User variables window (Form2): a two-column table that edits the
// calculator's variable table in place, so edits count at the next solve;
// "OK" saves var.ini and every close reloads it.
#pragma once

#include <QDialog>

#include "core/calculator.h"

class QTableWidget;

namespace korvex {

class MessageSeam;
class VariableWizard;

class UserVariablesWindow : public QDialog {
  Q_OBJECT

 public:
  UserVariablesWindow(Calculator& calculator, MessageSeam& messages, QWidget* parent);

  // The wizard that "Create variable" shows; created after this window.
  void set_wizard(VariableWizard* wizard);

  // Shows the table as the variable table holds it (one blank row when empty).
  void RefreshTable();
  // Appends a row and selects it; false (after a message) when the name is
  // one the table refuses.
  bool AppendRow(const QString& name, const QString& expression);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void cellChanged(int row, int column);
  void okClick();
  void clearClick();
  void createClick();
  void FormClose();
  void InsertRowAt(int row);
  void DeleteRow(int row);
  // Why a name cannot stand in `row`; empty when it can.
  QString NameRefusal(const QString& name, int row) const;

  Calculator& calculator_;
  VariableTable& variables_;  // the calculator's live table
  MessageSeam& messages_;
  VariableWizard* wizard_ = nullptr;
  QTableWidget* table_;
};

}  // namespace korvex
