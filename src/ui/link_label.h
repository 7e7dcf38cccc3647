// LinkLabel: a text label that acts as a link, underlined while the mouse is
// over it, with a pointing-hand cursor.
#pragma once

#include <QLabel>

namespace korvex {

class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Hover sets the style to exactly underline and leaving clears every
  // style, whatever the font carried before.
  void SetUnderlined(bool underlined);

  bool pressed_ = false;
};

}  // namespace korvex
