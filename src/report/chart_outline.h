// What a report's graph is made of, in picture coordinates (origin at the
// top left, y downwards): the frame, the zero lines, the curve and the
// ranges at the corners. The SVG and the PDF reports draw the same outline.
#pragma once

#include <string>
#include <vector>

#include "plot/chart_model.h"

namespace korvex {

struct OutlinePoint {
  double x;
  double y;
};

struct OutlineLine {
  OutlinePoint from;
  OutlinePoint to;
};

// A label's text sits on its baseline; `at` is its left end (kStart) or its
// right end (kEnd).
struct OutlineLabel {
  enum class Anchor { kStart, kEnd };
  OutlinePoint at;
  Anchor anchor;
  std::string text;
};

struct ChartOutline {
  double left;
  double top;
  double right;
  double bottom;
  std::vector<OutlineLine> zero_lines;
  // Each piece has two points or more; points that are not finite break the
  // curve between pieces.
  std::vector<std::vector<OutlinePoint>> curve;
  // Empty when no point is finite: then only the frame is drawn.
  std::vector<OutlineLabel> labels;
};

inline constexpr double kOutlineLabelSize = 11;

// A series of many points is thinned to a few per picture column, keeping
// each column's extremes.
ChartOutline OutlineOf(const std::vector<ChartPoint>& points, double width, double height);

}  // namespace korvex
