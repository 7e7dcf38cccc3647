// The colours of an input line: each token in the colour of its kind, the
// bracket paired with the one at the caret highlighted, and wavy lines under
// unknown names, unbalanced brackets and the place the preview failed at.
// What is what comes from the engine's scanner (ClassifyInput).
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QList>
#include <QObject>
#include <QTextLayout>

#include "engine/input_tokens.h"

class QLineEdit;

namespace korvex {

class InputHighlighter : public QObject {
  Q_OBJECT

 public:
  // `names` says, at each change, what names stand for now (the catalogues,
  // the user variables, the plot variable while plotting).
  InputHighlighter(QLineEdit* edit, std::function<InputNames()> names);

  // The place a preview of the present text failed at; a new text drops it.
  void set_failure_place(const std::optional<SourceRange>& place);
  // Classifies the text again (the names changed).
  void Refresh();

  const std::vector<InputToken>& tokens() const { return tokens_; }
  // What is drawn, in UTF-16 units of the text: the tokens of the part
  // around the caret that can be in view, and the pair of brackets there.
  const QList<QTextLayout::FormatRange>& formats() const { return formats_; }

  // The colour of a kind on a base of `base` (light or dark).
  static QColor KindColour(InputTokenKind kind, const QPalette& palette);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TextChanged();
  void Apply();

  QLineEdit* edit_;
  std::function<InputNames()> names_;
  std::vector<InputToken> tokens_;
  std::optional<SourceRange> failure_place_;
  QList<QTextLayout::FormatRange> formats_;
};

}  // namespace korvex
