// The User variables window: layout, texts, the table's row editing and the
// save-and-reload rule.
#include "ui/user_variables_window.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "engine/user_variables.h"
#include "settings/variables_file.h"
#include "ui/message_seam.h"
#include "ui/variable_wizard.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct VariablesTexts {
  const char* caption = "User variables";
  const char* group = "Variables";
  const char* names_column = "Declarations";
  const char* expressions_column = "Assignments";
  const char* clear = "Clear";
  const char* clear_hint = "Clear variable screen";
  const char* create = "Create variable";
  const char* create_hint = "Create a new variable with the variable creation wizard";
  const char* cancel = "Cancel";
  const char* cancel_hint = "Cancel all changes and close current form";
  const char* ok = "OK";
  const char* ok_hint = "Save changes and close current form";
  const char* insert_row = "Insert row";
  const char* delete_row = "Delete row";
  const char* duplicate_name = "A variable named '%1' already exists";
};
constexpr VariablesTexts kTexts;

QString Cell(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item ? item->text() : QString();
}

}  // namespace

UserVariablesWindow::UserVariablesWindow(Calculator& calculator, MessageSeam& messages,
                                         QWidget* parent)
    : QDialog(parent),
      calculator_(calculator),
      variables_(calculator.variables()),
      messages_(messages) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));
  setSizeGripEnabled(true);

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  table_ = new QTableWidget(1, 2, group);
  table_->setObjectName(QStringLiteral("table"));
  table_->setHorizontalHeaderLabels(
      {QString::fromUtf8(kTexts.names_column), QString::fromUtf8(kTexts.expressions_column)});
  table_->verticalHeader()->setVisible(false);
  table_->setColumnWidth(0, 100);
  table_->setColumnWidth(1, 239);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  table_->installEventFilter(this);

  // Rows are added and removed in place: Insert, Ctrl+Delete, Down past the
  // last row, or the table's pop-up menu.
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* insert_row = new QAction(QString::fromUtf8(kTexts.insert_row), table_);
  insert_row->setObjectName(QStringLiteral("insertrow"));
  connect(insert_row, &QAction::triggered, this,
          [this] { InsertRowAt(std::max(0, table_->currentRow())); });
  auto* delete_row = new QAction(QString::fromUtf8(kTexts.delete_row), table_);
  delete_row->setObjectName(QStringLiteral("deleterow"));
  connect(delete_row, &QAction::triggered, this, [this] { DeleteRow(table_->currentRow()); });
  table_->addAction(insert_row);
  table_->addAction(delete_row);

  auto* clear = MakeButton("clear", kTexts.clear, kTexts.clear_hint, group);
  auto* create = MakeButton("create", kTexts.create, kTexts.create_hint, group);
  auto* side = new QVBoxLayout;
  side->addWidget(clear);
  side->addWidget(create);
  side->addStretch();
  auto* group_layout = new QHBoxLayout(group);
  group_layout->addWidget(table_, 1);
  group_layout->addLayout(side);

  auto* cancel = MakeButton("cancel", kTexts.cancel, kTexts.cancel_hint, this);
  auto* ok = MakeButton("ok", kTexts.ok, kTexts.ok_hint, this);
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel);
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(buttons);
  resize(520, 340);

  connect(table_, &QTableWidget::cellChanged, this, &UserVariablesWindow::cellChanged);
  connect(clear, &QPushButton::clicked, this, &UserVariablesWindow::clearClick);
  connect(create, &QPushButton::clicked, this, &UserVariablesWindow::createClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok, &QPushButton::clicked, this, &UserVariablesWindow::okClick);
  connect(this, &QDialog::finished, this, &UserVariablesWindow::FormClose);
  RefreshTable();
}

void UserVariablesWindow::set_wizard(VariableWizard* wizard) {
  wizard_ = wizard;
  connect(wizard_, &VariableWizard::createRequested, this,
          [this](const QString& name, const QString& expression) { AppendRow(name, expression); });
}

void UserVariablesWindow::RefreshTable() {
  const QSignalBlocker blocker(table_);
  const int rows = std::max<int>(1, static_cast<int>(variables_.size()));
  table_->setRowCount(rows);
  for (int row = 0; row < rows; ++row) {
    const bool present = row < static_cast<int>(variables_.size());
    const UserVariable blank;
    const UserVariable& variable = present ? variables_[static_cast<size_t>(row)] : blank;
    table_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(variable.name)));
    table_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(variable.expression)));
  }
}

QString UserVariablesWindow::NameRefusal(const QString& name, int row) const {
  const std::string wanted = name.toStdString();
  if (const std::optional<std::string> refusal = VariableNameRefusal(wanted))
    return QString::fromStdString(*refusal);
  if (name.isEmpty()) return {};
  for (size_t other = 0; other < variables_.size(); ++other) {
    if (static_cast<int>(other) != row && variables_[other].name == wanted)
      return QString::fromUtf8(kTexts.duplicate_name).arg(name);
  }
  return {};
}

bool UserVariablesWindow::AppendRow(const QString& name, const QString& expression) {
  const QString refusal = NameRefusal(name, -1);
  if (!refusal.isEmpty()) {
    messages_.Inform(refusal);
    return false;
  }
  variables_.push_back({name.toStdString(), expression.toStdString()});
  RefreshTable();
  table_->setCurrentCell(static_cast<int>(variables_.size()) - 1, 0);
  return true;
}

void UserVariablesWindow::cellChanged(int row, int column) {
  const QString text = Cell(table_, row, column);
  while (static_cast<int>(variables_.size()) <= row) variables_.push_back({});
  UserVariable& variable = variables_[static_cast<size_t>(row)];
  if (column == 0) {
    const QString refusal = NameRefusal(text, row);
    if (!refusal.isEmpty()) {
      const QSignalBlocker blocker(table_);
      table_->item(row, 0)->setText(QString::fromStdString(variable.name));
      messages_.Inform(refusal);
      return;
    }
    variable.name = text.toStdString();
  } else {
    variable.expression = text.toStdString();
  }
}

void UserVariablesWindow::InsertRowAt(int row) {
  // The blank row of an empty table already stands for the new row.
  if (variables_.empty()) {
    variables_.push_back({});
  } else {
    const size_t at = std::min(static_cast<size_t>(std::max(0, row)), variables_.size());
    variables_.insert(variables_.begin() + static_cast<long>(at), UserVariable{});
  }
  RefreshTable();
  table_->setCurrentCell(row, 0);
}

void UserVariablesWindow::DeleteRow(int row) {
  if (row < 0 || row >= static_cast<int>(variables_.size())) return;
  variables_.erase(variables_.begin() + row);
  RefreshTable();
  table_->setCurrentCell(std::min(row, table_->rowCount() - 1), 0);
}

bool UserVariablesWindow::eventFilter(QObject* watched, QEvent* event) {
  // While a cell is edited its editor has the keys, so these reach the
  // table only between edits.
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const int row = table_->currentRow();
    // Enter between edits (the editor has the focus during one) opens the
    // current cell, as F2 does; it must not reach the default button and
    // close the window under the user.
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        QApplication::focusWidget() == table_) {
      if (table_->currentIndex().isValid()) table_->edit(table_->currentIndex());
      return true;
    }
    if (key->key() == Qt::Key_Insert) {
      InsertRowAt(std::max(0, row));
      return true;
    }
    if (key->key() == Qt::Key_Delete && key->modifiers() & Qt::ControlModifier) {
      DeleteRow(row);
      return true;
    }
    // Down from a filled last row opens a new one below it.
    if (key->key() == Qt::Key_Down && row == table_->rowCount() - 1 &&
        (!Cell(table_, row, 0).isEmpty() || !Cell(table_, row, 1).isEmpty())) {
      const int column = table_->currentColumn();
      InsertRowAt(row + 1);
      table_->setCurrentCell(row + 1, std::max(0, column));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void UserVariablesWindow::okClick() {
  calculator_.SaveVariables();
  accept();
}

void UserVariablesWindow::clearClick() {
  ClearVariables(variables_);
  RefreshTable();
}

void UserVariablesWindow::createClick() {
  if (wizard_) ShowModal(wizard_);
}

void UserVariablesWindow::FormClose() {
  calculator_.LoadVariables();
  RefreshTable();
}

}  // namespace korvex
