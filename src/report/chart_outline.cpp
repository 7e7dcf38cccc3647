// The graph's outline: scaling the series into the frame and thinning it.
#include "report/chart_outline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

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

ChartOutline OutlineOf(const std::vector<ChartPoint>& points, double width, double height) {
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
  ChartOutline outline{kLabelRoom, kMargin / 2, width - kMargin / 2, height - kMargin, {}, {}, {}};
  if (!xs) return outline;

  const double left = outline.left, right = outline.right, top = outline.top,
               bottom = outline.bottom;
  const Span x = Widened(xs->low, xs->high), y = Widened(ys->low, ys->high);
  const auto px = [&](double value) {
    return left + (value - x.low) / (x.high - x.low) * (right - left);
  };
  const auto py = [&](double value) {
    return bottom - (value - y.low) / (y.high - y.low) * (bottom - top);
  };
  if (x.low < 0 && x.high > 0) outline.zero_lines.push_back({{px(0), top}, {px(0), bottom}});
  if (y.low < 0 && y.high > 0) outline.zero_lines.push_back({{left, py(0)}, {right, py(0)}});

  // Per picture column the first, lowest, highest and last point keep the
  // curve's look at a fraction of a long series' size.
  std::vector<OutlinePoint> piece;
  auto flush = [&outline, &piece] {
    if (piece.size() >= 2) outline.curve.push_back(std::move(piece));
    piece.clear();
  };
  long column = -1;
  std::optional<ChartPoint> lowest, highest, last;
  auto close_column = [&] {
    if (!last) return;
    const ChartPoint* keep[] = {&*lowest, &*highest, &*last};
    std::sort(std::begin(keep), std::end(keep),
              [](const ChartPoint* a, const ChartPoint* b) { return a->x < b->x; });
    for (const ChartPoint* point : keep) piece.push_back({px(point->x), py(point->y)});
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
      piece.push_back({px(point.x), py(point.y)});
    }
    if (!lowest || point.y < lowest->y) lowest = point;
    if (!highest || point.y > highest->y) highest = point;
    last = point;
  }
  close_column();
  flush();

  using Anchor = OutlineLabel::Anchor;
  outline.labels = {
      {{left, bottom + 16}, Anchor::kStart, Number(x.low)},
      {{right, bottom + 16}, Anchor::kEnd, Number(x.high)},
      {{left - 4, bottom}, Anchor::kEnd, Number(y.low)},
      {{left - 4, top + 8}, Anchor::kEnd, Number(y.high)},
  };
  return outline;
}

}  // namespace korvex
