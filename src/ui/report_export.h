// File > "Export report...": runs the list's items through the calculator
// and writes their worked report as HTML, PDF or Markdown, with the graphs
// drawn by the Graph window's own chart view.
#pragma once

#include <QImage>
#include <QPageSize>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "report/report_model.h"

namespace korvex {

class MainWindow;
class ExpressionList;

enum class ReportFormat { kHtml, kPdf, kMarkdown };

// By the file's extension: .html/.htm, .pdf, .md; nothing for any other.
std::optional<ReportFormat> ReportFormatOf(const QString& path);

struct ReportDestination {
  QString path;
  bool all_items = true;
  QPageSize::PageSizeId page_size = QPageSize::A4;
};

// Where the report goes, asked of the user; tests answer in its place.
class ReportDialog {
 public:
  virtual ~ReportDialog() = default;
  // Nothing when the user cancels. `can_choose_selected`: an item is
  // selected, so "the selected item only" is a choice.
  virtual std::optional<ReportDestination> Choose(QWidget* parent, bool can_choose_selected) = 0;
};

// A save dialog whose file types include PDF on A4 and on Letter paper,
// then the question whether all items go in.
class QtReportDialog : public ReportDialog {
 public:
  std::optional<ReportDestination> Choose(QWidget* parent, bool can_choose_selected) override;
};

struct ReportRequestItem {
  QString text;
  bool plot = false;
};

// Solves or plots each item on `window`'s request runner, its failures
// still shown as any request's are. Stops after a stopped request; nothing
// when a request could not start (another one runs).
std::optional<Report> RunReportItems(MainWindow& window,
                                     const std::vector<ReportRequestItem>& items);

// A plotted item's graph alone, drawn as the Graph window draws it.
// Twice the pixels of its size in the document, so print and high-density
// screens show it sharp.
QImage SeriesPicture(const PlottedItem& item, QSize size = QSize(640, 360));

// Writes `report` to `path`, with the CSV files (and for Markdown the PNG
// pictures) beside it. False when a file cannot be written.
bool WriteReportFile(const Report& report, const ReportDestination& destination,
                     ReportFormat format);

// The menu entry's work: asks, runs the items, writes; failures go to the
// window's message seam.
void ExportReport(MainWindow& window, const ExpressionList& list, ReportDialog& dialog);

}  // namespace korvex
