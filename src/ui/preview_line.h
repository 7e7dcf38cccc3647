// The line under an input that shows what Enter would give: the answer, a
// failure in a quieter colour, or a small sketch of the curve beside its y
// extent.
#pragma once

#include <vector>

#include <QString>
#include <QWidget>

#include "core/preview.h"

namespace korvex {

class PreviewLine : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewLine(QWidget* parent);

  void Show(const Preview& preview);
  void Clear();

  Preview::Kind kind() const { return kind_; }
  const QString& text() const { return text_; }
  const std::vector<ChartPoint>& sketch() const { return sketch_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Preview::Kind kind_ = Preview::Kind::kNothing;
  QString text_;
  std::vector<ChartPoint> sketch_;
};

}  // namespace korvex
