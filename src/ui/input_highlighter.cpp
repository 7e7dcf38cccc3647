#include "ui/input_highlighter.h"

#include <algorithm>

#include <QCoreApplication>
#include <QEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPalette>

#include "ui/character_index.h"

namespace korvex {
namespace {

// Hue and saturation per kind; the lightness follows the base, so every
// colour keeps its contrast on a light and on a dark background. Operators
// keep the text colour: they are the quiet glue between the rest.
struct KindHue {
  int hue;
  int saturation;
};

KindHue HueOf(InputTokenKind kind) {
  switch (kind) {
    case InputTokenKind::kNumber:
      return {215, 200};
    case InputTokenKind::kConstant:
      return {285, 150};
    case InputTokenKind::kVariable:
      return {160, 200};
    case InputTokenKind::kFunction:
      return {30, 220};
    case InputTokenKind::kBracket:
      return {330, 160};
    case InputTokenKind::kLiteral:
      return {90, 170};
    case InputTokenKind::kOperator:
    case InputTokenKind::kUnknown:
      return {-1, 0};
  }
  return {-1, 0};
}

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Base).lightness() < 128; }

QColor MistakeColour(const QPalette& palette) {
  return IsDark(palette) ? QColor(255, 110, 100) : QColor(200, 30, 30);
}

}  // namespace

QColor InputHighlighter::KindColour(InputTokenKind kind, const QPalette& palette) {
  const KindHue hue = HueOf(kind);
  if (hue.hue < 0) return palette.color(QPalette::Text);
  return QColor::fromHsl(hue.hue, hue.saturation, IsDark(palette) ? 175 : 85);
}

InputHighlighter::InputHighlighter(QLineEdit* edit, std::function<InputNames()> names)
    : QObject(edit), edit_(edit), names_(std::move(names)) {
  connect(edit_, &QLineEdit::textChanged, this, &InputHighlighter::TextChanged);
  connect(edit_, &QLineEdit::cursorPositionChanged, this, &InputHighlighter::Apply);
  edit_->installEventFilter(this);
  TextChanged();
}

void InputHighlighter::set_failure_place(const std::optional<SourceRange>& place) {
  failure_place_ = place;
  Apply();
}

void InputHighlighter::Refresh() {
  tokens_ = ClassifyInput(edit_->text().toStdString(), names_());
  Apply();
}

void InputHighlighter::TextChanged() {
  failure_place_.reset();
  Refresh();
}

bool InputHighlighter::eventFilter(QObject* watched, QEvent* event) {
  // A new palette changes the colours; a wider line shows more of the text.
  if (watched == edit_ &&
      (event->type() == QEvent::PaletteChange || event->type() == QEvent::Resize))
    Apply();
  return QObject::eventFilter(watched, event);
}

void InputHighlighter::Apply() {
  const QString text = edit_->text();
  const QPalette& palette = edit_->palette();
  const std::vector<int> offsets = Utf16Offsets(text);
  const auto unit = [&offsets](std::size_t character) {
    return offsets[std::min(character, offsets.size() - 1)];
  };
  const auto range = [&](const SourceRange& place) {
    const int start = unit(place.start);
    return std::pair{start, std::max(unit(place.end), start) - start};
  };
  const auto wavy = [&](QTextCharFormat& format) {
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(MistakeColour(palette));
  };
  const std::size_t caret = CharacterIndex(text, edit_->cursorPosition());
  const std::size_t at_caret = BracketAtCaret(tokens_, caret);
  // A line edit keeps the caret in view and shows at most a width's worth
  // of characters (none narrower than two pixels) around it; the text layout
  // pays for every format range on every change, so only those are drawn.
  const std::size_t reach = static_cast<std::size_t>(std::max(edit_->width(), 200) / 2);
  const std::size_t from = caret > reach ? caret - reach : 0;
  const std::size_t to = caret + reach;
  QList<QTextLayout::FormatRange> formats;
  for (std::size_t i = 0; i < tokens_.size(); ++i) {
    const InputToken& token = tokens_[i];
    const bool in_view = token.place.end >= from && token.place.start <= to;
    if (!in_view && i != at_caret &&
        (at_caret == InputToken::kNoPartner || i != tokens_[at_caret].partner))
      continue;
    QTextLayout::FormatRange format;
    std::tie(format.start, format.length) = range(token.place);
    format.format.setForeground(KindColour(token.kind, palette));
    const bool unbalanced =
        token.kind == InputTokenKind::kBracket && token.partner == InputToken::kNoPartner;
    if (token.kind == InputTokenKind::kUnknown || unbalanced) wavy(format.format);
    const bool paired = at_caret != InputToken::kNoPartner &&
                        (i == at_caret || i == tokens_[at_caret].partner) && !unbalanced;
    if (paired) {
      format.format.setBackground(palette.color(QPalette::Highlight));
      format.format.setForeground(palette.color(QPalette::HighlightedText));
    }
    formats << format;
  }
  if (failure_place_) {
    QTextLayout::FormatRange format;
    std::tie(format.start, format.length) = range(*failure_place_);
    // An empty place (the end of the text) still gets a mark to see.
    if (format.length == 0 && format.start > 0) {
      --format.start;
      format.length = 1;
    }
    wavy(format.format);
    if (format.length > 0) formats << format;
  }
  formats_ = formats;
  // A line edit draws formats only as an input method's attributes, counted
  // from the caret.
  QList<QInputMethodEvent::Attribute> attributes;
  const int cursor = edit_->cursorPosition();
  for (const QTextLayout::FormatRange& format : formats)
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, format.start - cursor,
                                               format.length, format.format);
  QInputMethodEvent event(QString(), attributes);
  QCoreApplication::sendEvent(edit_, &event);
}

}  // namespace korvex
