// The benchmark's run sequence, labels, score and its ways of ending, on a
// short test table and a clock that only moves per sample.
#include "plot/benchmark.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/arithmetic.h"
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

// Each sample takes 100 microseconds of the manual clock.
class TickingProgress : public PlotProgress {
 public:
  explicit TickingProgress(ManualClock& clock) : clock_(clock) {}
  void SetProgressPosition(std::size_t) override { clock_.Advance(100); }
  void ResetPlotInfo(const PlotInfo& info) override { reset_info = info; }
  bool ShowReminder() override {
    ++reminders;
    return true;
  }
  PlotInfo reset_info;
  int reminders = 0;

 private:
  ManualClock& clock_;
};

class BenchmarkTest : public ::testing::Test {
 protected:
  BenchmarkTest() : plotter(calc.engine, clock), progress(clock) {
    plotter.set_progress(&progress);
    plotter.set_reminder_interval(0);  // due before every sample, unless benchmarking
    user_settings.start = "5";
    user_settings.variable = "t";
    user_settings.mode = PlotMode::kMultipleAll;
    plotter.settings() = user_settings;
  }

  // Samples: 10, 20 and 5 points.
  Benchmark MakeBenchmark(std::vector<korvex::BenchmarkTest> tests = ShortTable()) {
    return Benchmark(
        plotter,
        [this] {
          ++restores;
          plotter.settings() = user_settings;
        },
        std::move(tests));
  }
  static std::vector<korvex::BenchmarkTest> ShortTable() {
    return {{"a", "G", "A:", "2x+4", "1", "10", "1"},
            {"b", "G", "B:", "x*x", "1", "20", "1"},
            {"c", "G", "C:", "x-1", "0", "2", "0,5"}};
  }

  testing::TestCalculator calc;
  ManualClock clock;
  Plotter plotter;
  TickingProgress progress;
  PlotSettings user_settings;
  int restores = 0;
};

TEST_F(BenchmarkTest, RunsEveryTestAndScores) {
  // A series of the user's stays; each test's series goes again.
  plotter.settings().start = "0";
  plotter.settings().stop = "0";
  ASSERT_TRUE(plotter.SolvePlot("t"));
  plotter.settings() = user_settings;
  progress.reminders = 0;

  Benchmark benchmark = MakeBenchmark();
  benchmark.Start();
  EXPECT_TRUE(plotter.timing().benchmark_running);
  EXPECT_EQ(plotter.settings().variable, "x");
  EXPECT_EQ(plotter.settings().mode, PlotMode::kMultiple);
  EXPECT_THAT(benchmark.labels(), ElementsAre("Please wait...", "n/a", "n/a"));
  EXPECT_EQ(benchmark.RunCurrentTest(), Benchmark::Step::kNextPending);
  EXPECT_THAT(benchmark.labels(), ElementsAre("Done in 1000 mu", "Please wait...", "n/a"));
  EXPECT_EQ(benchmark.RunCurrentTest(), Benchmark::Step::kNextPending);
  EXPECT_EQ(benchmark.RunCurrentTest(), Benchmark::Step::kFinished);
  EXPECT_THAT(benchmark.labels(),
              ElementsAre("Done in 1000 mu", "Done in 2000 mu", "Done in 500 mu"));
  EXPECT_EQ(benchmark.total(), 3500);
  EXPECT_EQ(benchmark.score(), 1);  // 3500 / 3 / 1000
  EXPECT_EQ(progress.reminders, 0);
  EXPECT_FALSE(plotter.timing().benchmark_running);
  EXPECT_FALSE(benchmark.running());
  EXPECT_EQ(restores, 1);
  EXPECT_EQ(plotter.settings(), user_settings);
  EXPECT_EQ(progress.reset_info, PlotInfo());
  EXPECT_EQ(plotter.chart().series_count(), 1u);
  EXPECT_EQ(plotter.chart().series(1).title(), "t");

  // A new start begins again from the first test.
  benchmark.Start();
  EXPECT_EQ(benchmark.total(), 0);
  EXPECT_FALSE(benchmark.score().has_value());
  EXPECT_THAT(benchmark.labels(), ElementsAre("Please wait...", "n/a", "n/a"));
}

TEST_F(BenchmarkTest, StopBetweenTests) {
  Benchmark benchmark = MakeBenchmark();
  benchmark.Start();
  ASSERT_EQ(benchmark.RunCurrentTest(), Benchmark::Step::kNextPending);
  benchmark.Stop();
  EXPECT_THAT(benchmark.labels(), ElementsAre("Done in 1000 mu", "Stopped", "n/a"));
  EXPECT_FALSE(benchmark.score().has_value());
  EXPECT_FALSE(plotter.timing().benchmark_running);
  EXPECT_EQ(restores, 1);
  EXPECT_EQ(plotter.settings(), user_settings);
  EXPECT_EQ(benchmark.RunCurrentTest(), Benchmark::Step::kIdle);
  EXPECT_EQ(plotter.chart().series_count(), 0u);
}

TEST_F(BenchmarkTest, FailingTestEndsTheRunWithoutTouchingUserSeries) {
  plotter.settings().start = "0";
  plotter.settings().stop = "0";
  ASSERT_TRUE(plotter.SolvePlot("t"));
  plotter.settings() = user_settings;
  progress.reminders = 0;

  struct Case {
    const char* expression;
    const char* increment;  // "0" is refused before any series exists
  };
  for (const Case c : {Case{"1/(x-2)", "1"}, Case{"x", "0"}}) {
    Benchmark benchmark = MakeBenchmark({{"a", "G", "A:", c.expression, "1", "3", c.increment},
                                         {"b", "G", "B:", "x", "1", "2", "1"}});
    benchmark.Start();
    EXPECT_EQ(benchmark.RunCurrentTest(), Benchmark::Step::kFailed) << c.expression;
    EXPECT_THAT(benchmark.labels(), ElementsAre("Failed", "n/a"));
    EXPECT_FALSE(benchmark.running());
    EXPECT_FALSE(plotter.timing().benchmark_running);
    ASSERT_EQ(plotter.chart().series_count(), 1u) << c.expression;
    EXPECT_EQ(plotter.chart().series(1).title(), "t");
  }
  EXPECT_EQ(restores, 2);

  // An arithmetic failure inside a function ends the benchmark the same way
  // and is passed on to the general failure display.
  calc.engine.environment().functions = nullptr;  // every name is a function
  Benchmark benchmark = MakeBenchmark({{"a", "G", "A:", "var[x]", "1", "3", "1"}});
  benchmark.Start();
  EXPECT_THROW(benchmark.RunCurrentTest(), ArithmeticFailure);
  EXPECT_THAT(benchmark.labels(), ElementsAre("Failed"));
  EXPECT_FALSE(plotter.timing().benchmark_running);
  EXPECT_EQ(plotter.chart().series_count(), 1u);
  EXPECT_EQ(restores, 3);
}

}  // namespace
}  // namespace korvex
