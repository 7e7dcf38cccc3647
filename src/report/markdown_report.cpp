// The Markdown report.
#include "report/markdown_report.h"

#include <algorithm>

#include "report/markup.h"
#include "report/report_outline.h"

namespace korvex {
namespace {

std::string Table(const std::vector<FigureRow>& rows) {
  std::string md = "| | |\n|---|---|\n";
  for (const auto& [caption, value] : rows)
    md += "| " + EscapeMarkdownCell(caption) + " | " + EscapeMarkdownCell(value) + " |\n";
  return md + "\n";
}

// A fence longer than any run of backticks in the lines, so no line can end it.
std::string Fence(const std::vector<std::string>& lines) {
  std::size_t longest = 0;
  for (const std::string& line : lines) {
    std::size_t run = 0;
    for (const char c : line) {
      run = c == '`' ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return std::string(std::max<std::size_t>(3, longest + 1), '`');
}

std::string CodeBlock(const std::vector<std::string>& lines) {
  const ShownLines shown = ShownPart(lines);
  const std::string fence = Fence(lines);
  std::string md = fence + "text\n";
  for (const std::string& line : shown.head) md += line + '\n';
  if (shown.omitted > 0) md += OmittedText(shown.omitted) + '\n';
  for (const std::string& line : shown.tail) md += line + '\n';
  return md + fence + "\n\n";
}

std::string Graph(const ReportElement& element) {
  if (element.text.empty())
    return "_The graph is not part of this Markdown report; the HTML and PDF reports show "
           "it._\n\n";
  return "![" + EscapeMarkdownCell(element.plotted->series_title) + "](" + element.text + ")\n\n";
}

std::string Element(const ReportElement& element) {
  switch (element.kind) {
    case ReportElementKind::kItemHeading:
      return "## " + EscapeMarkdownCell(element.text) + "\n\n";
    case ReportElementKind::kSectionHeading:
      // The program's own captions, written as they are.
      return "### " + element.text + "\n\n";
    case ReportElementKind::kNote:
      return "_" + element.text + "_\n\n";
    case ReportElementKind::kFailure:
      return "> **Failure:** " + EscapeMarkdownCell(element.text) + "\n\n";
    case ReportElementKind::kFigures:
      return Table(element.rows);
    case ReportElementKind::kLines:
      return CodeBlock(*element.lines);
    case ReportElementKind::kGraph:
      return Graph(element);
    case ReportElementKind::kPointsFile:
      return kAllPointsCaption + std::string("[") + EscapeMarkdownCell(element.text) + "](" +
             element.text + ")\n\n";
  }
  return {};
}

}  // namespace

std::string MarkdownReport(const Report& report, const ReportLinks& links) {
  std::string md = std::string("# ") + kReportTitle + "\n\n";
  for (const ReportElement& element : ReportOutline(report, links)) md += Element(element);
  return md;
}

}  // namespace korvex
