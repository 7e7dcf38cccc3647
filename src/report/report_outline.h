// What a report shows, element by element, in the order every format shows
// it: the HTML, Markdown and PDF writers each render these elements in their
// own markup and share everything else.
#pragma once

#include <string>
#include <vector>

#include "report/report_model.h"
#include "report/report_text.h"

namespace korvex {

enum class ReportElementKind {
  kItemHeading,     // "n. expression" or "n. Plot: expression"
  kSectionHeading,  // "Solution", "Plot info", a list's caption and count
  kNote,            // a note in the program's words
  kFailure,         // a failure as the program reported it
  kFigures,         // a table of captions and values
  kLines,           // steps or point lines, of a long list its ends
  kGraph,           // a plotted item's graph
  kPointsFile,      // the name of the CSV file with all points
};

struct ReportElement {
  ReportElementKind kind = ReportElementKind::kNote;
  // Headings, notes and failures; the CSV file's name; a graph's picture
  // (empty where the format draws the graph itself).
  std::string text;
  std::vector<FigureRow> rows;                      // kFigures
  const std::vector<std::string>* lines = nullptr;  // kLines
  const PlottedItem* plotted = nullptr;             // kGraph
  // A heading that nothing of its own follows need not keep with the next
  // element when pages break.
  bool keep_with_next = true;
};

// The elements of every item, the title left to each format. The elements
// point into `report`, which must outlive them.
std::vector<ReportElement> ReportOutline(const Report& report, const ReportLinks& links);

}  // namespace korvex
