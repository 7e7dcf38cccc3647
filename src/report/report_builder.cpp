// Report items from the calculator's state after a request.
#include "report/report_builder.h"

#include <cmath>
#include <utility>

#include "output/base_conversion.h"
#include "output/show_answer.h"
#include "plot/points_csv.h"

namespace korvex {

void ReportErrorRecorder::ReportError(const std::string& message, const std::string& title) {
  ReportErrorAt(message, title, std::nullopt);
}

void ReportErrorRecorder::ReportErrorAt(const std::string& message, const std::string& title,
                                        const std::optional<SourceRange>& place) {
  {
    const std::lock_guard lock(mutex_);
    messages_.push_back(message);
  }
  if (next_) next_->ReportErrorAt(message, title, place);
}

std::vector<std::string> ReportErrorRecorder::Take() {
  const std::lock_guard lock(mutex_);
  return std::exchange(messages_, {});
}

std::string BasePattern(long double value, int precision, int base) {
  // The same limit as the answer box's number systems.
  if (std::fabs(std::floor(value)) >= 0x1p48L) return kMaxConversionMessage;
  return ConvertToBase(value, precision, base);
}

SolvedItem RecordSolve(const Calculator& calculator, std::string expression,
                       const SolveOutcome& outcome, std::vector<std::string> reported) {
  SolvedItem item;
  item.expression = std::move(expression);
  item.steps = calculator.steps().Texts();
  item.answered = outcome.status == SolveOutcome::Status::kAnswered;
  if (item.answered) item.answer_text = outcome.answer_text;
  if (outcome.evaluated) {
    item.plain_answer = calculator.CopyAnswerText();
    const long double value = calculator.stored_answer();
    if (std::isfinite(value)) {
      const int precision = calculator.general().precision;
      item.base16 = BasePattern(value, precision, 16);
      item.base2 = BasePattern(value, precision, 2);
    }
  }
  item.failures = std::move(reported);
  if (!outcome.failure_text.empty()) item.failures.push_back(outcome.failure_text);
  return item;
}

NewSeriesWatch::NewSeriesWatch(const ChartModel& chart)
    : chart_(chart), count_(chart.series_count()) {
  // Runs on the plotting thread inside the chart's lock, after every change.
  subscription_ = chart_.Subscribe([this] {
    const std::size_t now = chart_.series_count();
    if (now > count_.exchange(now)) created_ = true;
  });
}

NewSeriesWatch::~NewSeriesWatch() { chart_.Unsubscribe(subscription_); }

PlottedItem RecordPlot(const Calculator& calculator, std::string expression,
                       const PlotOutcome& outcome, const NewSeriesWatch& watch,
                       std::vector<std::string> reported) {
  PlottedItem item;
  item.expression = std::move(expression);
  item.complete = outcome.status == PlotOutcome::Status::kComplete;
  item.failures = std::move(reported);
  if (!outcome.failure_text.empty()) item.failures.push_back(outcome.failure_text);
  const PlotSettings& settings = calculator.plot_settings();
  item.variable = settings.variable;
  item.start = settings.start;
  item.stop = settings.stop;
  item.increment = settings.increment;
  item.derivative = settings.derivative;

  const PlotStore& plotter = calculator.plots();
  const ChartModel& chart = plotter.chart();
  const std::size_t number = chart.series_count();
  if (!watch.created() || number == 0) return item;
  item.info = plotter.plot_info();
  const ChartSeries& series = chart.series(number);
  const SeriesStats& stats = plotter.stats(number);
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
  item.csv = PointsCsv(series, CsvHeader::kWith);
  return item;
}

}  // namespace korvex
