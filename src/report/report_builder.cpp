// Report items from an outcome and the session it was applied to.
#include "report/report_builder.h"

#include <cmath>
#include <utility>
#include <vector>

#include "output/base_conversion.h"
#include "output/show_answer.h"
#include "plot/points_csv.h"
#include "plot/series_figures.h"

namespace korvex {
namespace {

// The failures as the windows and the terminal show them: the reported
// messages in their order, then the general failure text.
std::vector<std::string> FailureTexts(const std::vector<ReportedFailure>& reported,
                                      const std::string& failure_text) {
  std::vector<std::string> texts;
  for (const ReportedFailure& failure : reported) texts.push_back(failure.message);
  if (!failure_text.empty()) texts.push_back(failure_text);
  return texts;
}

}  // namespace

std::string BasePattern(long double value, int precision, int base) {
  // The same limit as the answer box's number systems.
  if (std::fabs(std::floor(value)) >= 0x1p48L) return kMaxConversionMessage;
  return ConvertToBase(value, precision, base);
}

SolvedItem RecordSolve(std::string expression, const SolveOutcome& outcome, const Session& session,
                       const GeneralSettings& general) {
  SolvedItem item;
  item.expression = std::move(expression);
  item.steps = session.steps().Texts();
  item.answered = outcome.status == SolveOutcome::Status::kAnswered;
  if (item.answered) item.answer_text = outcome.answer_text;
  if (outcome.evaluated) {
    item.plain_answer = session.CopyAnswerText();
    const long double value = session.stored_answer();
    if (std::isfinite(value)) {
      item.base16 = BasePattern(value, general.precision, 16);
      item.base2 = BasePattern(value, general.precision, 2);
    }
  }
  item.failures = FailureTexts(outcome.reported, outcome.failure_text);
  return item;
}

PlottedItem RecordPlot(std::string expression, const PlotOutcome& outcome, const Session& session,
                       const PlotSettings& settings) {
  PlottedItem item;
  item.expression = std::move(expression);
  item.complete = outcome.status == PlotOutcome::Status::kComplete;
  item.failures = FailureTexts(outcome.reported, outcome.failure_text);
  item.variable = settings.variable;
  item.start = settings.start;
  item.stop = settings.stop;
  item.increment = settings.increment;
  item.derivative = settings.derivative;

  // A run refused before its series leaves nothing of its own to show, not
  // even in single mode, where the series before it is still on the chart.
  const PlotStore& plots = session.plots();
  const ChartModel& chart = plots.chart();
  const std::size_t number = outcome.series_number;
  if (number == 0 || number > chart.series_count()) return item;
  item.info = plots.plot_info();
  const ChartSeries& series = chart.series(number);
  const SeriesStats& stats = plots.stats(number);
  item.series_title = series.title();
  item.figures = ComputeSeriesFigures(series, stats);
  item.lists = {
      {"Table", stats.table_lines},          {"Top points", stats.top_lines},
      {"Bottom points", stats.bottom_lines}, {"Max points", stats.max_lines},
      {"Min points", stats.min_lines},       {"Zero points", stats.zero_lines},
  };
  item.points = series.points();
  item.appearance = series.appearance();
  item.back_colour = chart.back_colour();
  item.csv = PointsCsv(series, stats.table_lines, CsvHeader::kWith);
  return item;
}

}  // namespace korvex
