// The chart model drawn with QCustomPlot: series, axes, grids, the 3D depth,
// mouse zoom, pan and trace, and the renderings the exports use.
#include "ui/chart_view.h"

#include <QBuffer>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/number_text.h"
#include "plot/fitted_range.h"

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

// While an export renders: the trace marker hidden, the legend drawn inside
// the plot when it is shown; afterwards the view lays itself out again.
class ChartView::ExportLook {
 public:
  ExportLook(ChartView& view, QSize size) : view_(view), tracer_(view.tracer_->visible()) {
    view.tracer_->setVisible(false);
    view.legend->setVisible(view.model_.legend_visible() && view.legend->itemCount() > 0);
    view.UpdateDepth(size);
  }
  ~ExportLook() {
    view_.legend->setVisible(false);
    view_.tracer_->setVisible(tracer_);
    view_.UpdateDepth(view_.size());
    view_.replot();
  }
  ExportLook(const ExportLook&) = delete;
  ExportLook& operator=(const ExportLook&) = delete;

 private:
  ChartView& view_;
  bool tracer_;
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
  // Runs once per appended point during a plot, on the thread that appends:
  // the first change of a burst queues the redraw, the others only find it
  // queued.
  const bool from_worker = QThread::currentThread() != thread();
  if (!from_worker && !isVisible()) return;
  if (redraw_queued_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this, [this, from_worker] { RedrawWhenDue(from_worker); }, Qt::QueuedConnection);
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
  redraw_queued_.store(false);
  if (isVisible()) Sync();
}

bool ChartView::Sync() {
  if (in_sync()) return false;
  Rebuild();
  return true;
}

void ChartView::Rebuild() {
  const auto lock = model_.ReadLock();
  const std::size_t count = model_.series_count();
  std::vector<bool> hidden(count, false);
  for (std::size_t i = 0; i < count && i < drawn_titles_.size(); ++i)
    if (drawn_titles_[i] == model_.series(i + 1).title()) hidden[i] = hidden_[i];
  hidden_ = std::move(hidden);
  drawn_titles_.clear();
  clearGraphs();

  QVector<QCPGraphData> data;
  for (std::size_t number = 1; number <= count; ++number) {
    const ChartSeries& series = model_.series(number);
    const SeriesAppearance& look = series.appearance();
    auto* graph = new SeriesGraph(this);
    graph->setName(QString::fromStdString(series.title()));
    graph->setPen(QPen(ToQColor(look.line_colour), 1));
    graph->setLineStyle(look.stairs ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
    graph->setScatterStyle(
        look.point_markers ? QCPScatterStyle(QCPScatterStyle::ssCircle, ToQColor(look.line_colour),
                                             ToQColor(look.point_colour), kMarkerSize)
                           : QCPScatterStyle(QCPScatterStyle::ssNone));
    data.resize(0);
    data.reserve(static_cast<qsizetype>(series.count()));
    for (const ChartPoint& point : series.points())
      data.append(QCPGraphData(
          point.x, std::isfinite(point.y) ? point.y : std::numeric_limits<double>::quiet_NaN()));
    const bool sorted =
        std::is_sorted(data.cbegin(), data.cend(),
                       [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; });
    graph->data()->set(data, sorted);
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
    if (axis->ticker().dynamicCast<QCPAxisTickerLog>())
      axis->setTicker(QSharedPointer<QCPAxisTicker>::create());
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
  const auto lock = model_.ReadLock();
  xAxis->setRange(ToQCPRange(FittedRange(model_, AxisId::kBottom, shown)));
  yAxis->setRange(ToQCPRange(FittedRange(model_, AxisId::kLeft, shown)));
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
  const auto lock = model_.ReadLock();
  // A plot on the worker may have taken the series away since the drawing.
  if (sample->number > model_.series_count()) return;
  const ChartSeries& series = model_.series(sample->number);
  tracer_->position->setCoords(sample->x, sample->y);
  tracer_->setPen(QPen(ToQColor(series.appearance().line_colour).darker(150), 1.5));
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

QImage ChartView::RenderImage(QSize size) {
  const QSize target = ExportSize(size, this->size());
  ExportLook look(*this, target);
  return toPixmap(target.width(), target.height()).toImage();
}

QByteArray ChartView::RenderSvg(QSize size) {
  const QSize target = ExportSize(size, this->size());
  ExportLook look(*this, target);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(target);
  generator.setViewBox(QRect(QPoint(0, 0), target));
  generator.setTitle(QStringLiteral("Graph"));
  QCPPainter painter;
  if (!painter.begin(&generator)) return QByteArray();
  painter.setMode(QCPPainter::pmVectorized);
  painter.setMode(QCPPainter::pmNoCaching);
  toPainter(&painter, target.width(), target.height());
  painter.end();
  return buffer.data();
}

bool ChartView::SavePdfFile(const QString& path, QSize size) {
  const QSize target = ExportSize(size, this->size());
  ExportLook look(*this, target);
  return savePdf(path, target.width(), target.height());
}

}  // namespace korvex
