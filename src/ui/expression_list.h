// The contents of the main window's "Evaluate" group: the expression list
// (evaluate) with its tool bar and pop-up menu, and the operations on its
// items. What needs the calculator or another window goes out as a signal.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QToolBar;

namespace korvex {

class ExpressionList : public QWidget {
  Q_OBJECT

 public:
  explicit ExpressionList(QWidget* parent);

  int count() const;
  // The row of the selected item, or -1 when none is selected.
  int SelectedIndex() const;
  QString ItemText(int row) const;
  bool IsChecked(int row) const;
  QStringList Texts() const;
  QStringList CheckedTexts() const;

  // Adds `text` at the end, checked for plotting or not, and selects it.
  void AddItem(const QString& text, bool checked);
  // Adds the lines of the insertion log unchecked and selects the last item.
  void AppendLoggedItems(const QStringList& texts);
  // Selects the first item whose text is `text`; false when none is.
  bool SelectItemWithText(const QString& text);
  // False when no item is selected.
  bool ReplaceSelected(const QString& text);
  void Clear();

 public slots:
  void itemupClick();
  void itemdownClick();
  void edititemClick();
  void checkitemClick();
  void deleteitemClick();

 signals:
  void countChanged(int count);
  void editRequested(const QString& text);
  // Enter on the list.
  void solveRequested();
  // Deleting the only item is the same as the Clear button.
  void clearRequested();
  void insertLogRequested();
  void simpleModeRequested();

 private:
  QToolBar* BuildToolBar();
  void BuildPopupMenu();
  void MoveSelectedItem(int offset);

  QListWidget* evaluate_;
};

}  // namespace korvex
