// Candidates for the input's completion and the pop-up that offers them.
#include "ui/input_completion.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

namespace korvex {
namespace {

// The scanner ends a name at digits, separators, operators, brackets,
// blanks and the start of a literal.
bool IsNameCharacter(QChar c) {
  static const QString kBreaks = QStringLiteral(",.+-*/^()[];{} ");
  return !c.isDigit() && !kBreaks.contains(c);
}

}  // namespace

std::vector<Completion> CompletionCandidates(const QString& text, int caret,
                                             const QStringList& names, const QStringList& history) {
  std::vector<Completion> candidates;
  caret = std::clamp(caret, 0, static_cast<int>(text.size()));
  if (caret == text.size() && !text.isEmpty()) {
    for (const QString& item : history) {
      if (item.size() > text.size() && item.startsWith(text))
        candidates.push_back({item, item, static_cast<int>(item.size())});
    }
  }
  int start = caret;
  while (start > 0 && IsNameCharacter(text[start - 1])) --start;
  const QString typed = text.mid(start, caret - start);
  if (typed.isEmpty()) return candidates;
  QStringList matching;
  for (const QString& name : names)
    if (name.size() > typed.size() && name.startsWith(typed)) matching << name;
  matching.sort();
  matching.removeDuplicates();
  for (const QString& name : matching) {
    const QString completed = text.left(start) + name + text.mid(caret);
    if (std::any_of(candidates.begin(), candidates.end(),
                    [&](const Completion& c) { return c.shown == name; }))
      continue;
    candidates.push_back({name, completed, static_cast<int>(start + name.size())});
  }
  return candidates;
}

InputCompleter::InputCompleter(QComboBox* input) : QObject(input), input_(input) {
  model_ = new QStringListModel(this);
  completer_ = new QCompleter(model_, this);
  completer_->setWidget(input->lineEdit());
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setCaseSensitivity(Qt::CaseSensitive);
  connect(input->lineEdit(), &QLineEdit::textEdited, this, &InputCompleter::textEdited);
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
          &InputCompleter::Choose);
}

void InputCompleter::set_enabled(bool on) {
  enabled_ = on;
  if (!on) completer_->popup()->hide();
}

void InputCompleter::set_names(QStringList names) { names_ = std::move(names); }

bool InputCompleter::popup_visible() const { return completer_->popup()->isVisible(); }

void InputCompleter::textEdited() {
  if (!enabled_) return;
  QStringList history;
  for (int i = 0; i < input_->count(); ++i) history << input_->itemText(i);
  const QLineEdit* edit = input_->lineEdit();
  offered_ = CompletionCandidates(edit->text(), edit->cursorPosition(), names_, history);
  if (offered_.empty()) {
    completer_->popup()->hide();
    return;
  }
  QStringList shown;
  for (const Completion& completion : offered_) shown << completion.shown;
  model_->setStringList(shown);
  completer_->complete();
}

void InputCompleter::Choose(const QString& shown) {
  const auto chosen = std::find_if(offered_.begin(), offered_.end(),
                                   [&](const Completion& c) { return c.shown == shown; });
  if (chosen == offered_.end()) return;
  QLineEdit* edit = input_->lineEdit();
  edit->setText(chosen->text);
  edit->setCursorPosition(chosen->caret);
}

}  // namespace korvex
