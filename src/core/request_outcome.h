// What a solve, plot or benchmark request gave, as the front ends show it.
#pragma once

#include <optional>
#include <string>

#include "engine/error_sink.h"
#include "plot/benchmark.h"

namespace korvex {

struct SolveOutcome {
  enum class Status {
    kAnswered,        // `answer_text` is the answer box text
    kReported,        // the failure went to the error sink
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
};

struct BenchmarkStepOutcome {
  Benchmark::Step step = Benchmark::Step::kIdle;
  // An arithmetic failure that ended the test (the step is then kFailed).
  std::string failure_text;
};

inline constexpr const char* kOutOfMemoryMessage =
    "There is not enough memory for this calculation.";

// The general failure display's text: the failure's own text with a full
// stop when its last character sorts after the full stop ("Floating point
// overflow" -> "Floating point overflow.").
std::string GeneralFailureText(const std::string& text);

}  // namespace korvex
