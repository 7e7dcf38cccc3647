#include "ui/preview_line.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace korvex {
namespace {

constexpr int kSketchWidth = 160;
constexpr int kGap = 8;

}  // namespace

PreviewLine::PreviewLine(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("previewline"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize PreviewLine::sizeHint() const {
  return {kSketchWidth + kGap + 200, fontMetrics().height() + 6};
}

QSize PreviewLine::minimumSizeHint() const { return {0, fontMetrics().height() + 6}; }

void PreviewLine::Show(const Preview& preview) {
  kind_ = preview.kind;
  text_ = QString::fromStdString(preview.text);
  sketch_ = preview.points;
  setToolTip(text_);
  update();
}

void PreviewLine::Clear() { Show(Preview()); }

void PreviewLine::paintEvent(QPaintEvent* /*event*/) {
  if (kind_ == Preview::Kind::kNothing) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QRect text_area = rect().adjusted(2, 0, -2, 0);
  if (kind_ == Preview::Kind::kSketch && !sketch_.empty()) {
    const QRectF area(2, 2, kSketchWidth, height() - 4);
    double x_low = sketch_.front().x, x_high = sketch_.back().x;
    double y_low = INFINITY, y_high = -INFINITY;
    for (const ChartPoint& point : sketch_) {
      if (!std::isfinite(point.y)) continue;
      y_low = std::min(y_low, point.y);
      y_high = std::max(y_high, point.y);
    }
    if (std::isfinite(y_low) && x_high > x_low) {
      const double y_span = y_high > y_low ? y_high - y_low : 1;
      QPainterPath path;
      bool open = false;
      for (const ChartPoint& point : sketch_) {
        if (!std::isfinite(point.y)) {
          open = false;
          continue;
        }
        const QPointF at(area.left() + (point.x - x_low) / (x_high - x_low) * area.width(),
                         area.bottom() - (point.y - y_low) / y_span * area.height());
        if (open)
          path.lineTo(at);
        else
          path.moveTo(at);
        open = true;
      }
      painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
      painter.drawPath(path);
    }
    text_area.setLeft(kSketchWidth + kGap);
  }
  QFont font = painter.font();
  const bool failure = kind_ == Preview::Kind::kFailure;
  font.setItalic(failure);
  painter.setFont(font);
  painter.setPen(palette().color(
      failure || kind_ == Preview::Kind::kSketch ? QPalette::PlaceholderText : QPalette::Text));
  painter.drawText(text_area, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(text_, Qt::ElideRight, text_area.width()));
}

}  // namespace korvex
