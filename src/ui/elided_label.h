// A label that never cuts its text silently: when the text is wider than
// the label it ends in "..." and the whole text becomes the tool tip.
#pragma once

#include <QLabel>

namespace korvex {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // Use this rather than setText, so the tool tip follows the text.
  void ShowText(const QString& text);
  bool elided() const;

  // As narrow as its minimum width: the text shrinks, not the window grows.
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int TextWidth() const;
  void RefreshToolTip();
};

}  // namespace korvex
