// The Markdown report.
#include "report/markdown_report.h"

#include <algorithm>

#include "report/markup.h"

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

std::string Failures(const std::vector<std::string>& failures) {
  std::string md;
  for (const std::string& failure : failures)
    md += "> **Failure:** " + EscapeMarkdownCell(failure) + "\n\n";
  return md;
}

std::string Heading(std::size_t number, const std::string& prefix, const std::string& expression) {
  return "## " + std::to_string(number) + ". " + prefix + EscapeMarkdownCell(expression) + "\n\n";
}

std::string Solved(const SolvedItem& item, std::size_t number) {
  std::string md = Heading(number, "", item.expression);
  if (item.steps.empty())
    md += std::string("_") + kNoStepsText + "_\n\n";
  else
    md += "### Solution\n\n" + CodeBlock(item.steps);
  md += Failures(item.failures);
  const std::vector<FigureRow> rows = AnswerRows(item);
  if (!rows.empty()) md += Table(rows);
  return md;
}

std::string Plotted(const PlottedItem& item, std::size_t number, std::size_t plot,
                    const ReportLinks& links) {
  std::string md = Heading(number, "Plot: ", item.expression);
  md += Failures(item.failures);
  md += Table(RangeRows(item));
  if (!item.info) return md + "_" + kNoSeriesText + "_\n\n";
  const std::string picture = plot <= links.pictures.size() ? links.pictures[plot - 1] : "";
  if (picture.empty())
    md += "_The graph is not part of this Markdown report; the HTML and PDF reports show it._\n\n";
  else
    md += "![" + EscapeMarkdownCell(item.series_title) + "](" + picture + ")\n\n";
  md += "### Plot info\n\n" + Table(PlotInfoRows(*item.info));
  md += "### Table stats\n\n" + Table(StatsRows(item.figures));
  for (const PointList& list : item.lists) {
    md += "### " + list.caption + " (" + PointCountText(list.lines.size()) + ")\n\n";
    if (!list.lines.empty()) md += CodeBlock(list.lines);
  }
  const std::string csv = plot <= links.csv_files.size() ? links.csv_files[plot - 1] : "";
  if (!csv.empty())
    md += kAllPointsCaption + std::string("[") + EscapeMarkdownCell(csv) + "](" + csv + ")\n\n";
  return md;
}

}  // namespace

std::string MarkdownReport(const Report& report, const ReportLinks& links) {
  std::string md = std::string("# ") + kReportTitle + "\n\n";
  std::size_t plot = 0;
  for (std::size_t i = 0; i < report.items.size(); ++i) {
    if (const auto* solved = std::get_if<SolvedItem>(&report.items[i]))
      md += Solved(*solved, i + 1);
    else
      md += Plotted(std::get<PlottedItem>(report.items[i]), i + 1, ++plot, links);
  }
  return md;
}

}  // namespace korvex
