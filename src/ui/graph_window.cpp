// The Graph window: layout, the actions on the series, the legend list, the
// clipboard copy and the exports.
#include "ui/graph_window.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/calculator.h"
#include "plot/chart_settings.h"
#include "plot/points_csv.h"
#include "plot/series_palette.h"
#include "settings/atomic_file.h"
#include "ui/chart_view.h"
#include "ui/message_seam.h"
#include "ui/table_stats_window.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct GraphTexts {
  const char* name = "Form13";
  const char* caption = "Graph";
  const char* legend = "Show legend";
  const char* refresh_hint = "Refresh single plot settings for graph";
  const char* delete_hint = "Delete last calculated serie";
  const char* copy_hint = "Copy graph to clipboard as a metafile";
  const char* export_caption = "Export...";
  const char* export_hint = "Save the graph as a picture, or the points of a serie as CSV";
  const char* table = "Table and stats";
  const char* table_hint = "View table and statistics";
  const char* clear = "Clear";
  const char* clear_hint = "Clear all series";
  const char* close = "Close";
  const char* close_hint = "Close current form";
  const char* trace_hint =
      "Wheel: zoom. Drag: pan. Right drag or Ctrl+drag: zoom into a rectangle. Double click: "
      "back to the plot options' scales";
  const char* export_dialog = "Export graph";
  const char* export_filters =
      "PNG picture (*.png);;SVG picture (*.svg);;PDF document (*.pdf);;CSV points of a serie "
      "(*.csv)";
  const char* export_serie = "Points of serie:";
  const char* save_failed = "Could not save to file '%1'";
  const char* svg_mime = "image/svg+xml";
};
constexpr GraphTexts kTexts;
constexpr int kIconSize = 24;
constexpr int kSwatchSize = 14;
constexpr int kLegendWidth = 180;

QString Latin(const char* text) { return QString::fromLatin1(text); }

enum class IconKind { kRefresh, kDeleteLast, kCopy, kExport };

// Drawn here so the tool bar looks the same on every desktop theme.
QIcon PaintedIcon(IconKind kind, const QColor& ink) {
  QPixmap pixmap(2 * kIconSize, 2 * kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(2, 2);
  QPen pen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(pen);
  switch (kind) {
    case IconKind::kRefresh: {
      painter.drawArc(QRectF(5, 5, 14, 14), 90 * 16, 280 * 16);
      painter.setBrush(ink);
      painter.drawPolygon(QPolygonF({QPointF(12, 1.5), QPointF(17, 5), QPointF(12, 8.5)}));
      break;
    }
    case IconKind::kDeleteLast: {
      painter.drawPolyline(
          QPolygonF({QPointF(2, 18), QPointF(7, 9), QPointF(11, 14), QPointF(16, 4)}));
      painter.setPen(QPen(QColor(200, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(14, 14), QPointF(21, 21));
      painter.drawLine(QPointF(21, 14), QPointF(14, 21));
      break;
    }
    case IconKind::kCopy: {
      painter.setBrush(Qt::NoBrush);
      painter.drawRoundedRect(QRectF(3, 3, 11, 13), 1.5, 1.5);
      painter.setBrush(QColor(255, 255, 255, 230));
      painter.drawRoundedRect(QRectF(9, 8, 11, 13), 1.5, 1.5);
      painter.setPen(QPen(ink, 1.2));
      painter.drawPolyline(
          QPolygonF({QPointF(11, 18), QPointF(13.5, 13.5), QPointF(15.5, 16), QPointF(18, 11)}));
      break;
    }
    case IconKind::kExport: {
      painter.drawPolyline(
          QPolygonF({QPointF(4, 13), QPointF(4, 20), QPointF(20, 20), QPointF(20, 13)}));
      painter.drawLine(QPointF(12, 3), QPointF(12, 15));
      painter.drawPolyline(QPolygonF({QPointF(7.5, 7.5), QPointF(12, 3), QPointF(16.5, 7.5)}));
      break;
    }
  }
  painter.end();
  pixmap.setDevicePixelRatio(2);
  return QIcon(pixmap);
}

QToolButton* ToolButton(const char* name, const char* hint, IconKind kind, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(Latin(name));
  button->setToolTip(Latin(hint));
  button->setAccessibleName(Latin(hint));
  button->setIcon(PaintedIcon(kind, parent->palette().color(QPalette::ButtonText)));
  button->setIconSize(QSize(kIconSize, kIconSize));
  button->setAutoRaise(true);
  return button;
}

// In the colours the chart draws series `number` with.
QIcon Swatch(std::size_t number, const ChartSeries& series) {
  QPixmap pixmap(2 * kSwatchSize, 2 * kSwatchSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.scale(2, 2);
  painter.setRenderHint(QPainter::Antialiasing);
  const SeriesAppearance& look = series.appearance();
  const QColor line = ToQColor(SeriesColour(number, look));
  painter.setPen(QPen(line, 2));
  painter.drawLine(QPointF(1, kSwatchSize / 2.0), QPointF(kSwatchSize - 1, kSwatchSize / 2.0));
  if (look.point_markers) {
    painter.setPen(QPen(line, 1));
    painter.setBrush(ToQColor(look.point_colour));
    painter.drawEllipse(QPointF(kSwatchSize / 2.0, kSwatchSize / 2.0), 3.5, 3.5);
  }
  painter.end();
  pixmap.setDevicePixelRatio(2);
  return QIcon(pixmap);
}

std::optional<ExportFormat> FormatOfSuffix(const QString& suffix) {
  const QString lower = suffix.toLower();
  if (lower == QLatin1String("png")) return ExportFormat::kPng;
  if (lower == QLatin1String("svg")) return ExportFormat::kSvg;
  if (lower == QLatin1String("pdf")) return ExportFormat::kPdf;
  if (lower == QLatin1String("csv")) return ExportFormat::kCsv;
  return std::nullopt;
}

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  return WriteFileAtomically(
      LocalPath(path), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

QByteArray PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) bytes.clear();
  return bytes;
}

}  // namespace

std::optional<ExportRequest> QtExportSeam::AskExport(QWidget* parent,
                                                     const QStringList& series_titles) {
  static const char* const kSuffixes[] = {"png", "svg", "pdf", "csv"};
  const QStringList filters = Latin(kTexts.export_filters).split(QStringLiteral(";;"));
  QString filter = filters.front();
  QString path = QFileDialog::getSaveFileName(parent, Latin(kTexts.export_dialog), QString(),
                                              Latin(kTexts.export_filters), &filter);
  if (path.isEmpty()) return std::nullopt;
  ExportRequest request;
  const auto chosen = std::max<qsizetype>(0, filters.indexOf(filter));
  if (const auto by_suffix = FormatOfSuffix(QFileInfo(path).suffix())) {
    request.format = *by_suffix;
  } else {
    request.format = static_cast<ExportFormat>(chosen);
    path += QLatin1Char('.') + Latin(kSuffixes[chosen]);
  }
  request.path = path;
  if (request.format == ExportFormat::kCsv) {
    if (series_titles.isEmpty()) return std::nullopt;
    if (series_titles.size() > 1) {
      QStringList numbered;
      for (qsizetype i = 0; i < series_titles.size(); ++i)
        numbered << QString::number(i + 1) + QStringLiteral(": ") + series_titles[i];
      bool ok = false;
      const QString item =
          QInputDialog::getItem(parent, Latin(kTexts.export_dialog), Latin(kTexts.export_serie),
                                numbered, static_cast<int>(numbered.size() - 1), false, &ok);
      if (!ok) return std::nullopt;
      request.serie = static_cast<std::size_t>(numbered.indexOf(item)) + 1;
    }
  }
  return request;
}

GraphWindow::GraphWindow(Calculator& calculator, MessageSeam& messages,
                         TableStatsWindow& table_stats, QWidget* parent, ExportSeam* exports)
    : QDialog(parent),
      calculator_(calculator),
      messages_(messages),
      table_stats_(table_stats),
      own_exports_(exports ? nullptr : std::make_unique<QtExportSeam>()),
      exports_(exports ? exports : own_exports_.get()) {
  setObjectName(Latin(kTexts.name));
  setWindowTitle(Latin(kTexts.caption));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);

  auto* refresh = ToolButton("refresh", kTexts.refresh_hint, IconKind::kRefresh, this);
  auto* deleteserie = ToolButton("deleteserie", kTexts.delete_hint, IconKind::kDeleteLast, this);
  auto* copy = ToolButton("copy", kTexts.copy_hint, IconKind::kCopy, this);
  auto* exporter = ToolButton("export", kTexts.export_hint, IconKind::kExport, this);
  exporter->setText(Latin(kTexts.export_caption));
  exporter->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  legendcheck_ = new QCheckBox(Latin(kTexts.legend), this);
  legendcheck_->setObjectName(QStringLiteral("legendcheck"));
  legendcheck_->setChecked(true);
  connect(refresh, &QToolButton::clicked, this, &GraphWindow::refreshClick);
  connect(deleteserie, &QToolButton::clicked, this, &GraphWindow::deleteserieClick);
  connect(copy, &QToolButton::clicked, this, &GraphWindow::copyClick);
  connect(exporter, &QToolButton::clicked, this, &GraphWindow::exportClick);
  connect(legendcheck_, &QCheckBox::toggled, this, &GraphWindow::legendcheckClick);
  auto* tools = new QHBoxLayout;
  tools->setSpacing(2);
  tools->addWidget(refresh);
  tools->addWidget(deleteserie);
  tools->addWidget(copy);
  tools->addWidget(exporter);
  tools->addStretch(1);
  tools->addWidget(legendcheck_);

  chart_ = new ChartView(calculator_.plots().chart(), this);
  chart_->setWhatsThis(Latin(kTexts.trace_hint));
  connect(chart_, &ChartView::rebuilt, this, &GraphWindow::FillLegend);
  legend_ = new QListWidget(this);
  legend_->setObjectName(QStringLiteral("legend"));
  legend_->setMinimumWidth(kLegendWidth / 2);
  connect(legend_, &QListWidget::itemChanged, this, &GraphWindow::LegendItemChanged);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(chart_);
  splitter->addWidget(legend_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setCollapsible(0, false);
  splitter->setSizes({4 * kLegendWidth, kLegendWidth});

  trace_ = new QLabel(this);
  trace_->setObjectName(QStringLiteral("trace"));
  trace_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  trace_->setToolTip(Latin(kTexts.trace_hint));
  connect(chart_, &ChartView::traceChanged, trace_, &QLabel::setText);

  auto* table = MakeButton("table", kTexts.table, kTexts.table_hint, this);
  table->setDefault(true);
  auto* clear = MakeButton("clear", kTexts.clear, kTexts.clear_hint, this);
  auto* close = MakeButton("close", kTexts.close, kTexts.close_hint, this);
  connect(table, &QPushButton::clicked, this, &GraphWindow::tableClick);
  connect(clear, &QPushButton::clicked, this, &GraphWindow::clearClick);
  connect(close, &QPushButton::clicked, this, &GraphWindow::closeClick);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(trace_, 1);
  buttons->addWidget(table);
  buttons->addWidget(clear);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(splitter, 1);
  layout->addLayout(buttons);
  resize(820, 560);
  FillLegend();
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::ShowGraph(Activation activation) {
  chart_->Sync();
  BringUp(this, activation);
}

void GraphWindow::FillLegend() {
  const ChartModel& model = calculator_.plots().chart();
  {
    const QSignalBlocker blocker(legend_);
    legend_->clear();
    for (std::size_t number = 1; number <= model.series_count(); ++number) {
      const ChartSeries& series = model.series(number);
      auto* item =
          new QListWidgetItem(Swatch(number, series), QString::fromStdString(series.title()));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(chart_->SeriesVisible(number) ? Qt::Checked : Qt::Unchecked);
      legend_->addItem(item);
    }
  }
  const QSignalBlocker blocker(legendcheck_);
  legendcheck_->setChecked(model.legend_visible());
  legend_->setVisible(model.legend_visible());
}

void GraphWindow::LegendItemChanged(QListWidgetItem* item) {
  const int row = legend_->row(item);
  if (row < 0) return;
  chart_->SetSeriesVisible(static_cast<std::size_t>(row) + 1, item->checkState() == Qt::Checked);
}

void GraphWindow::legendcheckClick() {
  const bool drawn = chart_->in_sync();
  calculator_.plots().chart().SetLegendVisible(legendcheck_->isChecked());
  if (drawn) chart_->AcceptRevision();
  chart_->Sync();
  legend_->setVisible(legendcheck_->isChecked());
}

// The actions below show their result at once rather than after the queued
// redraw, and a refresh draws anew even when no setting changed, which also
// undoes a zoom or pan.
void GraphWindow::refreshClick() {
  ApplyChartSettings(calculator_.plot_settings(), calculator_.plots().chart(),
                     calculator_.errors());
  chart_->Rebuild();
}

void GraphWindow::deleteserieClick() {
  calculator_.plots().RemoveSeries(true);
  chart_->Sync();
}

void GraphWindow::clearClick() {
  calculator_.plots().RemoveSeries(false);
  chart_->Sync();
}

void GraphWindow::copyClick() {
  chart_->Sync();
  auto* data = new QMimeData;
  data->setImageData(chart_->RenderImage());
  data->setData(Latin(kTexts.svg_mime), chart_->RenderSvg());
  QGuiApplication::clipboard()->setMimeData(data);
}

void GraphWindow::exportClick() {
  chart_->Sync();
  const ChartModel& model = calculator_.plots().chart();
  QStringList titles;
  for (std::size_t number = 1; number <= model.series_count(); ++number)
    titles << QString::fromStdString(model.series(number).title());
  const auto request = exports_->AskExport(this, titles);
  if (!request) return;
  if (!Export(*request)) messages_.Inform(Latin(kTexts.save_failed).arg(request->path));
}

bool GraphWindow::Export(const ExportRequest& request) {
  switch (request.format) {
    case ExportFormat::kPng: {
      const QByteArray png = PngBytes(chart_->RenderImage());
      return !png.isEmpty() && WriteFile(request.path, png);
    }
    case ExportFormat::kSvg:
      return WriteFile(request.path, chart_->RenderSvg());
    case ExportFormat::kPdf:
      return WriteThroughTemporaryFile(
          LocalPath(request.path), [this](const std::filesystem::path& temporary) {
            return chart_->SavePdfFile(QFile::decodeName(temporary.c_str()));
          });
    case ExportFormat::kCsv: {
      const ChartModel& model = calculator_.plots().chart();
      if (request.serie < 1 || request.serie > model.series_count()) return false;
      const std::string text =
          PointsCsv(model.series(request.serie),
                    calculator_.plots().stats(request.serie).table_lines, CsvHeader::kWith);
      return WriteFile(request.path, QByteArray::fromStdString(text));
    }
  }
  return false;
}

void GraphWindow::tableClick() {
  if (table_stats_.isVisible()) {
    BringUp(&table_stats_);
  } else {
    table_stats_.changeserieClick();
  }
}

void GraphWindow::closeClick() { hide(); }

}  // namespace korvex
