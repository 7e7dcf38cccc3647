// How long a stop takes: a long request runs on the calculator's worker, the
// caller asks it to stop, and the time until the worker is idle again is
// measured. Each iteration starts a fresh request and lets it work a while
// before the stop, so the stop lands deep inside its loops.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "bench_calculator.h"
#include "core/calculator.h"
#include "settings/data_directory.h"

namespace korvex {
namespace {

std::string NestedSums(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "(1+";
  text += '1';
  text.append(static_cast<std::size_t>(depth), ')');
  return text;
}

struct LongRequest {
  const char* label;
  bool plot;
  std::string text;
};

const LongRequest& Request(std::int64_t index) {
  static const LongRequest requests[] = {
      {"primepi[{1E18}]", false, "primepi[{1E18}]"},
      {"powertower[e^(1/e);{1E18}]", false, "powertower[e^(1/e);{1E18}]"},
      {"30000 nested groups", false, NestedSums(30000)},
      {"plot of 1000001 samples", true, "sqrt[x]*sin[x]/cos[x]+ln[x+1]"},
  };
  return requests[index];
}

void BM_StopLatency(benchmark::State& state) {
  const LongRequest& request = Request(state.range(0));
  BenchCalculator bench;
  if (!bench.Started(state)) return;
  Calculator& calculator = bench.calculator();
  bench.UsePlotRange("0", "10", "0,00001");
  calculator.context().plotter().timing().benchmark_running = false;
  // Made once: the requests read nothing that changes between iterations,
  // and the worker's context starts each one afresh.
  const SolveRequest solve = calculator.MakeSolveRequest(request.text, calculator.session());
  const PlotRequest plot = calculator.MakePlotRequest(request.text, calculator.session());

  for (auto _ : state) {
    bool canceled = false;
    calculator.StartOnWorker([&](RequestContext& context) {
      RequestNotices ignored;
      canceled = request.plot ? context.Plot(plot, ignored).status == PlotOutcome::Status::kCanceled
                              : context.Solve(solve).status == SolveOutcome::Status::kCanceled;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto asked = std::chrono::steady_clock::now();
    calculator.RequestStop();
    calculator.WaitUntilIdle();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - asked;
    if (!canceled) {
      state.SkipWithError("the request ended before the stop");
      return;
    }
    state.SetIterationTime(took.count());
  }
  state.SetLabel(request.label);
}

BENCHMARK(BM_StopLatency)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace korvex
