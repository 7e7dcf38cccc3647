// Per-sample cost of the plot loop on four of the benchmark's tests, with
// the catalogues installed beside the executable.
#include <benchmark/benchmark.h>

#include "cli/cli_io.h"
#include "plot/benchmark.h"
#include "settings/data_directory.h"

namespace korvex {
namespace {

class NullMessages : public Messages {
 public:
  void Show(const std::string&) override {}
};

class CountingSink : public ErrorSink {
 public:
  void ReportError(const std::string&, const std::string&) override { ++count; }
  int count = 0;
};

// One full plot of the test per iteration; the "sample" counter is the time
// per computed point.
void BM_PlotTest(benchmark::State& state) {
  const BenchmarkTest& test = StandardBenchmarkTests()[state.range(0)];
  CalculatorSetup setup(ExecutableDirectory().string());
  NullMessages messages;
  if (!LoadCalculatorSetup(setup, messages)) {
    state.SkipWithError("catalogues missing beside the executable");
    return;
  }
  CountingSink errors;
  Engine engine(errors);
  ConnectEngine(engine, setup);
  Plotter plotter(engine);
  plotter.timing().benchmark_running = true;
  PlotSettings& settings = plotter.settings();
  settings.start = test.start;
  settings.stop = test.stop;
  settings.increment = test.increment;

  std::size_t points = 0;
  for (auto _ : state) {
    if (!plotter.SolvePlot(test.expression)) {
      state.SkipWithError("the plot failed");
      return;
    }
    points = plotter.chart().series(1).count();
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
