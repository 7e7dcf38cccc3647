// The calculator every plot benchmark starts from: the catalogues installed
// beside the benchmark program, file messages dropped, failures counted.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "core/calculator.h"
#include "settings/data_directory.h"

namespace korvex {

class BenchCalculator {
 public:
  BenchCalculator() : calculator_(ExecutableDirectory(), messages_) {
    calculator_.set_error_sink(&errors_);
    started_ = calculator_.StartWithoutWindows();
  }

  // False, with the benchmark marked as skipped, when the catalogues are
  // missing.
  bool Started(benchmark::State& state) {
    if (!started_) state.SkipWithError("catalogues missing beside the executable");
    return started_;
  }
  // Default plot options with the range of `start`..`stop` by `increment`,
  // and the request plotter timing as the benchmark does.
  void UsePlotRange(const std::string& start, const std::string& stop,
                    const std::string& increment) {
    calculator_.context().plotter().timing().benchmark_running = true;
    PlotSettings& settings = calculator_.plot_settings();
    settings = PlotSettings();
    settings.start = start;
    settings.stop = stop;
    settings.increment = increment;
  }
  void UseTestRange(const BenchmarkTest& test) {
    UsePlotRange(test.start, test.stop, test.increment);
  }

  Calculator& calculator() { return calculator_; }
  int failures() const { return errors_.count; }

 private:
  class NullMessages : public Messages {
   public:
    void Show(const std::string&) override {}
  };
  class CountingSink : public ErrorSink {
   public:
    void ReportError(const std::string&, const std::string&) override { ++count; }
    int count = 0;
  };

  NullMessages messages_;
  CountingSink errors_;
  Calculator calculator_;
  bool started_ = false;
};

}  // namespace korvex
