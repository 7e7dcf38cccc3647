// The benchmark's run sequence, labels, score and its ways of ending, on a
// short test table and a clock that only moves per sample.
#include "plot/benchmark.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/arithmetic.h"
#include "engine/stop_flag.h"
#include "engine/test_support.h"

namespace korvex {
namespace {

using ::testing::ElementsAre;

TEST(BenchmarkScore, TruncatingDivisions) {
  struct Case {
    std::int64_t total;
    std::size_t tests;
    std::int64_t score;
  };
  const Case cases[] = {
      {78000, 12, 6},  // 1000 + 2000 + ... + 12000
      {11999, 12, 0}, {12000, 12, 1}, {2999, 1, 2}, {5000, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(BenchmarkScore(c.total, c.tests), c.score) << c.total;
}

TEST(StandardBenchmarkTests, TwelveTestsInLabelOrder) {
  const auto& tests = StandardBenchmarkTests();
  ASSERT_EQ(tests.size(), 12u);
  std::vector<std::string> labels;
  for (const BenchmarkTest& test : tests) labels.push_back(test.label);
  EXPECT_THAT(labels,
              ElementsAre("intsimplelow", "intcomplexlow", "intsimplehigh", "intcomplexhigh",
                          "floatsimplelow", "floatcomplexlow", "floatsimplehigh",
                          "floatcomplexhigh", "primepilow", "primepihigh", "gcdlow", "gcdhigh"));
  EXPECT_EQ(tests[9].start, "100000");
  EXPECT_EQ(tests[9].increment, "100000");
  EXPECT_EQ(tests[4].expression, "sin[x]+cos[1,6x]");
}

// Each sample takes 100 microseconds of the manual clock; a stop can be
// asked for after a given sample.
class TickingProgress : public PlotProgress {
 public:
  explicit TickingProgress(ManualClock& clock) : clock_(clock) {}
  void SetProgressPosition(std::size_t position) override {
    clock_.Advance(100);
    if (position == stop_after) stop.Request();
  }
  void ResetPlotInfo(const PlotInfo&) override { ++resets; }
  bool ShowReminder() override {
    ++reminders;
    return true;
  }
  StopFlag stop;
  std::size_t stop_after = 0;
  int resets = 0;
  int reminders = 0;

 private:
  ManualClock& clock_;
};

class BenchmarkTest : public ::testing::Test {
 protected:
  BenchmarkTest() : plotter(calc.engine, clock), progress(clock) {
    calc.engine.environment().stop = &progress.stop;
    plotter.set_progress(&progress);
    plotter.set_reminder_interval(0);  // due before every sample, unless benchmarking
    user_settings.start = "5";
    user_settings.variable = "t";
    user_settings.mode = PlotMode::kMultipleAll;
    plotter.settings() = user_settings;
  }

  // Samples: 10, 20 and 5 points.
  static std::vector<korvex::BenchmarkTest> ShortTable() {
    return {{"a", "G", "A:", "2x+4", "1", "10", "1"},
            {"b", "G", "B:", "x*x", "1", "20", "1"},
            {"c", "G", "C:", "x-1", "0", "2", "0,5"}};
  }
  // A series of the user's, which no test of the benchmark may touch.
  void PlotUserSeries() {
    plotter.settings().start = "0";
    plotter.settings().stop = "0";
    ASSERT_TRUE(plotter.SolvePlot("t"));
    plotter.settings() = user_settings;
    progress.reminders = 0;
  }

  testing::TestCalculator calc;
  ManualClock clock;
  Plotter plotter;
  TickingProgress progress;
  PlotSettings user_settings;
};

TEST_F(BenchmarkTest, RunsEveryTestAndScores) {
  PlotUserSeries();
  plotter.settings().derivative = true;

  Benchmark benchmark(ShortTable());
  benchmark.Start();
  EXPECT_THAT(benchmark.labels(), ElementsAre("Please wait...", "n/a", "n/a"));
  EXPECT_EQ(benchmark.RunCurrentTest(plotter), Benchmark::Step::kNextPending);
  EXPECT_THAT(benchmark.labels(), ElementsAre("Done in 1000 mu", "Please wait...", "n/a"));
  // Each test plots with its own settings over the user's; whoever owns the
  // user's options reads them again once the run has ended.
  const PlotSettings& used = plotter.settings();
  EXPECT_EQ(used.variable, "x");
  EXPECT_EQ(used.mode, PlotMode::kMultiple);
  EXPECT_FALSE(used.derivative);
  EXPECT_EQ(used.start, "1");
  EXPECT_EQ(used.stop, "10");
  // Between two ticks a plot of the user's gets its reminder again.
  EXPECT_FALSE(plotter.timing().benchmark_running);
  EXPECT_EQ(benchmark.RunCurrentTest(plotter), Benchmark::Step::kNextPending);
  EXPECT_EQ(benchmark.RunCurrentTest(plotter), Benchmark::Step::kFinished);
  EXPECT_THAT(benchmark.labels(),
              ElementsAre("Done in 1000 mu", "Done in 2000 mu", "Done in 500 mu"));
  EXPECT_EQ(benchmark.total(), 3500);
  EXPECT_EQ(benchmark.score(), 1);  // 3500 / 3 / 1000
  EXPECT_EQ(progress.reminders, 0);
  EXPECT_FALSE(plotter.timing().benchmark_running);
  EXPECT_FALSE(benchmark.running());
  EXPECT_EQ(progress.resets, 1);
  EXPECT_EQ(plotter.plot_info(), PlotInfo());
  EXPECT_EQ(plotter.chart().series_count(), 1u);
  EXPECT_EQ(plotter.chart().series(1).title(), "t");

  // A new start begins again from the first test.
  benchmark.Start();
  EXPECT_EQ(benchmark.total(), 0);
  EXPECT_FALSE(benchmark.score().has_value());
  EXPECT_THAT(benchmark.labels(), ElementsAre("Please wait...", "n/a", "n/a"));
}

TEST_F(BenchmarkTest, StopBetweenTests) {
  Benchmark benchmark(ShortTable());
  benchmark.Start();
  ASSERT_EQ(benchmark.RunCurrentTest(plotter), Benchmark::Step::kNextPending);
  benchmark.Stop();
  EXPECT_THAT(benchmark.labels(), ElementsAre("Done in 1000 mu", "Stopped", "n/a"));
  EXPECT_FALSE(benchmark.score().has_value());
  EXPECT_FALSE(benchmark.running());
  EXPECT_FALSE(plotter.timing().benchmark_running);
  EXPECT_EQ(benchmark.RunCurrentTest(plotter), Benchmark::Step::kIdle);
  EXPECT_EQ(plotter.chart().series_count(), 0u);
}

TEST_F(BenchmarkTest, FailedOrStoppedTestEndsTheRunWithoutTouchingUserSeries) {
  PlotUserSeries();
  struct Case {
    const char* expression;
    const char* increment;   // "0" is refused before any series exists
    std::size_t stop_after;  // the sample after which a stop is asked for; 0: none
    Benchmark::Step step;
    const char* label;
  };
  const Case cases[] = {
      {"1/(x-2)", "1", 0, Benchmark::Step::kFailed, "Failed"},
      {"x", "0", 0, Benchmark::Step::kFailed, "Failed"},
      {"x", "1", 2, Benchmark::Step::kStopped, "Stopped"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    progress.stop.Clear();
    progress.stop_after = c.stop_after;
    progress.resets = 0;
    Benchmark benchmark({{"a", "G", "A:", c.expression, "1", "3", c.increment},
                         {"b", "G", "B:", "x", "1", "2", "1"}});
    benchmark.set_stop_flag(&progress.stop);
    benchmark.Start();
    EXPECT_EQ(benchmark.RunCurrentTest(plotter), c.step);
    EXPECT_THAT(benchmark.labels(), ElementsAre(c.label, "n/a"));
    EXPECT_FALSE(benchmark.running());
    EXPECT_FALSE(benchmark.score().has_value());
    EXPECT_FALSE(plotter.timing().benchmark_running);
    EXPECT_EQ(progress.resets, 1);
    ASSERT_EQ(plotter.chart().series_count(), 1u);
    EXPECT_EQ(plotter.chart().series(1).title(), "t");
  }
  progress.stop.Clear();
  progress.stop_after = 0;

  // An arithmetic failure inside a function ends the benchmark the same way
  // and is passed on to the general failure display.
  calc.engine.environment().functions = nullptr;  // every name is a function
  Benchmark benchmark({{"a", "G", "A:", "var[x]", "1", "3", "1"}});
  benchmark.Start();
  EXPECT_THROW(benchmark.RunCurrentTest(plotter), ArithmeticFailure);
  EXPECT_THAT(benchmark.labels(), ElementsAre("Failed"));
  EXPECT_FALSE(plotter.timing().benchmark_running);
  EXPECT_EQ(plotter.chart().series_count(), 1u);
}

}  // namespace
}  // namespace korvex
