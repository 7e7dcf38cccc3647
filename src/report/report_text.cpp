// Captions and list cutting shared by the HTML, Markdown and PDF reports.
#include "report/report_text.h"

#include "settings/atomic_file.h"

namespace korvex {

std::vector<FigureRow> AnswerRows(const SolvedItem& item) {
  std::vector<FigureRow> rows;
  if (item.answered) rows.emplace_back("Answer", item.answer_text);
  if (!item.plain_answer.empty()) rows.emplace_back("Copy answer", item.plain_answer);
  if (item.base16) rows.emplace_back("Hexadecimal (base 16)", *item.base16);
  if (item.base2) rows.emplace_back("Binary (base 2)", *item.base2);
  return rows;
}

std::vector<FigureRow> RangeRows(const PlottedItem& item) {
  std::vector<FigureRow> rows = {
      {"Variable", item.variable},
      {"Start", item.start},
      {"Stop", item.stop},
      {"Increment", item.increment},
  };
  if (item.derivative) rows.emplace_back("Derivative", "yes");
  return rows;
}

std::vector<FigureRow> PlotInfoRows(const PlotInfo& info) {
  return {
      {"Current function:", info.function},
      {"Current serie:", info.serie},
      {"Total calculations:", info.total_calculations},
      {"Calculations done:", info.calculations_done},
      {"Done in: Microseconds:", info.done_mu},
      {"Done in: Milliseconds:", info.done_ms},
      {"Done in: Seconds:", info.done_sec},
      {"Per calculation: Microseconds:", info.per_calculation_mu},
      {"Per calculation: Milliseconds:", info.per_calculation_ms},
  };
}

std::vector<FigureRow> StatsRows(const SeriesFigures& figures) {
  return {
      {"Max point value:", figures.max_value}, {"Min point value:", figures.min_value},
      {"Sum points:", figures.sum_points},     {"Point area:", figures.point_area},
      {"Point mean:", figures.point_mean},
  };
}

std::string PointCountText(std::size_t count) { return "# of points: " + std::to_string(count); }

ShownLines ShownPart(const std::vector<std::string>& lines) {
  ShownLines shown;
  if (lines.size() <= kFullTableLines) {
    shown.head = lines;
    return shown;
  }
  shown.head.assign(lines.begin(), lines.begin() + kTableEndLines);
  shown.tail.assign(lines.end() - kTableEndLines, lines.end());
  shown.omitted = lines.size() - 2 * kTableEndLines;
  return shown;
}

std::string OmittedText(std::size_t omitted) {
  return "... " + std::to_string(omitted) + " more lines ...";
}

std::string BesideName(const std::filesystem::path& report, std::size_t plot,
                       std::string_view extension) {
  return report.stem().string() + "-plot" + std::to_string(plot) + std::string(extension);
}

bool WriteFileText(const std::filesystem::path& path, std::string_view content) {
  return WriteFileAtomically(path, content);
}

}  // namespace korvex
