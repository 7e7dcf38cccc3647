// The expression list: its tool bar, pop-up menu, keys and item operations.
#include "ui/expression_list.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QKeySequence>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/tool_icons.h"

namespace korvex {
namespace {

constexpr const char* kEvaluateHint = "Double click to edit selected expression";

using Handler = void (ExpressionList::*)();

// The tool bar in its order; a null name separates.
struct ToolEntry {
  const char* name;
  const char* hint;
  ToolPicture picture;
  Handler handler;
};
constexpr ToolEntry kTools[] = {
    {"itemup", "Move selected item up", ToolPicture::kUp, &ExpressionList::itemupClick},
    {"itemdown", "Move selected item down", ToolPicture::kDown, &ExpressionList::itemdownClick},
    {"edititem", "Edit selected item", ToolPicture::kEdit, &ExpressionList::edititemClick},
    {"checkitem", "Check selected item for plotting", ToolPicture::kCheck,
     &ExpressionList::checkitemClick},
    {"deleteitem", "Delete selected item", ToolPicture::kDelete, &ExpressionList::deleteitemClick},
    {nullptr, nullptr, ToolPicture::kUp, nullptr},
    {"insertlog", "Insert log when evaluate is empty", ToolPicture::kInsertLog,
     &ExpressionList::insertLogRequested},
    {"simplemode", "Switch to simple mode", ToolPicture::kSimpleMode,
     &ExpressionList::simpleModeRequested},
};

// The pop-up menu in its order; a null name separates.
struct PopupEntry {
  const char* name;
  const char* caption;
  const char* shortcut;
  Handler handler;
};
constexpr PopupEntry kPopup[] = {
    {"popupup", "Up", "Ctrl+Up", &ExpressionList::itemupClick},
    {nullptr, nullptr, nullptr, nullptr},
    {"popupedit", "Edit", "", &ExpressionList::edititemClick},
    {"popupcheck", "Check/Uncheck", "", &ExpressionList::checkitemClick},
    {"popupdelete", "Delete", "Del", &ExpressionList::deleteitemClick},
    {nullptr, nullptr, nullptr, nullptr},
    {"popupdown", "Down", "Ctrl+Down", &ExpressionList::itemdownClick},
};

QListWidgetItem* NewListItem(const QString& text, bool checked) {
  auto* item = new QListWidgetItem(text);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  return item;
}

}  // namespace

ExpressionList::ExpressionList(QWidget* parent) : QWidget(parent) {
  evaluate_ = new QListWidget(this);
  evaluate_->setObjectName(QStringLiteral("evaluate"));
  evaluate_->setToolTip(QString::fromUtf8(kEvaluateHint));
  evaluate_->setSelectionMode(QAbstractItemView::SingleSelection);
  evaluate_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(evaluate_, &QListWidget::itemDoubleClicked, this, &ExpressionList::edititemClick);
  connect(evaluate_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (changing_) return;
    ListState before = Capture();
    const int row = evaluate_->row(item);
    before.checked[row] = !before.checked[row];
    Remember(std::move(before));
  });
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* solve_key =
        new QShortcut(QKeySequence(key), evaluate_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(solve_key, &QShortcut::activated, this, &ExpressionList::solveRequested);
  }

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(BuildToolBar());
  column->addWidget(evaluate_, 1);
  BuildPopupMenu();
}

QToolBar* ExpressionList::BuildToolBar() {
  auto* tools = new QToolBar(this);
  tools->setObjectName(QStringLiteral("tools"));
  tools->setIconSize(QSize(20, 20));
  tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (const ToolEntry& entry : kTools) {
    if (!entry.name) {
      tools->addSeparator();
      continue;
    }
    const QString hint = QString::fromUtf8(entry.hint);
    QAction* action = tools->addAction(ToolIcon(entry.picture), hint);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setToolTip(hint);
    tools->widgetForAction(action)->setObjectName(QString::fromLatin1(entry.name) +
                                                  QStringLiteral("button"));
    connect(action, &QAction::triggered, this, entry.handler);
  }
  return tools;
}

// The pop-up menu's shortcuts act while the list has the focus.
void ExpressionList::BuildPopupMenu() {
  auto* popup = new QMenu(evaluate_);
  popup->setObjectName(QStringLiteral("evaluatepopup"));
  for (const PopupEntry& entry : kPopup) {
    if (!entry.name) {
      popup->addSeparator();
      continue;
    }
    QAction* action = popup->addAction(QString::fromUtf8(entry.caption));
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    action->setShortcutContext(Qt::WidgetShortcut);
    evaluate_->addAction(action);
    connect(action, &QAction::triggered, this, entry.handler);
  }
  connect(evaluate_, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint& at) {
    popup->popup(evaluate_->viewport()->mapToGlobal(at));
  });
}

int ExpressionList::count() const { return evaluate_->count(); }

int ExpressionList::SelectedIndex() const {
  const QListWidgetItem* item = evaluate_->currentItem();
  return item && item->isSelected() ? evaluate_->row(item) : -1;
}

QString ExpressionList::ItemText(int row) const { return evaluate_->item(row)->text(); }

bool ExpressionList::IsChecked(int row) const {
  return evaluate_->item(row)->checkState() == Qt::Checked;
}

QStringList ExpressionList::Texts() const {
  QStringList texts;
  for (int row = 0; row < evaluate_->count(); ++row) texts << ItemText(row);
  return texts;
}

QStringList ExpressionList::CheckedTexts() const {
  QStringList texts;
  for (int row = 0; row < evaluate_->count(); ++row)
    if (IsChecked(row)) texts << ItemText(row);
  return texts;
}

void ExpressionList::AddItem(const QString& text, bool checked) {
  ListState before = Capture();
  changing_ = true;
  QListWidgetItem* item = NewListItem(text, checked);
  evaluate_->addItem(item);
  evaluate_->setCurrentItem(item);
  changing_ = false;
  Remember(std::move(before));
  emit countChanged(evaluate_->count());
}

void ExpressionList::AppendLoggedItems(const QStringList& texts) {
  if (texts.isEmpty()) return;
  ListState before = Capture();
  changing_ = true;
  for (const QString& text : texts) evaluate_->addItem(NewListItem(text, false));
  evaluate_->setCurrentRow(evaluate_->count() - 1);
  changing_ = false;
  Remember(std::move(before));
  emit countChanged(evaluate_->count());
}

bool ExpressionList::SelectItemWithText(const QString& text) {
  for (int row = 0; row < evaluate_->count(); ++row) {
    if (ItemText(row) == text) {
      evaluate_->setCurrentRow(row);
      return true;
    }
  }
  return false;
}

bool ExpressionList::ReplaceSelected(const QString& text) {
  const int row = SelectedIndex();
  if (row < 0) return false;
  ListState before = Capture();
  changing_ = true;
  evaluate_->item(row)->setText(text);
  changing_ = false;
  Remember(std::move(before));
  return true;
}

void ExpressionList::Clear() {
  if (evaluate_->count() > 0) {
    ListState before = Capture();
    changing_ = true;
    evaluate_->clear();
    changing_ = false;
    Remember(std::move(before));
  }
  emit countChanged(0);
}

void ExpressionList::MoveSelectedItem(int offset) {
  ListState before = Capture();
  changing_ = true;
  const int row = SelectedIndex();
  QListWidgetItem* item = evaluate_->takeItem(row);
  evaluate_->insertItem(row + offset, item);
  evaluate_->setCurrentRow(row + offset);
  changing_ = false;
  Remember(std::move(before));
}

void ExpressionList::itemupClick() {
  if (SelectedIndex() > 0) MoveSelectedItem(-1);
}

void ExpressionList::itemdownClick() {
  const int row = SelectedIndex();
  if (row >= 0 && row < evaluate_->count() - 1) MoveSelectedItem(1);
}

void ExpressionList::edititemClick() {
  const int row = SelectedIndex();
  if (row >= 0) emit editRequested(ItemText(row));
}

void ExpressionList::checkitemClick() {
  const int row = SelectedIndex();
  if (row < 0) return;
  ListState before = Capture();
  changing_ = true;
  QListWidgetItem* item = evaluate_->item(row);
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  changing_ = false;
  Remember(std::move(before));
}

void ExpressionList::deleteitemClick() {
  const int count = evaluate_->count();
  if (count == 1) {
    emit clearRequested();
    return;
  }
  const int row = SelectedIndex();
  if (count < 2 || row < 0) return;
  ListState before = Capture();
  changing_ = true;
  delete evaluate_->takeItem(row);
  evaluate_->setCurrentRow(std::min(row, evaluate_->count() - 1));
  changing_ = false;
  Remember(std::move(before));
  emit countChanged(evaluate_->count());
}

// ---- Undo and redo ----

ExpressionList::ListState ExpressionList::Capture() const {
  ListState state;
  for (int row = 0; row < evaluate_->count(); ++row) {
    state.texts << ItemText(row);
    state.checked << IsChecked(row);
  }
  state.selected = SelectedIndex();
  return state;
}

void ExpressionList::Apply(const ListState& state) {
  changing_ = true;
  evaluate_->clear();
  for (int row = 0; row < state.texts.size(); ++row)
    evaluate_->addItem(NewListItem(state.texts[row], state.checked[row]));
  if (state.selected >= 0 && state.selected < evaluate_->count())
    evaluate_->setCurrentRow(state.selected);
  changing_ = false;
  emit countChanged(evaluate_->count());
}

void ExpressionList::Remember(ListState before) {
  undo_.push_back(std::move(before));
  if (undo_.size() > static_cast<std::size_t>(kUndoDepth)) undo_.pop_front();
  redo_.clear();
  AnnounceHistory();
}

// Takes the newest state of `from` back into the list; the list as it was
// goes onto `to`, so the step can be reversed.
void ExpressionList::Step(std::deque<ListState>& from, std::deque<ListState>& to) {
  if (from.empty()) return;
  to.push_back(Capture());
  const ListState state = std::move(from.back());
  from.pop_back();
  Apply(state);
  AnnounceHistory();
}

void ExpressionList::Undo() { Step(undo_, redo_); }

void ExpressionList::Redo() { Step(redo_, undo_); }

void ExpressionList::AnnounceHistory() {
  emit undoAvailable(CanUndo());
  emit redoAvailable(CanRedo());
}

}  // namespace korvex
