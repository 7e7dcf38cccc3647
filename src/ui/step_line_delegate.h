// Painting the Solution window's step lines, of which the first ones of a
// long solve are megabytes long.
#pragma once

#include <QFontMetricsF>
#include <QStringView>
#include <QStyledItemDelegate>
#include <array>

namespace korvex {

// The width of a text as the sum of its characters' widths: linear and
// cheap where laying the text out shapes every glyph of it. Close to the
// laid-out width, without kerning.
class CharacterAdvances {
 public:
  explicit CharacterAdvances(const QFont& font);
  // The width of the character at `index` (a pair of units beyond the first
  // plane is one); `index` moves past it.
  qreal Next(QStringView text, qsizetype& index) const;
  qreal Width(QStringView text) const;

 private:
  QFontMetricsF metrics_;
  std::array<qreal, 128> ascii_;
};

// A short line is painted as any item's text. A long one would be laid out
// whole on every paint, seconds for a line of megabytes: only the part that
// stands in the view is drawn, where the whole line would have put it.
class StepLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace korvex
