// The SVG picture of a series.
#include "report/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "report/markup.h"

namespace korvex {
namespace {

constexpr double kMargin = 48;
// Room for the y labels, "-1.235e+17" at most.
constexpr double kLabelRoom = 72;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

std::string Coordinate(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

struct Span {
  double low;
  double high;
};

// An empty span (one value) is widened so the curve sits in the middle.
Span Widened(double low, double high) {
  if (high > low) return {low, high};
  const double pad = low == 0 ? 1 : std::fabs(low) * 0.5;
  return {low - pad, high + pad};
}

}  // namespace

std::string SeriesSvg(const std::vector<ChartPoint>& points, const std::string& title) {
  std::optional<Span> xs, ys;
  for (const ChartPoint& point : points) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) continue;
    if (!xs) {
      xs = Span{point.x, point.x};
      ys = Span{point.y, point.y};
      continue;
    }
    xs = Span{std::min(xs->low, point.x), std::max(xs->high, point.x)};
    ys = Span{std::min(ys->low, point.y), std::max(ys->high, point.y)};
  }
  const double width = kSvgChartWidth, height = kSvgChartHeight;
  std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kSvgChartWidth) +
      "\" height=\"" + std::to_string(kSvgChartHeight) + "\" viewBox=\"0 0 " +
      std::to_string(kSvgChartWidth) + " " + std::to_string(kSvgChartHeight) +
      "\" font-family=\"sans-serif\" font-size=\"11\">\n<title>" + EscapeHtml(title) +
      "</title>\n" + "<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  const double left = kLabelRoom, right = width - kMargin / 2, top = kMargin / 2,
               bottom = height - kMargin;
  svg += "<rect x=\"" + Coordinate(left) + "\" y=\"" + Coordinate(top) + "\" width=\"" +
         Coordinate(right - left) + "\" height=\"" + Coordinate(bottom - top) +
         "\" fill=\"none\" stroke=\"#808080\"/>\n";
  if (!xs) return svg + "</svg>\n";

  const Span x = Widened(xs->low, xs->high), y = Widened(ys->low, ys->high);
  const auto px = [&](double value) {
    return left + (value - x.low) / (x.high - x.low) * (right - left);
  };
  const auto py = [&](double value) {
    return bottom - (value - y.low) / (y.high - y.low) * (bottom - top);
  };
  if (x.low < 0 && x.high > 0)
    svg += "<line x1=\"" + Coordinate(px(0)) + "\" y1=\"" + Coordinate(top) + "\" x2=\"" +
           Coordinate(px(0)) + "\" y2=\"" + Coordinate(bottom) + "\" stroke=\"#c0c0c0\"/>\n";
  if (y.low < 0 && y.high > 0)
    svg += "<line x1=\"" + Coordinate(left) + "\" y1=\"" + Coordinate(py(0)) + "\" x2=\"" +
           Coordinate(right) + "\" y2=\"" + Coordinate(py(0)) + "\" stroke=\"#c0c0c0\"/>\n";

  // Per pixel column the first, lowest, highest and last point keep the
  // curve's look at a fraction of a long series' size.
  std::string line;
  auto flush = [&svg, &line] {
    if (line.find(' ') != std::string::npos)
      svg += "<polyline fill=\"none\" stroke=\"#0000ff\" stroke-width=\"1.5\" points=\"" + line +
             "\"/>\n";
    line.clear();
  };
  auto add = [&](double cx, double cy) {
    if (!line.empty()) line += ' ';
    line += Coordinate(cx) + ',' + Coordinate(cy);
  };
  long column = -1;
  std::optional<ChartPoint> lowest, highest, last;
  auto close_column = [&] {
    if (!last) return;
    const ChartPoint* keep[] = {&*lowest, &*highest, &*last};
    std::sort(std::begin(keep), std::end(keep),
              [](const ChartPoint* a, const ChartPoint* b) { return a->x < b->x; });
    for (const ChartPoint* point : keep) add(px(point->x), py(point->y));
    lowest.reset();
    highest.reset();
    last.reset();
  };
  for (const ChartPoint& point : points) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
      close_column();
      flush();
      column = -1;
      continue;
    }
    const long here = std::lround(px(point.x));
    if (here != column) {
      close_column();
      column = here;
      add(px(point.x), py(point.y));
    }
    if (!lowest || point.y < lowest->y) lowest = point;
    if (!highest || point.y > highest->y) highest = point;
    last = point;
  }
  close_column();
  flush();

  const auto label = [&svg](double lx, double ly, const char* anchor, const std::string& text) {
    svg += "<text x=\"" + Coordinate(lx) + "\" y=\"" + Coordinate(ly) + "\" text-anchor=\"" +
           anchor + "\">" + EscapeHtml(text) + "</text>\n";
  };
  label(left, bottom + 16, "start", Number(x.low));
  label(right, bottom + 16, "end", Number(x.high));
  label(left - 4, bottom, "end", Number(y.low));
  label(left - 4, top + 8, "end", Number(y.high));
  return svg + "</svg>\n";
}

}  // namespace korvex
