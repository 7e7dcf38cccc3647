// Drawing of one completion entry.
#include "ui/completion_delegate.h"

#include <QApplication>
#include <QPainter>

namespace korvex {
namespace {

// How far the description's ink moves from the text colour towards the
// background: quieter than the signature, still well readable.
constexpr float kDescriptionFade = 0.35F;

QColor Between(const QColor& from, const QColor& to, float share) {
  auto mix = [share](float a, float b) { return a + (b - a) * share; };
  return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                          mix(from.blueF(), to.blueF()));
}

// The description's ink: on a selected row the highlighted text itself,
// elsewhere the text colour drawn part way towards the background.
QColor DescriptionInk(const QPalette& palette, QPalette::ColorGroup group, bool selected) {
  if (selected) return palette.color(group, QPalette::HighlightedText);
  return Between(palette.color(group, QPalette::Text), palette.color(group, QPalette::Base),
                 kDescriptionFade);
}

}  // namespace

void CompletionDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  // The style draws the row (selection, hover, focus) without its text.
  item.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

  const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                             : QPalette::Inactive;
  const QString label = index.data(kLabelRole).toString();
  const QString description = index.data(kDescriptionRole).toString();

  painter->save();
  QFont bold = option.font;
  bold.setBold(true);
  const QFontMetrics bold_metrics(bold);
  const QString shown_label = bold_metrics.elidedText(label, Qt::ElideRight, area.width());
  painter->setFont(bold);
  painter->setPen(
      option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown_label);

  const int used = bold_metrics.horizontalAdvance(shown_label);
  if (!description.isEmpty() && used < area.width()) {
    const QRect rest = area.adjusted(used, 0, 0, 0);
    const QString shown =
        QFontMetrics(option.font)
            .elidedText(QStringLiteral(" - ") + description, Qt::ElideRight, rest.width());
    painter->setFont(option.font);
    painter->setPen(DescriptionInk(option.palette, group, selected));
    painter->drawText(rest, Qt::AlignLeft | Qt::AlignVCenter, shown);
  }
  painter->restore();
}

}  // namespace korvex
