// The report export of the main window.
#include "ui/report_export.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "core/calculator.h"
#include "report/html_report.h"
#include "report/markdown_report.h"
#include "report/report_run.h"
#include "ui/chart_view.h"
#include "ui/expression_list.h"
#include "ui/main_window.h"
#include "ui/message_seam.h"

namespace korvex {
namespace {

constexpr const char* kHtmlFilter = "HTML (*.html)";
constexpr const char* kPdfA4Filter = "PDF, A4 paper (*.pdf)";
constexpr const char* kPdfLetterFilter = "PDF, Letter paper (*.pdf)";
constexpr const char* kMarkdownFilter = "Markdown (*.md)";
constexpr const char* kAllItemsQuestion =
    "Export all items of the list? \"No\" exports the selected item only.";
constexpr const char* kUnknownFormatText =
    "A report is written as .html, .pdf or .md; choose a file with one of these extensions.";
constexpr const char* kWriteFailedText = "The report could not be written to ";

std::string PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

std::vector<const PlottedItem*> PlottedItems(const Report& report) {
  std::vector<const PlottedItem*> plotted;
  for (const ReportItem& item : report.items)
    if (const auto* plot = std::get_if<PlottedItem>(&item)) plotted.push_back(plot);
  return plotted;
}

constexpr qreal kLayoutDpi = 96;
constexpr qreal kFooterHeight = 28;

void DrawPage(const QTextDocument& document, int index, QSizeF page, QPainter& painter) {
  const QRectF view(0, index * page.height(), page.width(), page.height());
  painter.save();
  painter.translate(0, -view.top());
  painter.setClipRect(view);
  QAbstractTextDocumentLayout::PaintContext context;
  // Blocks that only touch the page's edges belong to the pages around it;
  // drawn clipped they would still leave their text in this page's content.
  context.clip = view.adjusted(0, 1, 0, -1);
  // Paper is white whatever the desktop's colours.
  context.palette.setColor(QPalette::Text, Qt::black);
  document.documentLayout()->draw(&painter, context);
  painter.restore();
}

// A heading at the foot of a page goes to the next one with the first line
// of what it introduces. Headings in a row (an item's and its first
// section's) travel together.
void KeepHeadingsWithNext(QTextDocument& document) {
  const qreal page = document.pageSize().height();
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  // The layout is lazy; the page count lays out the whole document, so the
  // positions read below are those of the pages as they will print.
  document.pageCount();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    QTextBlock content = block.next();
    while (content.isValid() && content.blockFormat().headingLevel() != 0) content = content.next();
    if (!content.isValid()) break;
    const int heading_page = static_cast<int>(layout->blockBoundingRect(block).top() / page);
    const int content_page = static_cast<int>(layout->blockBoundingRect(content).bottom() / page);
    if (heading_page == content_page) continue;
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).setBlockFormat(format);
    document.pageCount();
  }
}

// Qt's rich text does not read data: URIs, so the printed document names
// its pictures and carries them as resources.
bool WritePdf(const Report& report, const ReportDestination& destination) {
  QTextDocument document;
  ReportLinks links;
  const std::vector<const PlottedItem*> plotted = PlottedItems(report);
  for (std::size_t i = 0; i < plotted.size(); ++i) {
    if (!plotted[i]->info) {
      links.pictures.emplace_back();
      continue;
    }
    const QString name = QStringLiteral("plot%1.png").arg(i + 1);
    document.addResource(QTextDocument::ImageResource, QUrl(name), SeriesPicture(*plotted[i]));
    links.pictures.push_back(name.toStdString());
  }
  document.setHtml(QString::fromStdString(HtmlReport(report, links)));
  // Laid out in memory and written whole, so a failure leaves the file that
  // was there.
  QByteArray pdf;
  QBuffer pdf_buffer(&pdf);
  pdf_buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf_buffer);
  writer.setTitle(QString::fromUtf8(kReportTitle));
  writer.setCreator(QStringLiteral("Korvex"));
  writer.setPageLayout(QPageLayout(QPageSize(destination.page_size), QPageLayout::Portrait,
                                   QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
  // The document is laid out on pages of the writer's text area, less a
  // footer line, in the 96 dpi units the pictures' widths are given in; the
  // layout moves a table row that would cross a page's end to the next page.
  const QSizeF text_area = writer.pageLayout().paintRectPixels(kLayoutDpi).size();
  const QSizeF page(text_area.width(), text_area.height() - kFooterHeight);
  document.setDocumentMargin(0);
  document.setPageSize(page);
  KeepHeadingsWithNext(document);
  QPainter painter(&writer);
  if (!painter.isActive()) return false;
  painter.scale(writer.logicalDpiX() / kLayoutDpi, writer.logicalDpiY() / kLayoutDpi);
  QFont footer_font = document.defaultFont();
  // In layout units, which the painter scales to the writer's resolution.
  footer_font.setPixelSize(11);
  const int pages = document.pageCount();
  for (int index = 0; index < pages; ++index) {
    if (index > 0 && !writer.newPage()) return false;
    DrawPage(document, index, page, painter);
    painter.setFont(footer_font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, page.height(), page.width(), kFooterHeight), Qt::AlignCenter,
                     QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages));
  }
  if (!painter.end() || pdf.isEmpty()) return false;
  return WriteFileText(QFile::encodeName(destination.path).toStdString(),
                       std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
}

}  // namespace

std::optional<ReportFormat> ReportFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) return ReportFormat::kHtml;
  if (suffix == QLatin1String("pdf")) return ReportFormat::kPdf;
  if (suffix == QLatin1String("md")) return ReportFormat::kMarkdown;
  return std::nullopt;
}

std::optional<ReportDestination> QtReportDialog::Choose(QWidget* parent, bool can_choose_selected) {
  const QStringList filters = {QString::fromUtf8(kHtmlFilter), QString::fromUtf8(kPdfA4Filter),
                               QString::fromUtf8(kPdfLetterFilter),
                               QString::fromUtf8(kMarkdownFilter)};
  // Letter paper first where the locale measures in US units.
  QString selected =
      QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? filters[2] : filters[0];
  const QString path =
      QFileDialog::getSaveFileName(parent, QStringLiteral("Export report"), QString(),
                                   filters.join(QStringLiteral(";;")), &selected);
  if (path.isEmpty()) return std::nullopt;
  ReportDestination destination;
  destination.path = path;
  // A name typed without an extension takes the chosen type's.
  if (QFileInfo(path).suffix().isEmpty())
    destination.path += selected == filters[0]   ? QStringLiteral(".html")
                        : selected == filters[3] ? QStringLiteral(".md")
                                                 : QStringLiteral(".pdf");
  destination.page_size = selected == filters[2] ? QPageSize::Letter : QPageSize::A4;
  if (can_choose_selected) {
    destination.all_items =
        QMessageBox::question(parent, QStringLiteral("Korvex"),
                              QString::fromUtf8(kAllItemsQuestion)) == QMessageBox::Yes;
  }
  return destination;
}

QImage SeriesPicture(const PlottedItem& item, QSize size) {
  ChartModel model;
  model.AddSeries(item.series_title);
  model.SetSeriesAppearance(1, item.appearance);
  model.AppendPoints(1, item.points);
  model.SetBackColour(item.back_colour);
  ChartView view(model);
  view.resize(size);
  view.Rebuild();
  return view.RenderImage(size, 2.0);
}

bool WriteReportFile(const Report& report, const ReportDestination& destination,
                     ReportFormat format) {
  if (format == ReportFormat::kPdf) return WritePdf(report, destination);
  const std::filesystem::path path = destination.path.toStdString();
  ReportLinks links;
  const std::vector<const PlottedItem*> plotted = PlottedItems(report);
  for (std::size_t i = 0; i < plotted.size(); ++i) {
    std::string csv, picture;
    if (plotted[i]->info) {
      csv = BesideName(path, i + 1, ".csv");
      if (!WriteFileText(path.parent_path() / csv, plotted[i]->csv)) return false;
      const std::string png = PngBytes(SeriesPicture(*plotted[i]));
      if (format == ReportFormat::kHtml) {
        picture = PngDataUri(png);
      } else {
        picture = BesideName(path, i + 1, ".png");
        if (!WriteFileText(path.parent_path() / picture, png)) return false;
      }
    }
    links.csv_files.push_back(csv);
    links.pictures.push_back(picture);
  }
  const std::string document =
      format == ReportFormat::kHtml ? HtmlReport(report, links) : MarkdownReport(report, links);
  return WriteFileText(path, document);
}

void ExportReport(MainWindow& window, const ExpressionList& list, ReportDialog& dialog) {
  if (list.count() == 0 || window.runner().busy()) return;
  const int selected = list.SelectedIndex();
  const std::optional<ReportDestination> destination = dialog.Choose(&window, selected >= 0);
  if (!destination) return;
  const std::optional<ReportFormat> format = ReportFormatOf(destination->path);
  if (!format) {
    window.messages().Inform(QString::fromUtf8(kUnknownFormatText));
    return;
  }
  std::vector<ReportRequestItem> items;
  for (int row = 0; row < list.count(); ++row)
    if (destination->all_items || row == selected)
      items.push_back({list.ItemText(row).toStdString(), list.IsChecked(row)});
  // The run reads the settings and the stored answer as they are now; its
  // own session keeps the rest away from the user's.
  Calculator& calculator = window.calculator();
  auto start = std::make_shared<const RequestSnapshot>(calculator.Snapshot(calculator.session()));
  MessageSeam& messages = window.messages();
  window.runner().Start<ReportRun>(
      [start, items = std::move(items)](RequestContext& context) {
        return RunReport(context, *start, items);
      },
      [destination = *destination, format = *format, &messages](ReportRun& run) {
        if (!WriteReportFile(run.report, destination, format))
          messages.ShowFailure(QString::fromUtf8(kWriteFailedText) + destination.path);
      });
}

}  // namespace korvex
