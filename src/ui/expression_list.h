// The contents of the main window's "Evaluate" group: the expression list
// (evaluate) with its tool bar and pop-up menu, and the operations on its
// items. What needs the calculator or another window goes out as a signal.
#pragma once

#include <deque>

#include <QList>
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

  // Every change of the items (texts, order, check marks) can be taken back
  // and done again, the last kUndoDepth of them.
  static constexpr int kUndoDepth = 20;
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  void Undo();
  void Redo();

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
  void undoAvailable(bool available);
  void redoAvailable(bool available);

 private:
  QToolBar* BuildToolBar();
  void BuildPopupMenu();
  void MoveSelectedItem(int offset);

  // The items with their check marks and the selected row.
  struct ListState {
    QStringList texts;
    QList<bool> checked;
    int selected = -1;
  };
  ListState Capture() const;
  void Apply(const ListState& state);
  // `before` is the state the change just made started from.
  void Remember(ListState before);
  void Step(std::deque<ListState>& from, std::deque<ListState>& to);
  void AnnounceHistory();

  QListWidget* evaluate_;
  std::deque<ListState> undo_;
  std::deque<ListState> redo_;
  // Our own changes of the items are recorded where they are made; only the
  // user's clicks on a check box arrive through itemChanged.
  bool changing_ = false;
};

}  // namespace korvex
