// Turns the calculator's state after one solve or plot request into a report
// item, and collects what the request reported through the error sink.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "core/calculator.h"
#include "report/report_model.h"

namespace korvex {

// Keeps the messages of the failures reported while a report's requests run
// and passes each on to `next` (which may be null), so the windows or the
// terminal still show them. Requests report on the calculator's worker.
class ReportErrorRecorder : public ErrorSink {
 public:
  explicit ReportErrorRecorder(ErrorSink* next) : next_(next) {}
  void ReportError(const std::string& message, const std::string& title) override;
  void ReportErrorAt(const std::string& message, const std::string& title,
                     const std::optional<SourceRange>& place) override;
  // The messages since the last call.
  std::vector<std::string> Take();

 private:
  ErrorSink* next_;
  std::mutex mutex_;
  std::vector<std::string> messages_;
};

// Read right after Solve(expression) ended with `outcome`.
SolvedItem RecordSolve(const Calculator& calculator, std::string expression,
                       const SolveOutcome& outcome, std::vector<std::string> reported);

// Notes whether a series is added to the chart while it exists: a plot in
// single mode removes the older series first, so the count alone cannot
// tell a refused run (no series of its own) from one that made a series.
class NewSeriesWatch {
 public:
  explicit NewSeriesWatch(const ChartModel& chart);
  ~NewSeriesWatch();
  NewSeriesWatch(const NewSeriesWatch&) = delete;
  NewSeriesWatch& operator=(const NewSeriesWatch&) = delete;
  bool created() const { return created_.load(); }

 private:
  const ChartModel& chart_;
  std::atomic<std::size_t> count_;
  std::atomic<bool> created_{false};
  ChartModel::Subscription subscription_;
};

// Read right after Plot(expression) ended with `outcome`; `watch` was made
// before the request.
PlottedItem RecordPlot(const Calculator& calculator, std::string expression,
                       const PlotOutcome& outcome, const NewSeriesWatch& watch,
                       std::vector<std::string> reported);

// The base 16 or base 2 pattern of a finite answer as the number systems
// show it, or their refusal text.
std::string BasePattern(long double value, int precision, int base);

}  // namespace korvex
