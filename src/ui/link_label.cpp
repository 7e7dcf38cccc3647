// The link label's hover style, cursor and click.
#include "ui/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace korvex {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setForegroundRole(QPalette::Link);
  // Reachable from the keyboard too; Space or Enter acts like a click.
  setFocusPolicy(Qt::TabFocus);
  setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  SetUnderlined(false);
}

void LinkLabel::SetUnderlined(bool underlined) {
  QFont style = font();
  style.setBold(false);
  style.setItalic(false);
  style.setStrikeOut(false);
  style.setOverline(false);
  style.setUnderline(underlined);
  setFont(style);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  SetUnderlined(true);
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  SetUnderlined(false);
  pressed_ = false;
  QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

// Like a button: the click counts when the mouse goes up over the label it
// went down on.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    event->accept();
    if (rect().contains(event->position().toPoint())) emit clicked();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      emit clicked();
      return;
    default:
      QLabel::keyPressEvent(event);
  }
}

}  // namespace korvex
