// Candidates for the input's completion and the pop-up that offers them.
#include "ui/input_completion.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>

#include "engine/catalogue.h"
#include "ui/catalogue_tables.h"
#include "ui/completion_delegate.h"

namespace korvex {
namespace {

// The scanner ends a name at digits, separators, operators, brackets,
// blanks and the start of a literal.
bool IsNameCharacter(QChar c) {
  static const QString kBreaks = QStringLiteral(",.+-*/^()[];{} ");
  return !c.isDigit() && !kBreaks.contains(c);
}

void AppendNames(const Catalogue& catalogue, CatalogueKind kind,
                 std::vector<CompletionName>& names) {
  for (size_t i = 0; i < catalogue.size(); ++i) {
    const std::string& name = catalogue.names()[i];
    names.push_back({QString::fromStdString(name),
                     QString::fromStdString(InfoLabelText(kind, name, catalogue.thirds()[i])),
                     QString::fromStdString(catalogue.descriptions()[i]),
                     kind == CatalogueKind::kFunctions});
  }
}

// The keys the open pop-up answers; with Ctrl or Alt they are the
// window's.
bool IsPopupKey(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

// Room for a signature and the start of its description; a longer one is
// cut short on screen and shown whole in the entry's tool tip.
constexpr int kPopupCharacters = 64;

}  // namespace

std::vector<CompletionName> CompletionNames(const Catalogue& functions,
                                            const Catalogue& constants) {
  std::vector<CompletionName> names;
  AppendNames(functions, CatalogueKind::kFunctions, names);
  AppendNames(constants, CatalogueKind::kConstants, names);
  // Stable, so that of two equal names the function's stays first.
  std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
  });
  names.erase(std::unique(names.begin(), names.end(),
                          [](const auto& a, const auto& b) { return a.name == b.name; }),
              names.end());
  return names;
}

QString CompletionLine(const Completion& completion) {
  if (completion.description.isEmpty()) return completion.label;
  return completion.label + QStringLiteral(" - ") + completion.description;
}

std::vector<Completion> CompletionCandidates(const QString& text, int caret,
                                             const std::vector<CompletionName>& names,
                                             const QStringList& history) {
  std::vector<Completion> candidates;
  const int size = static_cast<int>(text.size());
  caret = std::clamp(caret, 0, size);
  if (caret == size && !text.isEmpty()) {
    for (const QString& item : history) {
      if (item.size() > text.size() && item.startsWith(text))
        candidates.push_back({item, QString(), 0, size, item, static_cast<int>(item.size())});
    }
  }
  int start = caret;
  while (start > 0 && IsNameCharacter(text[start - 1])) --start;
  const QString typed = text.mid(start, caret - start);
  if (typed.isEmpty()) return candidates;
  const bool bracket_follows = caret < size && text[caret] == QLatin1Char('[');
  for (const CompletionName& name : names) {
    if (!name.name.startsWith(typed)) continue;
    QString replacement = name.name;
    int after = start + static_cast<int>(name.name.size());
    if (name.is_function) {
      if (!bracket_follows) replacement += QLatin1Char('[');
      ++after;  // inside the bracket, ready for the parameters
    }
    if (replacement == typed) continue;
    candidates.push_back({name.signature, name.description, start, caret, replacement, after});
  }
  return candidates;
}

InputCompleter::InputCompleter(QComboBox* input) : QObject(input), input_(input) {
  model_ = new QStandardItemModel(this);
  completer_ = new QCompleter(model_, this);
  completer_->setWidget(input->lineEdit());
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setCaseSensitivity(Qt::CaseSensitive);
  QAbstractItemView* popup = completer_->popup();
  popup->setObjectName(QStringLiteral("completions"));
  popup->setItemDelegate(new CompletionDelegate(popup));
  popup->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Installed after the completer's own filter, so it sees the keys first.
  popup->installEventFilter(this);
  input->lineEdit()->installEventFilter(this);
  connect(input->lineEdit(), &QLineEdit::textEdited, this, &InputCompleter::textEdited);
  // A click on an entry.
  connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { Choose(index.row()); });
}

void InputCompleter::set_enabled(bool on) {
  enabled_ = on;
  if (!on) completer_->popup()->hide();
}

void InputCompleter::set_names(std::vector<CompletionName> names) { names_ = std::move(names); }

bool InputCompleter::popup_visible() const { return completer_->popup()->isVisible(); }

bool InputCompleter::eventFilter(QObject* watched, QEvent* event) {
  QAbstractItemView* popup = completer_->popup();
  const bool key_event =
      event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
  if (!key_event || !popup->isVisible() || (watched != popup && watched != input_->lineEdit()))
    return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (!IsPopupKey(*key)) return QObject::eventFilter(watched, event);
  // These keys belong to the pop-up while it is open: Escape must not stop
  // a request, Enter not insert the input into the list, Tab not move the
  // focus away. The window's shortcuts ask first, whoever has the focus.
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (watched != popup) return QObject::eventFilter(watched, event);
  // The completer keeps a current row that nothing shows as chosen; only a
  // row the user moved to counts.
  const QModelIndex current = popup->currentIndex();
  const int chosen =
      current.isValid() && popup->selectionModel()->isSelected(current) ? current.row() : -1;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      popup->hide();
      Choose(chosen);
      return true;
    case Qt::Key_Tab:
      // Tab asks for a completion: with no entry chosen yet, the first.
      popup->hide();
      Choose(std::max(chosen, 0));
      return true;
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      popup->hide();
      return true;
    default:
      return QObject::eventFilter(watched, event);
  }
}

void InputCompleter::textEdited() {
  if (!enabled_ || choosing_) return;
  QStringList history;
  for (int i = 0; i < input_->count(); ++i) history << input_->itemText(i);
  const QLineEdit* edit = input_->lineEdit();
  offered_ = CompletionCandidates(edit->text(), edit->cursorPosition(), names_, history);
  offered_for_ = edit->text();
  if (offered_.empty()) {
    completer_->popup()->hide();
    return;
  }
  ShowPopup();
}

void InputCompleter::ShowPopup() {
  model_->clear();
  for (const Completion& completion : offered_) {
    const QString line = CompletionLine(completion);
    auto* item = new QStandardItem(line);
    item->setEditable(false);
    item->setToolTip(line);
    item->setData(completion.label, CompletionDelegate::kLabelRole);
    item->setData(completion.description, CompletionDelegate::kDescriptionRole);
    model_->appendRow(item);
  }
  const QLineEdit* edit = input_->lineEdit();
  const int width = std::max(
      input_->width(), completer_->popup()->fontMetrics().averageCharWidth() * kPopupCharacters);
  completer_->complete(QRect(0, 0, width, edit->height()));
  // Nothing is chosen until the user moves to an entry, so Enter right
  // after typing keeps what was typed, and Up starts from the last entry.
  completer_->popup()->setCurrentIndex(QModelIndex());
}

void InputCompleter::Choose(int row) {
  if (row < 0 || row >= static_cast<int>(offered_.size())) return;
  QLineEdit* edit = input_->lineEdit();
  // The places were counted in this text; a text changed since then is
  // left alone.
  if (edit->text() != offered_for_) return;
  const Completion chosen = offered_[static_cast<size_t>(row)];
  choosing_ = true;
  // An edit of the text, not a new text: Ctrl+Z takes the completion back.
  edit->setSelection(chosen.from, chosen.to - chosen.from);
  edit->insert(chosen.replacement);
  edit->setCursorPosition(chosen.caret);
  choosing_ = false;
}

}  // namespace korvex
