// A session: the working state that a front end shows and requests leave
// behind: the stored answer with its separator, the last solve's steps, the
// random generators and the plots. The user's windows show one session; a
// report run keeps one of its own, so it never changes what the user sees.
// A session belongs to one thread, which alone applies outcomes to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/request.h"
#include "core/request_notices.h"
#include "core/request_outcome.h"
#include "engine/step_log.h"
#include "plot/plot_store.h"

namespace korvex {

class Session {
 public:
  // The random generators as a new engine starts them: `random` with its
  // fixed sequence, the others seeded from the clock.
  Session();

  long double stored_answer() const { return stored_answer_; }
  // The decimal separator in force for display: every request sets ",";
  // the answer output may switch it to "." until the next request.
  char decimal_separator() const { return decimal_separator_; }
  const StepLog& steps() const { return steps_; }
  // The text the steps were solved from; their places point into it.
  const std::string& solved_text() const { return solved_text_; }
  // Grows each time the steps (and with them the solved text) are
  // replaced, so a view that holds a copy knows whether it is still the
  // session's.
  std::uint64_t steps_revision() const { return steps_revision_; }
  const RandomState& random() const { return random_; }
  PlotStore& plots() { return plots_; }
  const PlotStore& plots() const { return plots_; }

  // "Copy answer": the stored answer in the separator now in force.
  std::string CopyAnswerText() const;

  // What each outcome leaves in the session. The outcome's steps and
  // statistics move in.
  void Apply(SolveOutcome& outcome);
  void Apply(PlotOutcome& outcome);
  void Apply(const BenchmarkStepOutcome& outcome);
  // A running plot's series and points, in the order the run sent them.
  // Without `points`, the new series only counts its points and spans
  // their ranges; with them, it makes room for `expected` points at once.
  void AdoptSeries(const ChartModel& outline, bool points = true, std::size_t expected = 0);
  void AppendPoints(std::size_t number, std::span<const ChartPoint> points);

 private:
  long double stored_answer_ = 0;
  char decimal_separator_ = ',';
  StepLog steps_;
  std::string solved_text_;
  std::uint64_t steps_revision_ = 0;
  RandomState random_;
  PlotStore plots_;
};

// Notices applied to a session on the thread that runs the request (a
// command-line run, a report), then passed on to `next` when given.
class SessionNotices : public RequestNotices {
 public:
  explicit SessionNotices(Session& session, RequestNotices* next = nullptr,
                          const PlotKeeping& keeping = PlotKeeping())
      : session_(session), next_(next), keeping_(keeping) {}
  void ProgressMaximum(std::int32_t maximum) override;
  void PlotStarted(const PlotInfo& info) override;
  void SeriesCreated(const ChartModel& outline) override;
  void PointsAdded(std::size_t number, std::span<const ChartPoint> points) override;
  void TableLinesAdded(std::size_t number, std::span<const std::string> lines) override;
  void ProgressPosition(std::size_t position) override;

 private:
  Session& session_;
  RequestNotices* next_;
  PlotKeeping keeping_;
  std::size_t expected_points_ = 0;
};

}  // namespace korvex
