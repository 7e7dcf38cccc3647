// The solved expression's box: the text in bounded lines, places turned into
// positions of the box, and copies that leave out the lines it started.
#include "ui/solved_expression_view.h"

#include <QEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

namespace korvex {
namespace {

// Laying out a line this long is quick; a text of megabytes becomes
// thousands of them, of which the box lays out the few it shows.
constexpr qsizetype kLineLength = 1024;

// A carriage return before a line feed would be taken as one break with it,
// and the box would count one position fewer than the text.
constexpr char16_t kCarriageReturnSymbol = u'\u240D';

template <typename T, typename V>
qsizetype CountBelow(const std::vector<T>& sorted, V value) {
  return std::lower_bound(sorted.begin(), sorted.end(), static_cast<T>(value)) - sorted.begin();
}

template <typename T, typename V>
qsizetype CountUpTo(const std::vector<T>& sorted, V value) {
  return std::upper_bound(sorted.begin(), sorted.end(), static_cast<T>(value)) - sorted.begin();
}

}  // namespace

SolvedExpressionView::SolvedExpressionView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAnywhere);
  const int margins = 2 * (frameWidth() + static_cast<int>(document()->documentMargin()));
  setFixedHeight(3 * fontMetrics().lineSpacing() + margins);
}

void SolvedExpressionView::SetText(const std::string& text) {
  text_ = QString::fromStdString(text);
  wide_characters_.clear();
  line_starts_.clear();
  break_positions_.clear();
  highlighted_.clear();
  QString shown;
  shown.reserve(text_.size() + text_.size() / kLineLength + 1);
  std::size_t character = 0;
  qsizetype line_start = 0;
  for (qsizetype unit = 0; unit < text_.size(); ++character) {
    const bool pair = text_[unit].isHighSurrogate() && unit + 1 < text_.size() &&
                      text_[unit + 1].isLowSurrogate();
    const qsizetype width = pair ? 2 : 1;
    if (pair) wide_characters_.push_back(character);
    // A pair stays on one line.
    if (unit + width - line_start > kLineLength) {
      break_positions_.push_back(static_cast<int>(unit + line_starts_.size()));
      line_starts_.push_back(unit);
      shown += QChar(QChar::ParagraphSeparator);
      line_start = unit;
    }
    for (qsizetype k = 0; k < width; ++k, ++unit)
      shown += text_[unit] == u'\r' ? QChar(kCarriageReturnSymbol) : text_[unit];
  }
  setExtraSelections({});
  setPlainText(shown);
}

qsizetype SolvedExpressionView::Unit(std::size_t character) const {
  const auto characters = static_cast<std::size_t>(text_.size()) - wide_characters_.size();
  if (character >= characters) return text_.size();
  return static_cast<qsizetype>(character) + CountBelow(wide_characters_, character);
}

// A place that starts where the box started a line starts on that line; one
// that ends there ends on the line before.
int SolvedExpressionView::StartPosition(std::size_t character) const {
  const qsizetype unit = Unit(character);
  return static_cast<int>(unit + CountUpTo(line_starts_, unit));
}

int SolvedExpressionView::EndPosition(std::size_t character) const {
  const qsizetype unit = Unit(character);
  return static_cast<int>(unit + CountBelow(line_starts_, unit));
}

qsizetype SolvedExpressionView::TextUnit(int position) const {
  return std::clamp<qsizetype>(position - CountBelow(break_positions_, position), 0, text_.size());
}

void SolvedExpressionView::Highlight(std::span<const SourceRange> places) {
  highlighted_.assign(places.begin(), places.end());
  ShowHighlight();
}

void SolvedExpressionView::ShowHighlight() {
  QTextCharFormat format;
  format.setBackground(palette().color(QPalette::Active, QPalette::Highlight));
  format.setForeground(palette().color(QPalette::Active, QPalette::HighlightedText));
  QList<QTextEdit::ExtraSelection> selections;
  for (const SourceRange& place : highlighted_) {
    QTextCursor cursor(document());
    cursor.setPosition(StartPosition(place.start));
    cursor.setPosition(std::max(EndPosition(place.end), cursor.position()),
                       QTextCursor::KeepAnchor);
    selections.append({cursor, format});
  }
  setExtraSelections(selections);
  if (selections.isEmpty()) return;
  // The end first, then the start: both come into view when they fit.
  QTextCursor caret(document());
  caret.setPosition(selections.front().cursor.selectionEnd());
  setTextCursor(caret);
  ensureCursorVisible();
  caret.setPosition(selections.front().cursor.selectionStart());
  setTextCursor(caret);
  ensureCursorVisible();
}

QMimeData* SolvedExpressionView::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  const qsizetype start = TextUnit(cursor.selectionStart());
  const qsizetype end = TextUnit(cursor.selectionEnd());
  auto* data = new QMimeData;
  data->setText(text_.mid(start, end - start));
  return data;
}

void SolvedExpressionView::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && !highlighted_.empty()) ShowHighlight();
}

}  // namespace korvex
