// ChartView: the QCustomPlot drawing of the chart model, shared by the Graph
// window and the graph's exports (clipboard, PNG, SVG, PDF, CSV points).
#pragma once

#include <QByteArray>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <qcustomplot.h>

#include "plot/chart_model.h"

namespace korvex {

// The model's 0x00BBGGRR colours and Qt's.
QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);

class DepthWall;

// The sample nearest to a position of the plot.
struct TracedSample {
  std::size_t number;  // series number, 1-based
  double x;
  double y;
};

class ChartView : public QCustomPlot {
  Q_OBJECT

 public:
  // Watches `model`, which must outlive the view: each burst of changes
  // becomes one redraw once control is back in the event loop, while the
  // view is visible, else when it is shown.
  explicit ChartView(const ChartModel& model, QWidget* parent = nullptr);
  ~ChartView() override;

  // Redraws when the model changed since the last drawing; true when it did.
  bool Sync();
  // The drawing shows the model's current revision.
  bool in_sync() const { return drawn_ && model_.revision() == revision_; }
  // The model changed in a way the drawing does not show (the legend's
  // visibility, which only exports draw): no redraw, so zoom and pan stay.
  void AcceptRevision() { revision_ = model_.revision(); }
  // Draws the model anew: series, axes, colours, 3D, and the ranges of the
  // chart settings (a zoom or pan is forgotten). Emits rebuilt().
  void Rebuild();
  // The ranges of the chart settings: manual limits, or for an automatic
  // axis the span of the visible series rounded out to ticks.
  void ResetRanges();

  // The legend's check boxes: hidden series stay in the model.
  void SetSeriesVisible(std::size_t number, bool visible);
  bool SeriesVisible(std::size_t number) const;

  // Depth of the 3D view in pixels for the current size; 0 in 2D.
  int depth_pixels() const { return depth_pixels_; }
  std::optional<TracedSample> NearestSample(const QPointF& position) const;

  // The graph as it would print: no trace marker, the legend below the plot
  // while "Show legend" is on. An empty size means the view's own size.
  // `scale` > 1 draws the same picture with that many pixels per unit.
  QImage RenderImage(QSize size = QSize(), double scale = 1.0);
  // Curves clipped to the plot area, whatever the zoom.
  QByteArray RenderSvg(QSize size = QSize());
  bool SavePdfFile(const QString& path, QSize size = QSize());

 signals:
  // The series, their titles or their look may differ from before.
  void rebuilt();
  // The mouse moved over the plot: the nearest sample as "title   x = ...
  // y = ...", or an empty text when there is none.
  void traceChanged(const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The drawing as it stands (the visible layers) in SVG at `size`.
  QByteArray SvgDrawing(QSize size);
  class ExportLook;
  void UpdateDepth(QSize size);
  void ApplyAxis(QCPAxis* axis, const ChartAxis& settings);
  void ModelChanged();
  // The queued redraw; `throttled` for points appended by a running plot.
  void RedrawWhenDue(bool throttled);
  // The points appended since the drawing, added to its graphs.
  void AppendNewPoints();
  void Trace(const QPointF& position);

  const ChartModel& model_;
  ChartModel::Subscription subscription_;
  std::uint64_t revision_ = 0;
  std::uint64_t shape_revision_ = 0;
  bool drawn_ = false;
  bool redraw_queued_ = false;
  QElapsedTimer since_throttled_redraw_;
  // Per series number - 1; kept across redraws while the series stays.
  std::vector<bool> hidden_;
  std::vector<std::string> drawn_titles_;
  // Points of each series in the drawing.
  std::vector<std::size_t> drawn_counts_;
  int depth_pixels_ = 0;
  DepthWall* wall_;
  QCPItemTracer* tracer_;
};

}  // namespace korvex
