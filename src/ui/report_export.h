// File > "Export report...": runs the list's items on the calculator's worker
// in a session of the report's own and writes their worked report as HTML,
// PDF or Markdown, with the graphs drawn by the Graph window's own chart view.
#pragma once

#include <QImage>
#include <QPageSize>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>

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

// A plotted item's graph alone, drawn as the Graph window draws it.
// Twice the pixels of its size in the document, so print and high-density
// screens show it sharp.
QImage SeriesPicture(const PlottedItem& item, QSize size = QSize(640, 360));

// Writes `report` to `path`, with the CSV files (and for Markdown the PNG
// pictures) beside it. False when a file cannot be written.
bool WriteReportFile(const Report& report, const ReportDestination& destination,
                     ReportFormat format);

// The menu entry's work: asks, then starts the items as one request on the
// window's runner and returns; the files are written when the run has ended
// (or was stopped: then with the items done until the stop). Nothing of the
// run reaches the user's session, answer box or error log; a file that
// cannot be written is said through the window's message seam.
void ExportReport(MainWindow& window, const ExpressionList& list, ReportDialog& dialog);

}  // namespace korvex
