// The benchmark's test table, its run sequence and its score.
#include "plot/benchmark.h"

namespace korvex {

const std::vector<BenchmarkTest>& StandardBenchmarkTests() {
  static const std::vector<BenchmarkTest> tests = {
      {"intsimplelow", "Integer", "Simple (low):", "2x+4", "1", "20000", "1"},
      {"intcomplexlow", "Integer",
       "Complex (low):", "x-10(x+8(x-6(x+4(x-2(x10x)2+x)4-x)6+x)8-x)10+x", "-5000", "5000", "1"},
      {"intsimplehigh", "Integer", "Simple (high):", "2x+4", "1", "40000", "1"},
      {"intcomplexhigh", "Integer",
       "Complex (high):", "x-10(x+8(x-6(x+4(x-2(x10x)2+x)4-x)6+x)8-x)10+x", "-10000", "10000", "1"},
      {"floatsimplelow", "Floating point", "Simple (low):", "sin[x]+cos[1,6x]", "-1000", "1000",
       "0,1"},
      {"floatcomplexlow", "Floating point", "Complex (low):",
       "(1/4(sqrt[x]cos[1+x(2-ln[exp[9]](pi+2x))])-sin[sqrt[x]]e)/2^(0-pi)", "1", "1000", "0,1"},
      {"floatsimplehigh", "Floating point", "Simple (high):", "sin[x]+cos[1,6x]", "-2000", "2000",
       "0,1"},
      {"floatcomplexhigh", "Floating point", "Complex (high):",
       "(1/4(sqrt[x]cos[1+x(2-ln[exp[9]](pi+2x))])-sin[sqrt[x]]e)/2^(0-pi)", "1", "2000", "0,1"},
      {"primepilow", "Brute force attack", "PrimePi (low):", "primepi[x]", "10000", "100000",
       "1000"},
      {"primepihigh", "Brute force attack", "PrimePi (high):", "primepi[x]", "100000", "1000000",
       "100000"},
      {"gcdlow", "Euclid's algorithm", "GCD (low):", "gcd[x;10000000]", "1", "10000", "1"},
      {"gcdhigh", "Euclid's algorithm", "GCD (high):", "gcd[x;50000000]", "1", "10000", "1"},
  };
  return tests;
}

std::int64_t BenchmarkScore(std::int64_t total_microseconds, std::size_t test_count) {
  if (test_count == 0) return 0;
  return total_microseconds / static_cast<std::int64_t>(test_count) / 1000;
}

Benchmark::Benchmark(std::vector<BenchmarkTest> tests)
    : tests_(std::move(tests)), labels_(tests_.size(), kNotAvailable) {}

void Benchmark::Start() {
  if (tests_.empty()) return;
  running_ = true;
  labels_.assign(tests_.size(), kNotAvailable);
  total_ = 0;
  score_.reset();
  index_ = 0;
  labels_[0] = kPleaseWaitText;
}

Benchmark::Step Benchmark::RunCurrentTest(Plotter& plotter) {
  if (!running_) return Step::kIdle;
  const BenchmarkTest& test = tests_[index_];
  PlotSettings& settings = plotter.settings();
  settings.variable = "x";
  settings.mode = PlotMode::kMultiple;
  settings.derivative = false;
  settings.start = test.start;
  settings.stop = test.stop;
  settings.increment = test.increment;
  plotter.timing().benchmark_running = true;
  const std::size_t series_before = plotter.chart().series_count();
  bool plotted = false;
  try {
    plotted = plotter.SolvePlot(test.expression);
  } catch (const Cancelled&) {
    EndFailedTest(plotter, series_before, kStoppedText);
    return Step::kStopped;
  } catch (...) {
    EndFailedTest(plotter, series_before, kFailedText);
    throw;
  }
  if (!plotted) {
    const bool stopped = stop_ != nullptr && stop_->requested();
    EndFailedTest(plotter, series_before, stopped ? kStoppedText : kFailedText);
    return stopped ? Step::kStopped : Step::kFailed;
  }
  plotter.RemoveSeries(true);
  const std::int64_t time = plotter.timing().net_plot_time;
  total_ += time;
  labels_[index_] = "Done in " + std::to_string(time) + " mu";
  if (index_ + 1 == tests_.size()) {
    Finish(&plotter);
    score_ = BenchmarkScore(total_, tests_.size());
    return Step::kFinished;
  }
  ++index_;
  labels_[index_] = kPleaseWaitText;
  plotter.timing().benchmark_running = false;
  return Step::kNextPending;
}

void Benchmark::Stop() {
  if (!running_) return;
  labels_[index_] = kStoppedText;
  Finish(nullptr);
}

// A refused plot created no series, and the user's own newest series must
// not go in its place.
void Benchmark::EndFailedTest(Plotter& plotter, std::size_t series_before, const char* label) {
  if (plotter.chart().series_count() > series_before) plotter.RemoveSeries(true);
  labels_[index_] = std::string(label);
  Finish(&plotter);
}

void Benchmark::Finish(Plotter* plotter) {
  running_ = false;
  if (plotter == nullptr) return;
  plotter->timing().benchmark_running = false;
  plotter->ResetPlotInfo();
}

}  // namespace korvex
