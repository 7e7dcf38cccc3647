// The SVG picture of a series, drawn from its outline.
#include "report/svg_chart.h"

#include <cstdio>

#include "report/chart_outline.h"
#include "report/markup.h"

namespace korvex {
namespace {

std::string Coordinate(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Line(const OutlineLine& line) {
  return "<line x1=\"" + Coordinate(line.from.x) + "\" y1=\"" + Coordinate(line.from.y) +
         "\" x2=\"" + Coordinate(line.to.x) + "\" y2=\"" + Coordinate(line.to.y) +
         "\" stroke=\"#c0c0c0\"/>\n";
}

std::string Polyline(const std::vector<OutlinePoint>& piece) {
  std::string points;
  for (const OutlinePoint& point : piece) {
    if (!points.empty()) points += ' ';
    points += Coordinate(point.x) + ',' + Coordinate(point.y);
  }
  return "<polyline fill=\"none\" stroke=\"#0000ff\" stroke-width=\"1.5\" points=\"" + points +
         "\"/>\n";
}

std::string Label(const OutlineLabel& label) {
  const char* anchor = label.anchor == OutlineLabel::Anchor::kStart ? "start" : "end";
  return "<text x=\"" + Coordinate(label.at.x) + "\" y=\"" + Coordinate(label.at.y) +
         "\" text-anchor=\"" + anchor + "\">" + EscapeHtml(label.text) + "</text>\n";
}

}  // namespace

std::string SeriesSvg(const std::vector<ChartPoint>& points, const std::string& title) {
  const ChartOutline outline = OutlineOf(points, kSvgChartWidth, kSvgChartHeight);
  const std::string width = std::to_string(kSvgChartWidth),
                    height = std::to_string(kSvgChartHeight);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "\" height=\"" +
                    height + "\" viewBox=\"0 0 " + width + " " + height +
                    "\" font-family=\"sans-serif\" font-size=\"11\">\n<title>" + EscapeHtml(title) +
                    "</title>\n" +
                    "<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += "<rect x=\"" + Coordinate(outline.left) + "\" y=\"" + Coordinate(outline.top) +
         "\" width=\"" + Coordinate(outline.right - outline.left) + "\" height=\"" +
         Coordinate(outline.bottom - outline.top) + "\" fill=\"none\" stroke=\"#808080\"/>\n";
  for (const OutlineLine& line : outline.zero_lines) svg += Line(line);
  for (const auto& piece : outline.curve) svg += Polyline(piece);
  for (const OutlineLabel& label : outline.labels) svg += Label(label);
  return svg + "</svg>\n";
}

}  // namespace korvex
