// Character widths summed, and long step lines drawn by the part in view.
#include "ui/step_line_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <utility>

namespace korvex {
namespace {

// Lines up to this many units are laid out as usual: quick, and kerned.
constexpr qsizetype kLongLine = 2000;

}  // namespace

CharacterAdvances::CharacterAdvances(const QFont& font) : metrics_(font) {
  for (std::size_t c = 0; c < ascii_.size(); ++c)
    ascii_[c] = metrics_.horizontalAdvance(QChar(static_cast<char16_t>(c)));
}

qreal CharacterAdvances::Next(QStringView text, qsizetype& index) const {
  const char16_t unit = text[index].unicode();
  if (unit < ascii_.size()) {
    ++index;
    return ascii_[unit];
  }
  const qsizetype length =
      QChar::isHighSurrogate(unit) && index + 1 < text.size() && text[index + 1].isLowSurrogate()
          ? 2
          : 1;
  const qreal width = metrics_.horizontalAdvance(text.mid(index, length).toString());
  index += length;
  return width;
}

qreal CharacterAdvances::Width(QStringView text) const {
  qreal width = 0;
  for (qsizetype index = 0; index < text.size();) width += Next(text, index);
  return width;
}

void StepLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem item(option);
  initStyleOption(&item, index);
  const auto* view = qobject_cast<const QAbstractItemView*>(item.widget);
  if (item.text.size() <= kLongLine || view == nullptr) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const QString text = std::exchange(item.text, QString());
  const QStyle* style = view->style();
  // Background, selection and focus as for any item, without the text.
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, view);

  // The text starts after the margin the style keeps beside an item's text.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
  const QRect line = item.rect.adjusted(margin, 0, -margin, 0);
  const QRect shown = view->viewport()->rect().intersected(item.rect);
  const qreal from = shown.left() - line.left();
  const qreal to = shown.right() + 1 - line.left();
  const CharacterAdvances advances(item.font);
  qsizetype at = 0;
  qreal x = 0;
  qsizetype first = 0;
  qreal first_x = 0;
  // The characters wholly left of the view are skipped, those after it
  // never measured.
  while (at < text.size() && x < to) {
    const qreal width = advances.Next(text, at);
    if (x + width <= from) {
      first = at;
      first_x = x + width;
    }
    x += width;
  }

  QPalette::ColorGroup group =
      item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !(item.state & QStyle::State_Active)) group = QPalette::Inactive;
  const bool selected = item.state & QStyle::State_Selected;
  painter->save();
  painter->setClipRect(line, Qt::IntersectClip);
  painter->setFont(item.font);
  painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  const QFontMetricsF metrics(item.font);
  const qreal baseline = line.top() + (line.height() - metrics.height()) / 2 + metrics.ascent();
  painter->drawText(QPointF(line.left() + first_x, baseline), text.mid(first, at - first));
  painter->restore();
}

}  // namespace korvex
