// Per-sample cost of the twelve benchmark tests: the plot with replayed
// samples (on integers where every value is whole), the plot on the token
// engine alone, and a hand-written long double loop of the same arithmetic,
// side by side in one run. BM_PlotVersusHandWritten
// times a plot and the hand-written loop back to back and reports their ratio,
// so the machine's load falls on both alike. The aim per sample: integer tests
// within 10 times the hand-written loop, floating point within 2, gcd within 3.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "bench_calculator.h"
#include "core/calculator.h"
#include "hand_written_loops.h"
#include "settings/data_directory.h"

namespace korvex {
namespace {

using hand_written::HandWrittenLoop;
using hand_written::Range;
using hand_written::RangeOf;

void SetSampleCounter(benchmark::State& state, std::size_t samples) {
  state.counters["sample"] = benchmark::Counter(
      static_cast<double>(samples),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Argument 0: the test; argument 1: 0 replays samples, 1 forces the token
// engine for every sample.
void BM_PlotSamples(benchmark::State& state) {
  const BenchmarkTest& test = StandardBenchmarkTests()[static_cast<std::size_t>(state.range(0))];
  const bool token_engine = state.range(1) != 0;
  BenchCalculator bench;
  if (!bench.Started(state)) return;
  Calculator& calculator = bench.calculator();
  bench.UseTestRange(test);
  calculator.context().plotter().set_force_token_engine(token_engine);
  std::size_t points = 0;
  for (auto _ : state) {
    if (calculator.Plot(test.expression).status != PlotOutcome::Status::kComplete) {
      state.SkipWithError("the plot failed");
      return;
    }
    points = calculator.plots().chart().series(1).count();
  }
  state.SetLabel(test.label + (token_engine ? " token engine" : " replayed"));
  SetSampleCounter(state, points);
}

// The replay alone, without the plot's chart and statistics: the first
// sample recorded by the token engine, then every sample of the range run
// from the recording, a lane batch at a time as the plot runs them.
void BM_ReplayOnly(benchmark::State& state) {
  const BenchmarkTest& test = StandardBenchmarkTests()[static_cast<std::size_t>(state.range(0))];
  BenchCalculator bench;
  if (!bench.Started(state)) return;
  Calculator& calculator = bench.calculator();
  // The worker's engine reads the catalogues a request hands it; this one
  // runs no request, so it is handed them here.
  Engine& engine = calculator.context().engine();
  engine.environment().functions = &calculator.catalogues().functions;
  engine.environment().constants = &calculator.catalogues().constants;
  if (!engine.PreparePlot(test.expression)) {
    state.SkipWithError("the expression does not prepare");
    return;
  }
  const TokenList list = engine.tokens();
  const Range range = RangeOf(test);
  std::string text = FloatToStr(range.start);
  std::vector<Engine::SampleSlot> slots;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == "x") slots.push_back({i, &text});
  CompiledSample compiled;
  if (!engine.EvaluateSample(list, slots, &compiled) || !compiled.ready()) {
    state.SkipWithError("the first sample was not recorded");
    return;
  }
  std::size_t points = 0;
  CompiledSample::Lanes lanes;
  const long double end = range.stop + range.increment;
  for (auto _ : state) {
    points = 0;
    long double sum = 0;
    for (long double x = range.start; x < end;) {
      lanes.count = 0;
      for (; lanes.count < CompiledSample::kLanes && x < end; x += range.increment) {
        lanes.plus_input[lanes.count] = x;
        lanes.minus_input[lanes.count++] = x;
      }
      compiled.RunLanes(lanes, engine.function_state());
      for (std::size_t lane = 0; lane < lanes.count; ++lane)
        if (lanes.replayed[lane]) sum += lanes.outcome[lane].y;
      points += lanes.count;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetLabel(test.label + " replay only");
  SetSampleCounter(state, points);
}

void BM_HandWritten(benchmark::State& state) {
  const std::int64_t index = state.range(0);
  const BenchmarkTest& test = StandardBenchmarkTests()[static_cast<std::size_t>(index)];
  const Range range = RangeOf(test);
  std::size_t points = 0;
  for (auto _ : state) benchmark::DoNotOptimize(HandWrittenLoop(index, range, points));
  state.SetLabel(test.label + " hand-written");
  SetSampleCounter(state, points);
}

// The thread's processor time in nanoseconds: on a shared machine the wall
// clock also counts the time other programs had the processor.
double ThreadNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// One plot with replayed samples, then the hand-written loop over the same
// range, alternately; counters per sample and the ratio of the two.
void BM_PlotVersusHandWritten(benchmark::State& state) {
  const std::int64_t index = state.range(0);
  const BenchmarkTest& test = StandardBenchmarkTests()[static_cast<std::size_t>(index)];
  BenchCalculator bench;
  if (!bench.Started(state)) return;
  Calculator& calculator = bench.calculator();
  bench.UseTestRange(test);
  const Range range = RangeOf(test);
  double plot_time = 0;
  double hand_time = 0;
  std::size_t points = 0;
  for (auto _ : state) {
    const double start = ThreadNanoseconds();
    if (calculator.Plot(test.expression).status != PlotOutcome::Status::kComplete) {
      state.SkipWithError("the plot failed");
      return;
    }
    const double plotted = ThreadNanoseconds();
    std::size_t hand_points = 0;
    benchmark::DoNotOptimize(HandWrittenLoop(index, range, hand_points));
    const double done = ThreadNanoseconds();
    plot_time += plotted - start;
    hand_time += done - plotted;
    points = calculator.plots().chart().series(1).count();
  }
  const double samples = static_cast<double>(points) * static_cast<double>(state.iterations());
  const double plot_ns = plot_time / samples;
  const double hand_ns = hand_time / samples;
  state.counters["plot_ns"] = plot_ns;
  state.counters["hand_ns"] = hand_ns;
  state.counters["ratio"] = plot_ns / hand_ns;
  state.SetLabel(test.label);
}

void AllTests(benchmark::internal::Benchmark* b, bool with_mode) {
  for (int test = 0; test < 12; ++test) {
    if (with_mode) {
      b->Args({test, 0});
      b->Args({test, 1});
    } else {
      b->Args({test});
    }
  }
}

BENCHMARK(BM_PlotSamples)
    ->Apply([](benchmark::internal::Benchmark* b) { AllTests(b, true); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayOnly)
    ->Apply([](benchmark::internal::Benchmark* b) { AllTests(b, false); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HandWritten)
    ->Apply([](benchmark::internal::Benchmark* b) { AllTests(b, false); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotVersusHandWritten)
    ->Apply([](benchmark::internal::Benchmark* b) { AllTests(b, false); })
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex
