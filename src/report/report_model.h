// What a report holds for each calculation: a solved item with its steps and
// answer texts, or a plotted item with its figures, lists and points. The
// texts are the program's own, as its windows show them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "plot/chart_model.h"
#include "plot/plot_timing.h"
#include "plot/series_figures.h"

namespace korvex {

struct SolvedItem {
  std::string expression;
  std::vector<std::string> steps;
  bool answered = false;
  std::string answer_text;   // the answer box
  std::string plain_answer;  // "Copy answer"
  // Base 16 and base 2 patterns, or the refusal text, when the engine gave a
  // finite number.
  std::optional<std::string> base16;
  std::optional<std::string> base2;
  // The failure as shown: the reported messages, or the general failure text.
  std::vector<std::string> failures;
};

// One of the point lists of the Table and stats window.
struct PointList {
  std::string caption;  // "Top points" ...
  std::vector<std::string> lines;
};

struct PlottedItem {
  std::string expression;
  bool complete = false;
  std::vector<std::string> failures;
  // The plot range as the Plot options dialog holds it.
  std::string variable;
  std::string start;
  std::string stop;
  std::string increment;
  bool derivative = false;
  // Nothing when the run made no series.
  std::optional<PlotInfo> info;
  std::string series_title;
  SeriesFigures figures;
  std::vector<PointList> lists;  // the table first
  std::vector<ChartPoint> points;
  // How the graph drew it, for a front end that draws the picture itself.
  SeriesAppearance appearance;
  Colour back_colour = kDefaultBackColour;
  std::string csv;
};

using ReportItem = std::variant<SolvedItem, PlottedItem>;

struct Report {
  std::vector<ReportItem> items;
};

// How many table lines a report prints in full; a longer table shows its
// first and last lines around a note, and the whole of it goes to the CSV.
inline constexpr std::size_t kFullTableLines = 20;
inline constexpr std::size_t kTableEndLines = 8;

}  // namespace korvex
