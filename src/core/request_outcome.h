// What a solve, plot or benchmark request gave, as values: everything a
// front end shows of it and everything its session keeps of it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/request.h"
#include "engine/error_sink.h"
#include "engine/step_log.h"
#include "plot/benchmark.h"
#include "plot/plot_timing.h"
#include "plot/series_stats.h"

namespace korvex {

// A failure a request reported (ReportError), in the order reported.
struct ReportedFailure {
  std::string message;
  std::string title;
  std::optional<SourceRange> place;
};

struct SolveOutcome {
  enum class Status {
    kAnswered,        // `answer_text` is the answer box text
    kReported,        // the failure is in `reported`
    kGeneralFailure,  // `failure_text` goes to the general failure display
    kCanceled,        // stopped by RequestStop; the steps recorded so far stay
  };
  Status status = Status::kReported;
  // The engine produced a number: the stored answer, the separator in force
  // and `bit_count` follow it, even when its text then failed.
  bool evaluated = false;
  std::string answer_text;
  std::string bit_count;  // status panel 0, e.g. "4 bit"
  std::string failure_text;
  // kReported by the engine: the part of the text it failed at, when known.
  std::optional<SourceRange> error_place;

  std::vector<ReportedFailure> reported;
  StepLog steps;
  // The text solved: the steps' places count its characters.
  std::string solved_text;
  long double stored_answer = 0;
  char decimal_separator = ',';
  RandomState random;
};

struct PlotOutcome {
  enum class Status {
    kComplete,        // every sample plotted
    kStopped,         // refused, failed (reported) or cancelled at the reminder (shown)
    kGeneralFailure,  // `failure_text`: an arithmetic failure inside a function
    kCanceled,        // stopped by RequestStop, finished as a cancelled run
  };
  Status status = Status::kStopped;
  std::string failure_text;

  std::vector<ReportedFailure> reported;
  StepLog steps;
  RandomState random;
  // How the run's Plot info ended: not at all (refused before its series),
  // finished with `info`'s figures, or finished as cancelled.
  enum class InfoEnd { kNone, kFinished, kCancelled };
  InfoEnd info_end = InfoEnd::kNone;
  PlotInfo info;
  // The series the run created (0: none) and its statistics. Its points
  // reached the session's chart as the run went.
  std::size_t series_number = 0;
  SeriesStats stats;
};

struct BenchmarkStepOutcome {
  Benchmark::Step step = Benchmark::Step::kIdle;
  // An arithmetic failure that ended the test (the step is then kFailed).
  std::string failure_text;
  // The benchmark, one test further, handed back.
  Benchmark benchmark;
  std::vector<ReportedFailure> reported;
  // How the test's plot ended its Plot info, as a plot request's does.
  PlotOutcome::InfoEnd info_end = PlotOutcome::InfoEnd::kNone;
  PlotInfo info;
  // The run ended and reset the Plot info figures.
  bool info_reset = false;
};

inline constexpr const char* kOutOfMemoryMessage =
    "There is not enough memory for this calculation.";

// The general failure display's text: the failure's own text with a full
// stop when its last character sorts after the full stop ("Floating point
// overflow" -> "Floating point overflow.").
std::string GeneralFailureText(const std::string& text);

}  // namespace korvex
