// Vector drawings of the tool pictures on a 24-unit grid.
#include "ui/tool_icons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace korvex {
namespace {

// The three inks of the pictures, dark for a light palette and light for a
// dark one, so the pictures read on either.
struct Inks {
  QColor ink;
  QColor green;
  QColor red;
};
constexpr int kDarkBelowLightness = 128;

Inks InksFor(const QPalette& palette) {
  if (palette.color(QPalette::Button).lightness() < kDarkBelowLightness)
    return {QColor(0xb4, 0xcb, 0xe8), QColor(0x6c, 0xd0, 0x7a), QColor(0xf2, 0x7d, 0x6e)};
  return {QColor(0x33, 0x4a, 0x66), QColor(0x2e, 0x8b, 0x3d), QColor(0xc0, 0x39, 0x2b)};
}

void DrawArrow(QPainter& p, bool up, const QColor& ink) {
  QPainterPath path;
  const qreal tip = up ? 4 : 20, base = up ? 13 : 11;
  path.moveTo(12, tip);
  path.lineTo(20, base);
  path.lineTo(15, base);
  path.lineTo(15, up ? 20 : 4);
  path.lineTo(9, up ? 20 : 4);
  path.lineTo(9, base);
  path.lineTo(4, base);
  path.closeSubpath();
  p.fillPath(path, ink);
}

void DrawPicture(QPainter& p, ToolPicture picture, const Inks& inks) {
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(inks.ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  switch (picture) {
    case ToolPicture::kUp:
    case ToolPicture::kDown:
      DrawArrow(p, picture == ToolPicture::kUp, inks.ink);
      break;
    case ToolPicture::kEdit: {
      QPainterPath pencil;
      pencil.moveTo(5, 19);
      pencil.lineTo(6, 15);
      pencil.lineTo(16, 5);
      pencil.lineTo(19, 8);
      pencil.lineTo(9, 18);
      pencil.closeSubpath();
      p.drawPath(pencil);
      p.drawLine(QPointF(14, 7), QPointF(17, 10));
      break;
    }
    case ToolPicture::kCheck:
      p.setPen(QPen(inks.green, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(5, 12.5), QPointF(10, 17.5), QPointF(19, 6.5)}));
      break;
    case ToolPicture::kDelete:
      p.setPen(QPen(inks.red, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(6, 6), QPointF(18, 18));
      p.drawLine(QPointF(18, 6), QPointF(6, 18));
      break;
    case ToolPicture::kInsertLog:
      p.drawRoundedRect(QRectF(4, 3, 16, 18), 2, 2);
      for (qreal y : {8.0, 12.0, 16.0}) p.drawLine(QPointF(8, y), QPointF(16, y));
      break;
    case ToolPicture::kSimpleMode:
      p.drawRoundedRect(QRectF(3, 7, 18, 10), 1.5, 1.5);
      p.drawLine(QPointF(3, 10.5), QPointF(21, 10.5));
      break;
    case ToolPicture::kSolve:
      p.setPen(QPen(inks.green, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(6, 9), QPointF(18, 9));
      p.drawLine(QPointF(6, 15), QPointF(18, 15));
      break;
    case ToolPicture::kStandardMode:
      p.drawRoundedRect(QRectF(3, 3, 18, 18), 1.5, 1.5);
      p.drawLine(QPointF(3, 7.5), QPointF(21, 7.5));
      p.drawLine(QPointF(7, 12), QPointF(17, 12));
      p.drawLine(QPointF(7, 16), QPointF(17, 16));
      break;
  }
}

// Paints the picture at whatever size and scale the icon is asked for.
class PictureEngine : public QIconEngine {
 public:
  explicit PictureEngine(ToolPicture picture) : picture_(picture) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 24.0, rect.height() / 24.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    // Painted anew each time, so a change of the desktop's palette shows.
    DrawPicture(*painter, picture_, InksFor(QGuiApplication::palette()));
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap image(size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return image;
  }
  QIconEngine* clone() const override { return new PictureEngine(picture_); }

 private:
  ToolPicture picture_;
};

}  // namespace

QIcon ToolIcon(ToolPicture picture) { return QIcon(new PictureEngine(picture)); }

}  // namespace korvex
