// The eliding label: painting the shortened text and keeping its tool tip.
#include "ui/elided_label.h"

#include <QPainter>
#include <QStyle>

namespace korvex {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void ElidedLabel::ShowText(const QString& text) {
  setText(text);
  RefreshToolTip();
}

int ElidedLabel::TextWidth() const { return contentsRect().width() - 2 * margin(); }

bool ElidedLabel::elided() const { return fontMetrics().horizontalAdvance(text()) > TextWidth(); }

QSize ElidedLabel::minimumSizeHint() const {
  return QSize(minimumWidth(), QLabel::minimumSizeHint().height());
}

void ElidedLabel::RefreshToolTip() { setToolTip(elided() ? text() : QString()); }

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  RefreshToolTip();
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  drawFrame(&painter);
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                        palette(), isEnabled(), shown, foregroundRole());
}

}  // namespace korvex
