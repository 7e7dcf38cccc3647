// Solving deeply nested groups with the solution steps recorded: time and
// the process's peak memory, which once grew with the square of the depth.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "engine/engine.h"

namespace korvex {
namespace {

class NullSink : public ErrorSink {
 public:
  void ReportError(const std::string&, const std::string&) override {}
};

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;  // ru_maxrss is in KiB
}

// (1+(1+(...(1+1)...))): every step holds the whole remaining list, and the
// steps are recorded but never turned into text here.
void BM_SolveNestedWithSteps(benchmark::State& state) {
  const auto depth = static_cast<size_t>(state.range(0));
  std::string text;
  for (size_t i = 0; i < depth; ++i) text += "(1+";
  text += "1";
  text.append(depth, ')');
  NullSink sink;
  Engine engine(sink);
  for (auto _ : state) {
    if (!engine.Solve(text)) state.SkipWithError("solve failed");
    if (engine.steps().size() != depth) state.SkipWithError("wrong step count");
  }
  state.counters["steps"] = static_cast<double>(engine.steps().size());
  // The peak of the whole run so far: the depths run in increasing order.
  state.counters["peak_MB"] = PeakResidentMegabytes();
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SolveNestedWithSteps)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Reading one step in the middle back, as the Solution window does for a
// line it shows: one replay of the log up to it.
void BM_StepTextInTheMiddle(benchmark::State& state) {
  const auto depth = static_cast<size_t>(state.range(0));
  std::string text;
  for (size_t i = 0; i < depth; ++i) text += "(1+";
  text += "1";
  text.append(depth, ')');
  NullSink sink;
  Engine engine(sink);
  if (!engine.Solve(text)) state.SkipWithError("solve failed");
  for (auto _ : state) {
    StepLog copy = engine.steps();  // a fresh replay position every time
    benchmark::DoNotOptimize(copy.Text(copy.size() / 2));
  }
}
BENCHMARK(BM_StepTextInTheMiddle)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex
