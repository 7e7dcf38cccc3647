// Per-sample cost of the plot loop on four of the benchmark's tests, with
// the catalogues installed beside the executable.
#include <benchmark/benchmark.h>

#include "bench_calculator.h"
#include "core/calculator.h"
#include "settings/data_directory.h"

namespace korvex {
namespace {

// One full plot of the test per iteration; the "sample" counter is the time
// per computed point.
void BM_PlotTest(benchmark::State& state) {
  const BenchmarkTest& test = StandardBenchmarkTests()[state.range(0)];
  BenchCalculator bench;
  if (!bench.Started(state)) return;
  Calculator& calculator = bench.calculator();
  bench.UseTestRange(test);

  std::size_t points = 0;
  for (auto _ : state) {
    if (calculator.Plot(test.expression).status != PlotOutcome::Status::kComplete) {
      state.SkipWithError("the plot failed");
      return;
    }
    points = calculator.plots().chart().series(1).count();
  }
  state.SetLabel(test.group + " " + test.caption);
  state.counters["sample"] = benchmark::Counter(
      static_cast<double>(points),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_PlotTest)
    ->Arg(0)
    ->Arg(3)
    ->Arg(4)
    ->Arg(7)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace korvex
