// The chart model drawn with QCustomPlot: series, axes, grids, the 3D depth,
// mouse zoom, pan and trace, and the renderings the exports use.
#include "ui/chart_view.h"

#include <QBuffer>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/number_text.h"
#include "plot/fitted_range.h"
#include "plot/series_palette.h"

namespace korvex {

// The back wall, left wall and floor of the 3D view, behind the grids and
// the series.
class DepthWall : public QCPLayerable {
 public:
  DepthWall(ChartView* view, const QString& layer) : QCPLayerable(view, layer), view_(view) {}
  void set_colour(const QColor& colour) { colour_ = colour; }

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
    applyAntialiasingHint(painter, mAntialiased, QCP::aeOther);
  }
  void draw(QCPPainter* painter) override;

 private:
  ChartView* view_;
  QColor colour_ = Qt::white;
};

namespace {

constexpr int kDepthDivisor = 400;  // 100 % depth is a quarter of the plot's smaller side
// Room above and right of the axes, so the labels at the ends of the axes
// are not cut off.
constexpr int kEdgeMargin = 14;
constexpr int kMarkerSize = 6;
// A redraw copies every point of every series; while a plot fills the chart
// from the worker, a few redraws a second show it growing.
constexpr qint64 kThrottledRedrawMs = 250;
constexpr int kTracerSize = 9;
constexpr int kMinimumExportWidth = 320;
constexpr int kMinimumExportHeight = 240;
constexpr QSize kFallbackExportSize(800, 600);
// The exported legend: a row of entries as wide as the picture allows, the
// row only as tall as its entries.
constexpr int kLegendSideRoom = 40;
constexpr int kLegendColumnGap = 16;
constexpr double kLegendRowStretch = 0.001;
constexpr int kLegendBottomRoom = 6;
const char* const kDepthLayer = "depth";
const char* const kTraceLayer = "overlay";

// Each series is drawn as a ribbon in 3D: its line, a copy moved back by the
// depth, and the band between them.
class SeriesGraph : public QCPGraph {
 public:
  explicit SeriesGraph(ChartView* view) : QCPGraph(view->xAxis, view->yAxis), view_(view) {}

 protected:
  void drawFill(QCPPainter* painter, QVector<QPointF>* lines) const override {
    QCPGraph::drawFill(painter, lines);
    const int depth = view_->depth_pixels();
    if (depth <= 0 || lines->isEmpty()) return;
    const QPointF back(depth, -depth);
    QColor band = pen().color();
    band.setAlpha(96);
    painter->setPen(QPen(pen().color().darker(125), 0));
    painter->setBrush(band);
    for (const QCPDataRange& segment : getNonNanSegments(lines, keyAxis()->orientation())) {
      QPolygonF ribbon;
      ribbon.reserve(2 * segment.size());
      for (int i = segment.begin(); i < segment.end(); ++i) ribbon << lines->at(i);
      for (int i = segment.end() - 1; i >= segment.begin(); --i) ribbon << lines->at(i) + back;
      painter->drawPolygon(ribbon);
    }
  }

 private:
  ChartView* view_;
};

QCPRange ToQCPRange(ValueRange range) { return QCPRange(range.minimum, range.maximum); }

// Ticks of a linear axis. At the range the axis was fitted to, the tick step
// is the one the range was rounded out with, so the outer ticks sit on the
// rounded ends; once the user zooms or pans, the usual choice.
class FittedTicker : public QCPAxisTicker {
 public:
  void Fit(const QCPRange& range, double step) {
    fitted_ = range;
    step_ = step;
  }

 protected:
  double getTickStep(const QCPRange& range) override {
    return step_ > 0 && range == fitted_ ? step_ : QCPAxisTicker::getTickStep(range);
  }

 private:
  QCPRange fitted_;
  double step_ = 0;
};

void FitAxisRange(QCPAxis* axis, const AxisFit& fit) {
  const QCPRange range = ToQCPRange(fit.range);
  axis->setRange(range);
  if (const auto ticker = axis->ticker().dynamicCast<FittedTicker>())
    ticker->Fit(axis->range(), fit.tick_step);
}

QString NumberText(double value) {
  return QString::fromStdString(FloatToStr(static_cast<long double>(value)));
}

}  // namespace

void DepthWall::draw(QCPPainter* painter) {
  const int depth = view_->depth_pixels();
  if (depth <= 0) return;
  const QRectF front = view_->axisRect()->rect();
  const QPointF back(depth, -depth);
  const QRectF wall = front.translated(back);
  painter->setPen(QPen(colour_.darker(140), 0));
  painter->setBrush(colour_.darker(112));
  painter->drawPolygon(
      QPolygonF({front.topLeft(), wall.topLeft(), wall.bottomLeft(), front.bottomLeft()}));
  painter->drawPolygon(
      QPolygonF({front.bottomLeft(), wall.bottomLeft(), wall.bottomRight(), front.bottomRight()}));
  painter->setBrush(colour_);
  painter->drawRect(wall);
}

QColor ToQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour FromQColor(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// While an export renders: the trace marker hidden, the legend, when it is
// shown, in rows of entries below the plot where it covers no data;
// afterwards the view lays itself out again.
class ChartView::ExportLook {
 public:
  ExportLook(ChartView& view, QSize size) : view_(view), tracer_(view.tracer_->visible()) {
    view.tracer_->setVisible(false);
    if (view.model_.legend_visible() && view.legend->itemCount() > 0) PlaceLegendBelow(size);
    view.UpdateDepth(size);
  }
  ~ExportLook() {
    if (legend_row_) {
      // Hidden outside exports, the legend waits in its default place; an
      // empty row below the plot would take room from it.
      QCPLegend* legend = view_.legend;
      legend->setVisible(false);
      legend_row_->take(legend);
      view_.plotLayout()->remove(legend_row_);
      view_.plotLayout()->simplify();
      legend->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
      legend->setWrap(0);
      legend->setFillOrder(QCPLayoutGrid::foRowsFirst, true);
      view_.axisRect()->insetLayout()->addElement(legend, Qt::AlignRight | Qt::AlignTop);
    }
    view_.tracer_->setVisible(tracer_);
    view_.UpdateDepth(view_.size());
    view_.replot();
  }
  ExportLook(const ExportLook&) = delete;
  ExportLook& operator=(const ExportLook&) = delete;

 private:
  void PlaceLegendBelow(QSize size) {
    QCPLegend* legend = view_.legend;
    int widest = 1;
    for (int i = 0; i < legend->itemCount(); ++i)
      widest = std::max(widest, legend->item(i)->minimumOuterSizeHint().width());
    const int columns = std::clamp((size.width() - kLegendSideRoom) / (widest + kLegendColumnGap),
                                   1, legend->itemCount());
    view_.axisRect()->insetLayout()->take(legend);
    legend->setColumnSpacing(kLegendColumnGap);
    legend->setWrap(columns);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
    // No wider than its entries, between two empty cells that share the
    // rest of the row: centred under the plot.
    legend->setMaximumSize(legend->minimumOuterSizeHint());
    legend->setSizeConstraintRect(QCPLayoutElement::scrOuterRect);
    legend_row_ = new QCPLayoutGrid;
    view_.plotLayout()->addElement(1, 0, legend_row_);
    view_.plotLayout()->setRowStretchFactor(1, kLegendRowStretch);
    legend_row_->addElement(0, 0, new QCPLayoutElement(&view_));
    legend_row_->addElement(0, 1, legend);
    legend_row_->addElement(0, 2, new QCPLayoutElement(&view_));
    legend_row_->setAutoMargins(QCP::msNone);
    legend_row_->setMargins(QMargins(0, 0, 0, kLegendBottomRoom));
    legend->setVisible(true);
  }

  ChartView& view_;
  bool tracer_;
  QCPLayoutGrid* legend_row_ = nullptr;
};

ChartView::ChartView(const ChartModel& model, QWidget* parent)
    : QCustomPlot(parent), model_(model) {
  setObjectName(QStringLiteral("graph"));
  setMinimumSize(240, 180);
  setMouseTracking(true);
  setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  setNoAntialiasingOnDrag(true);
  // Tick labels follow the calculator's number texts: decimal comma, no
  // grouping.
  QLocale comma(QLocale::German, QLocale::Germany);
  comma.setNumberOptions(QLocale::OmitGroupSeparator);
  setLocale(comma);
  legend->setVisible(false);

  addLayer(QString::fromLatin1(kDepthLayer), layer(QStringLiteral("background")), limAbove);
  wall_ = new DepthWall(this, QString::fromLatin1(kDepthLayer));
  // The trace marker moves with the mouse; its own buffer spares a full
  // replot of large series on every move.
  layer(QString::fromLatin1(kTraceLayer))->setMode(QCPLayer::lmBuffered);
  tracer_ = new QCPItemTracer(this);
  tracer_->setLayer(QString::fromLatin1(kTraceLayer));
  tracer_->setStyle(QCPItemTracer::tsCircle);
  tracer_->setSize(kTracerSize);
  tracer_->setVisible(false);
  subscription_ = model_.Subscribe([this] { ModelChanged(); });
  Rebuild();
}

ChartView::~ChartView() { model_.Unsubscribe(subscription_); }

void ChartView::ModelChanged() {
  // Runs after every change: the first change of a burst queues the
  // redraw, the others only find it queued. A running plot's batches are
  // drawn at most every few hundred milliseconds.
  if (!isVisible() || redraw_queued_) return;
  redraw_queued_ = true;
  const bool throttled = drawn_ && model_.shape_revision() == shape_revision_;
  QMetaObject::invokeMethod(
      this, [this, throttled] { RedrawWhenDue(throttled); }, Qt::QueuedConnection);
}

void ChartView::RedrawWhenDue(bool throttled) {
  if (throttled) {
    if (since_throttled_redraw_.isValid()) {
      const qint64 wait = kThrottledRedrawMs - since_throttled_redraw_.elapsed();
      if (wait > 0) {
        QTimer::singleShot(wait, this, [this] { RedrawWhenDue(true); });
        return;
      }
    }
    since_throttled_redraw_.start();
  }
  redraw_queued_ = false;
  if (isVisible()) Sync();
}

bool ChartView::Sync() {
  if (in_sync()) return false;
  if (drawn_ && model_.shape_revision() == shape_revision_)
    AppendNewPoints();
  else
    Rebuild();
  return true;
}

namespace {

void AppendGraphData(QVector<QCPGraphData>& data, std::span<const ChartPoint> points) {
  data.reserve(data.size() + static_cast<qsizetype>(points.size()));
  for (const ChartPoint& point : points)
    data.append(QCPGraphData(
        point.x, std::isfinite(point.y) ? point.y : std::numeric_limits<double>::quiet_NaN()));
}

bool SortedByKey(const QVector<QCPGraphData>& data) {
  return std::is_sorted(data.cbegin(), data.cend(),
                        [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; });
}

}  // namespace

void ChartView::AppendNewPoints() {
  QVector<QCPGraphData> data;
  const std::size_t count = std::min<std::size_t>(model_.series_count(), drawn_counts_.size());
  for (std::size_t number = 1; number <= count; ++number) {
    const std::vector<ChartPoint>& points = model_.series(number).points();
    std::size_t& drawn = drawn_counts_[number - 1];
    if (points.size() <= drawn) continue;
    data.resize(0);
    AppendGraphData(data, std::span(points).subspan(drawn));
    graph(static_cast<int>(number - 1))->data()->add(data, SortedByKey(data));
    drawn = points.size();
  }
  revision_ = model_.revision();
  ResetRanges();
}

void ChartView::Rebuild() {
  const std::size_t count = model_.series_count();
  std::vector<bool> hidden(count, false);
  for (std::size_t i = 0; i < count && i < drawn_titles_.size(); ++i)
    if (drawn_titles_[i] == model_.series(i + 1).title()) hidden[i] = hidden_[i];
  hidden_ = std::move(hidden);
  drawn_titles_.clear();
  drawn_counts_.clear();
  clearGraphs();

  QVector<QCPGraphData> data;
  for (std::size_t number = 1; number <= count; ++number) {
    const ChartSeries& series = model_.series(number);
    const SeriesAppearance& look = series.appearance();
    const QColor line = ToQColor(SeriesColour(number, look));
    auto* graph = new SeriesGraph(this);
    graph->setName(QString::fromStdString(series.title()));
    graph->setPen(QPen(line, 1));
    graph->setLineStyle(look.stairs ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
    graph->setScatterStyle(look.point_markers
                               ? QCPScatterStyle(QCPScatterStyle::ssCircle, line,
                                                 ToQColor(look.point_colour), kMarkerSize)
                               : QCPScatterStyle(QCPScatterStyle::ssNone));
    data.resize(0);
    AppendGraphData(data, series.points());
    graph->data()->set(data, SortedByKey(data));
    drawn_counts_.push_back(series.points().size());
    const bool visible = !hidden_[number - 1];
    graph->setVisible(visible);
    if (!visible) graph->removeFromLegend();
    drawn_titles_.push_back(series.title());
  }

  ApplyAxis(xAxis, model_.axis(AxisId::kBottom));
  ApplyAxis(yAxis, model_.axis(AxisId::kLeft));
  const QColor back = ToQColor(model_.back_colour());
  wall_->set_colour(back);
  UpdateDepth(size());
  tracer_->setVisible(false);
  revision_ = model_.revision();
  shape_revision_ = model_.shape_revision();
  drawn_ = true;
  ResetRanges();
  emit rebuilt();
}

void ChartView::ApplyAxis(QCPAxis* axis, const ChartAxis& settings) {
  axis->setRangeReversed(settings.inverted);
  if (settings.logarithmic) {
    axis->setScaleType(QCPAxis::stLogarithmic);
    auto ticker = QSharedPointer<QCPAxisTickerLog>::create();
    ticker->setLogBase(settings.log_base);
    axis->setTicker(ticker);
  } else {
    axis->setScaleType(QCPAxis::stLinear);
    if (!axis->ticker().dynamicCast<FittedTicker>())
      axis->setTicker(QSharedPointer<FittedTicker>::create());
  }
  const QColor grid = ToQColor(settings.grid_colour);
  axis->grid()->setVisible(settings.grid_visible);
  axis->grid()->setPen(QPen(grid, 0, Qt::DotLine));
  axis->grid()->setZeroLinePen(QPen(grid, 0, Qt::SolidLine));
}

void ChartView::UpdateDepth(QSize size) {
  depth_pixels_ = model_.view_3d()
                      ? static_cast<int>(
                            std::lround(static_cast<double>(std::min(size.width(), size.height())) *
                                        model_.depth_percent() / kDepthDivisor))
                      : 0;
  const int margin = depth_pixels_ + kEdgeMargin;
  axisRect()->setMinimumMargins(QMargins(0, margin, margin, 0));
  axisRect()->setBackground(depth_pixels_ > 0 ? QBrush(Qt::NoBrush)
                                              : QBrush(ToQColor(model_.back_colour())));
}

void ChartView::ResetRanges() {
  // Only what is drawn and checked in the legend: a series the model gained
  // since the last drawing waits for its redraw.
  const auto shown = [this](std::size_t number) { return SeriesVisible(number); };
  FitAxisRange(xAxis, FitAxis(model_, AxisId::kBottom, shown));
  FitAxisRange(yAxis, FitAxis(model_, AxisId::kLeft, shown));
  replot();
}

void ChartView::SetSeriesVisible(std::size_t number, bool visible) {
  if (number < 1 || number > hidden_.size() || number > static_cast<std::size_t>(graphCount()))
    return;
  hidden_[number - 1] = !visible;
  QCPGraph* one = graph(static_cast<int>(number - 1));
  one->setVisible(visible);
  if (visible) {
    one->addToLegend();
  } else {
    one->removeFromLegend();
  }
  tracer_->setVisible(false);
  ResetRanges();
}

bool ChartView::SeriesVisible(std::size_t number) const {
  return number >= 1 && number <= hidden_.size() && !hidden_[number - 1];
}

std::optional<TracedSample> ChartView::NearestSample(const QPointF& position) const {
  if (!axisRect()->rect().contains(position.toPoint())) return std::nullopt;
  const double key = xAxis->pixelToCoord(position.x());
  std::optional<TracedSample> best;
  double best_distance = std::numeric_limits<double>::infinity();
  for (int i = 0; i < graphCount(); ++i) {
    const QCPGraph* one = graph(i);
    if (!one->visible() || one->data()->isEmpty()) continue;
    const auto& data = *one->data();
    const auto begin = data.constBegin();
    const auto end = data.constEnd();
    const auto at = std::lower_bound(
        begin, end, key, [](const QCPGraphData& point, double k) { return point.key < k; });
    // The neighbours in x; on a steep stretch the next one may lie closer.
    const auto from = at - std::min<std::ptrdiff_t>(2, at - begin);
    const auto to = at + std::min<std::ptrdiff_t>(2, end - at);
    for (auto it = from; it != to; ++it) {
      if (!std::isfinite(it->value)) continue;
      const double dx = xAxis->coordToPixel(it->key) - position.x();
      const double dy = yAxis->coordToPixel(it->value) - position.y();
      const double distance = dx * dx + dy * dy;
      if (!(distance < best_distance)) continue;
      best_distance = distance;
      best = TracedSample{static_cast<std::size_t>(i) + 1, it->key, it->value};
    }
  }
  return best;
}

void ChartView::Trace(const QPointF& position) {
  const auto sample = NearestSample(position);
  if (!sample) {
    if (tracer_->visible()) {
      tracer_->setVisible(false);
      layer(QString::fromLatin1(kTraceLayer))->replot();
    }
    emit traceChanged(QString());
    return;
  }
  // The series may have gone since the drawing.
  if (sample->number > model_.series_count()) return;
  const ChartSeries& series = model_.series(sample->number);
  tracer_->position->setCoords(sample->x, sample->y);
  tracer_->setPen(
      QPen(ToQColor(SeriesColour(sample->number, series.appearance())).darker(150), 1.5));
  tracer_->setBrush(ToQColor(series.appearance().point_colour));
  tracer_->setVisible(true);
  layer(QString::fromLatin1(kTraceLayer))->replot();
  emit traceChanged(QString::fromStdString(series.title()) + QStringLiteral("   x = ") +
                    NumberText(sample->x) + QStringLiteral("   y = ") + NumberText(sample->y));
}

void ChartView::mousePressEvent(QMouseEvent* event) {
  // The left button pans; the right button, or Ctrl with the left, draws a
  // rectangle to zoom into.
  const bool zoom_rectangle =
      event->button() == Qt::RightButton ||
      (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier));
  setSelectionRectMode(zoom_rectangle ? QCP::srmZoom : QCP::srmNone);
  QCustomPlot::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
  QCustomPlot::mouseMoveEvent(event);
  if (event->buttons() == Qt::NoButton) Trace(event->position());
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  QCustomPlot::mouseDoubleClickEvent(event);
  ResetRanges();
}

void ChartView::leaveEvent(QEvent* event) {
  QCustomPlot::leaveEvent(event);
  if (tracer_->visible()) {
    tracer_->setVisible(false);
    layer(QString::fromLatin1(kTraceLayer))->replot();
  }
  emit traceChanged(QString());
}

void ChartView::resizeEvent(QResizeEvent* event) {
  UpdateDepth(event->size());
  QCustomPlot::resizeEvent(event);
}

void ChartView::showEvent(QShowEvent* event) {
  // Changes while hidden queued nothing.
  Sync();
  QCustomPlot::showEvent(event);
}

namespace {

QSize ExportSize(QSize requested, QSize own) {
  QSize size = requested.isEmpty() ? own : requested;
  if (size.width() < kMinimumExportWidth || size.height() < kMinimumExportHeight)
    size = kFallbackExportSize;
  return size;
}

}  // namespace

QImage ChartView::RenderImage(QSize size, double scale) {
  const QSize target = ExportSize(size, this->size());
  ExportLook look(*this, target);
  return toPixmap(target.width(), target.height(), scale).toImage();
}

QByteArray ChartView::SvgDrawing(QSize size) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(QStringLiteral("Graph"));
  QCPPainter painter;
  if (!painter.begin(&generator)) return QByteArray();
  painter.setMode(QCPPainter::pmVectorized);
  painter.setMode(QCPPainter::pmNoCaching);
  toPainter(&painter, size.width(), size.height());
  painter.end();
  return buffer.data();
}

QByteArray ChartView::RenderSvg(QSize size) {
  const QSize target = ExportSize(size, this->size());
  ExportLook look(*this, target);
  // The toolkit's SVG writer drops clip regions, so curves zoomed past the
  // axes would run over the tick labels and the legend. The frame and the
  // curves are drawn apart, and the curves clipped by the SVG itself. (The
  // curves hang below the axis rectangle, so parts are hidden, not layers.)
  std::vector<QCPLayerable*> curves;
  for (int i = 0; i < plottableCount(); ++i)
    if (plottable(i)->visible()) curves.push_back(plottable(i));
  for (QCPLayerable* curve : curves) curve->setVisible(false);
  QByteArray frame = SvgDrawing(target);
  for (QCPLayerable* curve : curves) curve->setVisible(true);
  // Laid out for the picture by the drawing above, until the next replot.
  const QRect area = axisRect()->rect();
  std::vector<QCPLayerable*> framing;
  for (QCPAxis* axis : axisRect()->axes())
    if (axis->visible()) framing.push_back(axis);
  if (legend->visible()) framing.push_back(legend);
  if (wall_->visible()) framing.push_back(wall_);
  for (QCPLayerable* part : framing) part->setVisible(false);
  const QBrush background = mBackgroundBrush;
  const QBrush area_background = axisRect()->background();
  setBackground(QBrush(Qt::NoBrush));
  axisRect()->setBackground(QBrush(Qt::NoBrush));
  const QByteArray drawn = SvgDrawing(target);
  setBackground(background);
  axisRect()->setBackground(area_background);
  for (QCPLayerable* part : framing) part->setVisible(true);

  const QByteArray defs_end = QByteArrayLiteral("</defs>");
  const QByteArray svg_end = QByteArrayLiteral("</svg>");
  const qsizetype body = drawn.indexOf(defs_end);
  const qsizetype body_end = drawn.lastIndexOf(svg_end);
  const qsizetype frame_end = frame.lastIndexOf(svg_end);
  if (body < 0 || body_end < body || frame_end < 0) return frame;
  const QByteArray clip =
      QStringLiteral(
          "<defs><clipPath id=\"plotarea\"><rect x=\"%1\" y=\"%2\" width=\"%3\" "
          "height=\"%4\"/></clipPath></defs>\n<g clip-path=\"url(#plotarea)\">")
          .arg(area.x())
          .arg(area.y())
          .arg(area.width())
          .arg(area.height())
          .toLatin1();
  const qsizetype from = body + defs_end.size();
  frame.insert(frame_end, clip + drawn.mid(from, body_end - from) + QByteArrayLiteral("</g>\n"));
  return frame;
}

bool ChartView::SavePdfFile(const QString& path, QSize size) {
  const QSize target = ExportSize(size, this->size());
  ExportLook look(*this, target);
  return savePdf(path, target.width(), target.height());
}

}  // namespace korvex
