#include "report/report_outline.h"

#include <utility>

namespace korvex {
namespace {

class Outline {
 public:
  void Add(ReportElementKind kind, std::string text = {}) {
    ReportElement& element = elements_.emplace_back();
    element.kind = kind;
    element.text = std::move(text);
  }
  void Heading(std::string text, bool keep_with_next = true) {
    Add(ReportElementKind::kSectionHeading, std::move(text));
    elements_.back().keep_with_next = keep_with_next;
  }
  void Figures(std::vector<FigureRow> rows) {
    Add(ReportElementKind::kFigures);
    elements_.back().rows = std::move(rows);
  }
  void Lines(const std::vector<std::string>& lines) {
    Add(ReportElementKind::kLines);
    elements_.back().lines = &lines;
  }
  void Failures(const std::vector<std::string>& failures) {
    for (const std::string& failure : failures) Add(ReportElementKind::kFailure, failure);
  }
  void Graph(const PlottedItem& item, std::string picture) {
    Add(ReportElementKind::kGraph, std::move(picture));
    elements_.back().plotted = &item;
  }
  std::vector<ReportElement> Take() { return std::move(elements_); }

 private:
  std::vector<ReportElement> elements_;
};

// Link n - 1 of `names`, or nothing.
std::string Linked(const std::vector<std::string>& names, std::size_t n) {
  return n <= names.size() ? names[n - 1] : std::string();
}

void AddSolved(Outline& outline, const SolvedItem& item, std::size_t number) {
  outline.Add(ReportElementKind::kItemHeading, std::to_string(number) + ". " + item.expression);
  if (item.steps.empty()) {
    outline.Add(ReportElementKind::kNote, kNoStepsText);
  } else {
    outline.Heading("Solution");
    outline.Lines(item.steps);
  }
  outline.Failures(item.failures);
  std::vector<FigureRow> rows = AnswerRows(item);
  if (!rows.empty()) outline.Figures(std::move(rows));
}

void AddPlotted(Outline& outline, const PlottedItem& item, std::size_t number, std::size_t plot,
                const ReportLinks& links) {
  outline.Add(ReportElementKind::kItemHeading,
              std::to_string(number) + ". Plot: " + item.expression);
  outline.Failures(item.failures);
  outline.Figures(RangeRows(item));
  if (!item.info) {
    outline.Add(ReportElementKind::kNote, kNoSeriesText);
    return;
  }
  outline.Graph(item, Linked(links.pictures, plot));
  outline.Heading("Plot info");
  outline.Figures(PlotInfoRows(*item.info));
  outline.Heading("Table stats");
  outline.Figures(StatsRows(item.figures));
  for (const PointList& list : item.lists) {
    outline.Heading(list.caption + " (" + PointCountText(list.lines.size()) + ")",
                    !list.lines.empty());
    if (!list.lines.empty()) outline.Lines(list.lines);
  }
  std::string csv = Linked(links.csv_files, plot);
  if (!csv.empty()) outline.Add(ReportElementKind::kPointsFile, std::move(csv));
}

}  // namespace

std::vector<ReportElement> ReportOutline(const Report& report, const ReportLinks& links) {
  Outline outline;
  std::size_t plot = 0;
  for (std::size_t i = 0; i < report.items.size(); ++i) {
    if (const auto* solved = std::get_if<SolvedItem>(&report.items[i]))
      AddSolved(outline, *solved, i + 1);
    else
      AddPlotted(outline, std::get<PlottedItem>(report.items[i]), i + 1, ++plot, links);
  }
  return outline.Take();
}

}  // namespace korvex
