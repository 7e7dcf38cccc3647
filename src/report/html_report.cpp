// The HTML report. Steps and list lines are table rows, because a printed
// page breaks between rows rather than through one.
#include "report/html_report.h"

#include "report/markup.h"
#include "report/svg_chart.h"

namespace korvex {
namespace {

constexpr const char* kStyle =
    "body { font-family: sans-serif; font-size: 10pt; }\n"
    "h2 { font-size: 13pt; margin-top: 18pt; }\n"
    "h3 { font-size: 11pt; }\n"
    "table { border-collapse: collapse; margin-bottom: 6pt; }\n"
    "td, th { border: 1px solid #a0a0a0; padding: 2pt 5pt; text-align: left;"
    " vertical-align: top; }\n"
    "th { background: #eeeeee; font-weight: normal; }\n"
    "tr, .picture { page-break-inside: avoid; }\n"
    "td.line { font-family: monospace; white-space: pre-wrap; }\n"
    ".failure { color: #b00000; }\n"
    ".note { color: #606060; font-style: italic; }\n";

std::string Table(const std::vector<FigureRow>& rows) {
  std::string html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  for (const auto& [caption, value] : rows)
    html += "<tr><th>" + EscapeHtml(caption) + "</th><td class=\"line\">" + EscapeHtml(value) +
            "</td></tr>\n";
  return html + "</table>\n";
}

std::string LineTable(const std::vector<std::string>& lines) {
  const ShownLines shown = ShownPart(lines);
  std::string html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  const auto row = [&html](const std::string& text, const char* cls) {
    html += std::string("<tr><td class=\"") + cls + "\">" + EscapeHtml(text) + "</td></tr>\n";
  };
  for (const std::string& line : shown.head) row(line, "line");
  if (shown.omitted > 0) row(OmittedText(shown.omitted), "note");
  for (const std::string& line : shown.tail) row(line, "line");
  return html + "</table>\n";
}

std::string Failures(const std::vector<std::string>& failures) {
  std::string html;
  for (const std::string& failure : failures)
    html += "<p class=\"failure\"><font color=\"#b00000\">" + EscapeHtml(failure) + "</font></p>\n";
  return html;
}

std::string Solved(const SolvedItem& item, std::size_t number) {
  std::string html =
      "<h2>" + std::to_string(number) + ". " + EscapeHtml(item.expression) + "</h2>\n";
  if (item.steps.empty())
    html += std::string("<p class=\"note\">") + kNoStepsText + "</p>\n";
  else
    html += "<h3>Solution</h3>\n" + LineTable(item.steps);
  html += Failures(item.failures);
  const std::vector<FigureRow> rows = AnswerRows(item);
  if (!rows.empty()) html += Table(rows);
  return html;
}

std::string Plotted(const PlottedItem& item, std::size_t number, std::size_t plot,
                    const ReportLinks& links) {
  std::string html =
      "<h2>" + std::to_string(number) + ". Plot: " + EscapeHtml(item.expression) + "</h2>\n";
  html += Failures(item.failures);
  html += Table(RangeRows(item));
  if (!item.info) return html + "<p class=\"note\">" + kNoSeriesText + "</p>\n";
  const std::string picture = plot <= links.pictures.size() ? links.pictures[plot - 1] : "";
  if (picture.empty())
    html += "<div class=\"picture\">\n" + SeriesSvg(item.points, item.series_title) + "</div>\n";
  else
    html += "<p class=\"picture\"><img src=\"" + EscapeHtml(picture) + "\" alt=\"" +
            EscapeHtml(item.series_title) + "\" width=\"640\"></p>\n";
  html += "<h3>Plot info</h3>\n" + Table(PlotInfoRows(*item.info));
  html += "<h3>Table stats</h3>\n" + Table(StatsRows(item.figures));
  for (const PointList& list : item.lists) {
    html += "<h3>" + EscapeHtml(list.caption) + " (" +
            EscapeHtml(PointCountText(list.lines.size())) + ")</h3>\n";
    if (!list.lines.empty()) html += LineTable(list.lines);
  }
  const std::string csv = plot <= links.csv_files.size() ? links.csv_files[plot - 1] : "";
  if (!csv.empty())
    html += std::string("<p>") + kAllPointsCaption + "<a href=\"" + EscapeHtml(csv) + "\">" +
            EscapeHtml(csv) + "</a></p>\n";
  return html;
}

}  // namespace

std::string PngDataUri(const std::string& png_bytes) {
  return "data:image/png;base64," + Base64(png_bytes);
}

std::string HtmlReport(const Report& report, const ReportLinks& links) {
  std::string html =
      std::string("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") +
      kReportTitle + "</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n<h1>" +
      kReportTitle + "</h1>\n";
  std::size_t plot = 0;
  for (std::size_t i = 0; i < report.items.size(); ++i) {
    if (const auto* solved = std::get_if<SolvedItem>(&report.items[i]))
      html += Solved(*solved, i + 1);
    else
      html += Plotted(std::get<PlottedItem>(report.items[i]), i + 1, ++plot, links);
  }
  return html + "</body>\n</html>\n";
}

}  // namespace korvex
