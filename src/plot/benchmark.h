// The benchmark: twelve fixed plots timed one after the other, and the score
// from their net plot times. The window runs one test per timer tick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/stop_flag.h"
#include "plot/plotter.h"

namespace korvex {

inline constexpr const char* kPleaseWaitText = "Please wait...";
inline constexpr const char* kStoppedText = "Stopped";
// A test whose plot did not complete; the run ends there without a score.
inline constexpr const char* kFailedText = "Failed";

struct BenchmarkTest {
  std::string label;    // object name of the result label
  std::string group;    // e.g. "Integer"
  std::string caption;  // e.g. "Simple (low):"
  std::string expression;
  std::string start;
  std::string stop;
  std::string increment;
};

const std::vector<BenchmarkTest>& StandardBenchmarkTests();

// Whole milliseconds per test: total / tests / 1000, each division truncating.
std::int64_t BenchmarkScore(std::int64_t total_microseconds, std::size_t test_count);

class Benchmark {
 public:
  // A value: it holds no plotter, so a front end can hand it to a request
  // and take it back with the request's outcome.
  explicit Benchmark(std::vector<BenchmarkTest> tests = StandardBenchmarkTests());

  enum class Step { kNextPending, kFinished, kFailed, kStopped, kIdle };

  // Polled after a test that did not complete: set means the user stopped
  // it, and its label reads "Stopped" rather than "Failed".
  void set_stop_flag(const StopFlag* stop) { stop_ = stop; }

  // "Start": labels "n/a", total 0, the first label "Please wait...".
  void Start();
  // One test (a timer tick) on `plotter`, with the benchmark's settings
  // (x, multiple plot, no derivative, the test's range) over the plotter's
  // own. Its series leaves the chart again. After the last test the
  // benchmark finishes, the plotter's Plot info is reset and the score is
  // available. An arithmetic failure escaping the plot ends the benchmark as
  // failed and is passed on; a stop ends it as stopped. Whoever owns the
  // user's plot options restores them once the benchmark has ended.
  Step RunCurrentTest(Plotter& plotter);
  // "Stop" while waiting: the current label reads "Stopped"; no score.
  void Stop();

  bool running() const { return running_; }
  std::size_t test_index() const { return index_; }
  std::int64_t total() const { return total_; }
  std::optional<std::int64_t> score() const { return score_; }
  const std::vector<BenchmarkTest>& tests() const { return tests_; }
  const std::vector<std::string>& labels() const { return labels_; }

 private:
  // With the plotter the run ended on; null when stopped between tests.
  void Finish(Plotter* plotter);
  // `label` is kFailedText or kStoppedText.
  void EndFailedTest(Plotter& plotter, std::size_t series_before, const char* label);

  const StopFlag* stop_ = nullptr;
  std::vector<BenchmarkTest> tests_;
  std::vector<std::string> labels_;
  bool running_ = false;
  std::size_t index_ = 0;
  std::int64_t total_ = 0;
  std::optional<std::int64_t> score_;
};

}  // namespace korvex
