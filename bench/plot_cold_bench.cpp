// A plot as a user runs it: one `korvex-cli plot` in a fresh process per
// measurement, so nothing is reused from an earlier run and every page the
// run keeps is taken fresh. Reported per test: the run's own "Done in"
// figure per sample, the hand-written loop over the same samples timed in
// this process just after, their ratio, the child's peak memory and its
// growth per sample over a one-sample run. plot_sample_bench keeps the warm
// loop as the second figure.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hand_written_loops.h"
#include "plot/benchmark.h"
#include "settings/data_directory.h"

extern char** environ;

namespace korvex {
namespace {

using hand_written::Range;

// One fresh run's figures.
struct ColdRun {
  double plot_microseconds = 0;  // the Plot info's "Done in"
  double samples = 0;            // its "Calculations done"
  double peak_kilobytes = 0;     // the process's largest resident size
};

// The integer after `label` in `text`, if any.
std::optional<double> NumberAfter(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  if (at == std::string::npos) return std::nullopt;
  return std::strtod(text.c_str() + at + label.size(), nullptr);
}

std::optional<ColdRun> RunFreshPlot(const std::string& expression, const std::string& start,
                                    const std::string& stop, const std::string& increment) {
  const std::string program = (ExecutableDirectory() / "korvex-cli").string();
  const std::string data_dir = ExecutableDirectory().string();
  std::vector<std::string> args = {program,       "plot",    "--data-dir", data_dir,
                                   "--start",     start,     "--stop",     stop,
                                   "--increment", increment, "--",         expression};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return std::nullopt;
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&files, pipe_ends[0]);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  ::close(pipe_ends[1]);
  std::string out;
  if (spawned == 0) {
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0)
      out.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipe_ends[0]);
  if (spawned != 0) return std::nullopt;
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  const auto done = NumberAfter(out, "Done in:\n  Microseconds: ");
  const auto samples = NumberAfter(out, "Calculations done: ");
  if (!done || !samples) return std::nullopt;
  return ColdRun{*done, *samples, static_cast<double>(usage.ru_maxrss)};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The thread's processor time in nanoseconds.
double ThreadNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// What one cold benchmark measures: a plot and its hand-written loop.
struct ColdCase {
  std::string label;
  std::string expression, start, stop, increment;
  long double (*hand_written)(const Range& range, std::size_t& points);
};

template <long double (*Expression)(long double)>
long double LoopOf(const Range& range, std::size_t& points) {
  return hand_written::SumOver(range, points, Expression);
}

long double Sine(long double x) { return std::sin(x); }

template <int kTest>
long double StandardLoop(const Range& range, std::size_t& points) {
  return hand_written::HandWrittenLoop(kTest, range, points);
}

constexpr std::size_t kStandardTests = 12;
using LoopFunction = long double (*)(const Range&, std::size_t&);

template <std::size_t... kTests>
constexpr std::array<LoopFunction, sizeof...(kTests)> StandardLoops(
    std::index_sequence<kTests...>) {
  return {&StandardLoop<static_cast<int>(kTests)>...};
}

const std::vector<ColdCase>& ColdCases() {
  static const std::vector<ColdCase> cases = [] {
    std::vector<ColdCase> all;
    constexpr auto loops = StandardLoops(std::make_index_sequence<kStandardTests>());
    const std::vector<BenchmarkTest>& tests = StandardBenchmarkTests();
    for (std::size_t k = 0; k < kStandardTests; ++k)
      all.push_back({tests[k].label, tests[k].expression, tests[k].start, tests[k].stop,
                     tests[k].increment, loops[k]});
    // 10^7 samples each.
    all.push_back({"2x+4 by 1, 10^7 samples", "2x+4", "1", "10000000", "1",
                   &LoopOf<hand_written::IntSimple>});
    all.push_back(
        {"sin[x] by 0,1, 10^7 samples", "sin[x]", "-500000", "499999,9", "0,1", &LoopOf<Sine>});
    return all;
  }();
  return cases;
}

void BM_ColdPlot(benchmark::State& state) {
  const ColdCase& c = ColdCases()[static_cast<std::size_t>(state.range(0))];
  // The memory of a run that keeps one sample: what the program takes
  // before any plot.
  const auto base = RunFreshPlot(c.expression, c.start, c.start, c.increment);
  if (!base) {
    state.SkipWithError("korvex-cli did not run beside the benchmark");
    return;
  }
  const Range range =
      hand_written::RangeOf(BenchmarkTest{"", "", "", c.expression, c.start, c.stop, c.increment});
  // Per sample, each iteration's: the medians are reported.
  std::vector<double> plot_ns;
  std::vector<double> hand_ns;
  double samples = 0;
  double peak_kilobytes = 0;
  for (auto _ : state) {
    const auto run = RunFreshPlot(c.expression, c.start, c.stop, c.increment);
    if (!run) {
      state.SkipWithError("the plot failed");
      return;
    }
    const double started = ThreadNanoseconds();
    std::size_t points = 0;
    benchmark::DoNotOptimize(c.hand_written(range, points));
    hand_ns.push_back((ThreadNanoseconds() - started) / run->samples);
    plot_ns.push_back(run->plot_microseconds * 1000 / run->samples);
    state.SetIterationTime(run->plot_microseconds * 1e-6);
    samples = run->samples;
    peak_kilobytes = std::max(peak_kilobytes, run->peak_kilobytes);
  }
  const double plot = Median(plot_ns);
  const double hand = Median(hand_ns);
  state.counters["plot_ns"] = plot;
  state.counters["hand_ns"] = hand;
  state.counters["ratio"] = plot / hand;
  state.counters["peak_MB"] = peak_kilobytes / 1024;
  state.counters["bytes_per_sample"] = (peak_kilobytes - base->peak_kilobytes) * 1024 / samples;
  state.SetLabel(c.label);
}

// A process per iteration: a few for the twelve tests, one for each long
// run.
BENCHMARK(BM_ColdPlot)
    ->DenseRange(0, static_cast<int>(kStandardTests) - 1)
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColdPlot)
    ->DenseRange(static_cast<int>(kStandardTests), static_cast<int>(kStandardTests) + 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex
