// The pieces the report formats share: captions, figure rows, the part of a
// long list that is printed, and names of the files beside a report.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report_model.h"

namespace korvex {

inline constexpr const char* kReportTitle = "Korvex report";
// The notes every format writes in the same words.
inline constexpr const char* kNoStepsText = "No solution steps.";
inline constexpr const char* kNoSeriesText = "No series was plotted.";
inline constexpr const char* kAllPointsCaption = "All points: ";

// A caption and its value, one row of a figures table.
using FigureRow = std::pair<std::string, std::string>;

std::vector<FigureRow> AnswerRows(const SolvedItem& item);
std::vector<FigureRow> RangeRows(const PlottedItem& item);
// The Plot info window's rows, its group captions folded into the row names.
std::vector<FigureRow> PlotInfoRows(const PlotInfo& info);
std::vector<FigureRow> StatsRows(const SeriesFigures& figures);

// "# of points: " + count, as the Table and stats window labels its lists.
std::string PointCountText(std::size_t count);

// A list as a report prints it: all of a short one; of a long one its first
// and last lines with the number left out between them (0 when complete).
struct ShownLines {
  std::vector<std::string> head;
  std::size_t omitted = 0;
  std::vector<std::string> tail;
};
ShownLines ShownPart(const std::vector<std::string>& lines);
std::string OmittedText(std::size_t omitted);

// Links a report makes to files beside it: plotted item number 1, 2 ...
// (counted among the plotted items) gives its picture's and its CSV's names.
// An empty name means there is no such file.
struct ReportLinks {
  std::vector<std::string> pictures;
  std::vector<std::string> csv_files;
};
// "<report stem>-plot<n><extension>", a name beside `report`.
std::string BesideName(const std::filesystem::path& report, std::size_t plot,
                       std::string_view extension);
// Replaces `path` with `content` as a whole (WriteFileAtomically): false,
// with the file as it was, when it cannot.
bool WriteFileText(const std::filesystem::path& path, std::string_view content);

}  // namespace korvex
