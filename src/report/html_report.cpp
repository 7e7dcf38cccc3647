// The HTML report. Steps and list lines are table rows, because a printed
// page breaks between rows rather than through one.
#include "report/html_report.h"

#include "report/markup.h"
#include "report/report_outline.h"
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

std::string Graph(const ReportElement& element) {
  const PlottedItem& item = *element.plotted;
  if (element.text.empty())
    return "<div class=\"picture\">\n" + SeriesSvg(item.points, item.series_title) + "</div>\n";
  return "<p class=\"picture\"><img src=\"" + EscapeHtml(element.text) + "\" alt=\"" +
         EscapeHtml(item.series_title) + "\" width=\"640\"></p>\n";
}

std::string Element(const ReportElement& element) {
  switch (element.kind) {
    case ReportElementKind::kItemHeading:
      return "<h2>" + EscapeHtml(element.text) + "</h2>\n";
    case ReportElementKind::kSectionHeading:
      return "<h3>" + EscapeHtml(element.text) + "</h3>\n";
    case ReportElementKind::kNote:
      return "<p class=\"note\">" + EscapeHtml(element.text) + "</p>\n";
    case ReportElementKind::kFailure:
      return "<p class=\"failure\"><font color=\"#b00000\">" + EscapeHtml(element.text) +
             "</font></p>\n";
    case ReportElementKind::kFigures:
      return Table(element.rows);
    case ReportElementKind::kLines:
      return LineTable(*element.lines);
    case ReportElementKind::kGraph:
      return Graph(element);
    case ReportElementKind::kPointsFile:
      return std::string("<p>") + kAllPointsCaption + "<a href=\"" + EscapeHtml(element.text) +
             "\">" + EscapeHtml(element.text) + "</a></p>\n";
  }
  return {};
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
  for (const ReportElement& element : ReportOutline(report, links)) html += Element(element);
  return html + "</body>\n</html>\n";
}

}  // namespace korvex
