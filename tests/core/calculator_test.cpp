// The calculator object's whole requests, on a temporary data folder that
// holds copies of the shipped catalogues.
#include "core/calculator.h"
#include "calculator_fixture.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/test_support.h"
#include "settings/line_file.h"
#include "settings/settings_test_support.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

using CalculatorTest = CalculatorFixture;

TEST_F(CalculatorTest, SolveOutcomes) {
  struct Case {
    const char* text;
    const char* mask;
    int number_system;
    SolveOutcome::Status status;
    bool evaluated;
    const char* shown;  // answer text, failure text or reported title
  };
  using S = SolveOutcome::Status;
  const Case cases[] = {
      {"2+3*4", "", 1, S::kAnswered, true, "= 14"},
      {"1/4", "0.00", 1, S::kAnswered, true, "= 0,25"},
      {"0-0,5", "", 0, S::kAnswered, true, "1 0 8"},
      {"1+", "", 1, S::kReported, false, "Syntax error"},
      {"{1E30}", "", 0, S::kReported, true, "Conversion error"},
      {"factorial[2000]", "", 1, S::kGeneralFailure, false, "Floating point overflow."},
  };
  Calculator& calculator = Started();
  for (const Case& c : cases) {
    sink_.reports.clear();
    calculator.mask().mask = c.mask;
    calculator.general().number_system = c.number_system;
    const SolveOutcome outcome = calculator.Solve(c.text);
    EXPECT_EQ(outcome.status, c.status) << c.text;
    EXPECT_EQ(outcome.evaluated, c.evaluated) << c.text;
    switch (c.status) {
      case S::kAnswered:
        EXPECT_EQ(outcome.answer_text, c.shown) << c.text;
        EXPECT_FALSE(outcome.bit_count.empty()) << c.text;
        break;
      case S::kGeneralFailure:
      case S::kCanceled:
        EXPECT_EQ(outcome.failure_text, c.shown) << c.text;
        break;
      case S::kReported:
        ASSERT_EQ(sink_.reports.size(), 1u) << c.text;
        EXPECT_EQ(sink_.reports[0].title, c.shown) << c.text;
        break;
    }
  }
}

TEST_F(CalculatorTest, SolveKeepsTheAnswerForAnsAndCopy) {
  Calculator& calculator = Started();
  ASSERT_EQ(calculator.Solve("1,5").status, SolveOutcome::Status::kAnswered);
  calculator.general().point = true;
  const SolveOutcome outcome = calculator.Solve("ans*3");
  EXPECT_EQ(outcome.answer_text, "= 4.5");
  EXPECT_EQ(calculator.CopyAnswerText(), "4.5");
  EXPECT_EQ(calculator.steps().Texts(), std::vector<std::string>{"Step 1 (multiply): 4,5"});
  // A failed request resets the separator and keeps the stored answer.
  EXPECT_EQ(calculator.Solve("(").status, SolveOutcome::Status::kReported);
  EXPECT_EQ(calculator.CopyAnswerText(), "4,5");
}

TEST_F(CalculatorTest, PlotOutcomes) {
  struct Case {
    const char* text;
    const char* increment;
    PlotOutcome::Status status;
    std::size_t points;  // of the newest series
    const char* failure;
  };
  using S = PlotOutcome::Status;
  const Case cases[] = {
      {"x^2", "1", S::kComplete, 21, ""},
      {"2x+1", "0,5", S::kComplete, 41, ""},
      {"x^2", "0", S::kStopped, 0, ""},
      {"(x", "1", S::kStopped, 0, ""},
      {"factorial[x*1000]", "1", S::kGeneralFailure, 0, "Floating point overflow."},
  };
  Calculator& calculator = Started();
  for (const Case& c : cases) {
    calculator.plots().RemoveSeries(false);
    calculator.plot_settings().increment = c.increment;
    const PlotOutcome outcome = calculator.Plot(c.text);
    EXPECT_EQ(outcome.status, c.status) << c.text;
    EXPECT_EQ(outcome.failure_text, c.failure) << c.text;
    const ChartModel& chart = calculator.plots().chart();
    const std::size_t points =
        chart.series_count() == 0 ? 0 : chart.series(chart.series_count()).count();
    if (c.status == S::kComplete) {
      EXPECT_EQ(points, c.points) << c.text;
    }
  }
  EXPECT_EQ(sink_.reports.size(), 2u);  // the increment and the bracket
}

TEST_F(CalculatorTest, SettingsFilesRoundTripThroughTheCalculator) {
  Calculator& calculator = Started();
  GeneralSettings general = calculator.general();
  general.loop_limit = 1500;
  general.reminder_interval = 2000;
  ASSERT_TRUE(calculator.SaveGeneralSettings(general));
  EXPECT_EQ(calculator.general().loop_limit, kDefaultLoopLimit);  // saving leaves the live values
  calculator.LoadGeneralSettings();
  EXPECT_EQ(calculator.general(), general);
  // The next request reads the loaded values.
  ASSERT_EQ(calculator.Solve("1").status, SolveOutcome::Status::kAnswered);
  EXPECT_EQ(calculator.context().engine().environment().loop_limit, 1500);

  PlotSettings plot = calculator.plot_settings();
  plot.start = "-3";
  ASSERT_TRUE(calculator.SavePlotSettings(plot));
  calculator.plot_settings() = PlotSettings();
  calculator.LoadPlotSettings();
  EXPECT_EQ(calculator.plot_settings(), plot);

  calculator.variables() = {{"v", "2"}};
  ASSERT_TRUE(calculator.SaveVariables());
  calculator.variables().clear();
  calculator.LoadVariables();
  EXPECT_EQ(calculator.Solve("v*v").answer_text, "= 4");
}

TEST_F(CalculatorTest, MissingCatalogueStopsTheStart) {
  fs::remove_all(root_ / "bin" / "functions");
  calculator_->set_error_sink(&sink_);
  EXPECT_FALSE(calculator_->StartWithoutWindows());
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_FALSE(fs::exists(root_ / "bin" / "general.ini"));
}

TEST_F(CalculatorTest, StartUpRunsEachViewAfterItsFile) {
  std::vector<std::string> order;
  StartUpViews views;
  views.catalogues_loaded = [&] { order.push_back("catalogues"); };
  views.general_settings_loaded = [&] {
    order.push_back("general " + std::to_string(calculator_->general().loop_limit));
  };
  views.plot_settings_loaded = [&] { order.push_back("plot"); };
  views.show_splash = [&] { order.push_back("splash"); };
  WriteLines(root_ / "bin" / "general.ini", {"1", "0", "1", "2000", "8000", "1", "32", "0", "0"});
  FirstActivationFlag flag;
  EXPECT_EQ(calculator_->RunStartUp(flag, views), StartUpOutcome::kReady);
  EXPECT_EQ(order, (std::vector<std::string>{"catalogues", "general 2000", "plot", "splash"}));
  ASSERT_EQ(calculator_->Solve("1").status, SolveOutcome::Status::kAnswered);
  EXPECT_EQ(calculator_->context().engine().environment().loop_limit, 2000);
  EXPECT_EQ(calculator_->RunStartUp(flag, views), StartUpOutcome::kAlreadyStarted);
}

TEST_F(CalculatorTest, BenchmarkRestoresThePlotSettings) {
  Calculator& calculator = Started();
  Benchmark benchmark(
      {{"a", "G", "A:", "x", "1", "3", "1"}, {"b", "G", "B:", "2x", "1", "3", "1"}});
  calculator.plot_settings().start = "-7";  // not in plot.ini
  benchmark.Start();
  EXPECT_EQ(calculator.RunBenchmarkTest(benchmark).step, Benchmark::Step::kNextPending);
  EXPECT_EQ(calculator.plot_settings().start, "-7");  // not while the run goes on
  EXPECT_EQ(calculator.RunBenchmarkTest(benchmark).step, Benchmark::Step::kFinished);
  EXPECT_EQ(calculator.plot_settings(), PlotSettings());
  EXPECT_TRUE(benchmark.score().has_value());
}

}  // namespace
}  // namespace korvex

namespace korvex {
namespace {

// "(t+(t+(...(t+1)...)))" for a term t: one evaluation round per group, or
// two with a call. Nested sums alone solve in linear time, so a solve that
// lasts needs a term that costs something in every round.
std::string NestedSums(int depth, const std::string& term = "1") {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "(" + term + "+";
  text += "1";
  text.append(static_cast<std::size_t>(depth), ')');
  return text;
}

TEST_F(CalculatorTest, StopEndsALongSolveAndKeepsTheAnswer) {
  // Each would run for many seconds to forever. The stop arrives after 100
  // ms, or after a second for the nested sums, whose steps are checked below:
  // a sanitizer build on a loaded machine can take longer than 100 ms to
  // prepare the groups and record the first step. 3 000 groups of two
  // counts that take milliseconds are seconds of work, and quick to prepare;
  // their limits lie too far apart for one count to go on from the other.
  const std::pair<std::string, std::chrono::milliseconds> long_solves[] = {
      {"primepi[{1E18}]", std::chrono::milliseconds(100)},
      {"powertower[e^(1/e);{1E18}]", std::chrono::milliseconds(100)},
      {NestedSums(3000, "primepi[1000000]+primepi[4000000]"), std::chrono::milliseconds(1000)},
  };
  Calculator& calculator = Started();
  ASSERT_EQ(calculator.Solve("7").status, SolveOutcome::Status::kAnswered);
  for (const auto& [text, delay] : long_solves) {
    const auto started = std::chrono::steady_clock::now();
    SolveOutcome outcome;
    {
      DelayedStop stop(calculator, delay);
      outcome = calculator.Solve(text);
    }
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(outcome.status, SolveOutcome::Status::kCanceled) << text.substr(0, 40);
    EXPECT_EQ(outcome.failure_text, "Operation was canceled.") << text.substr(0, 40);
    // A generous bound for a loaded machine.
    EXPECT_LT(took, delay + std::chrono::seconds(2)) << text.substr(0, 40);
    EXPECT_EQ(calculator.CopyAnswerText(), "7") << text.substr(0, 40);
  }
  // The steps made before the stop are kept.
  ASSERT_FALSE(calculator.steps().empty());
  EXPECT_EQ(calculator.steps().Text(0).substr(0, 39), "Step 1 (calculate 'primepi'): (primepi[");
  // The next request starts afresh.
  EXPECT_EQ(calculator.Solve("1+1").answer_text, "= 2");
}

// The worker runs one request at a time, away from the caller's thread,
// and a stop from the caller ends it.
TEST_F(CalculatorTest, WorkerRunsOneRequestAtATimeAndStops) {
  Calculator& calculator = Started();
  const std::thread::id caller = std::this_thread::get_id();
  std::thread::id ran_on;
  SolveOutcome outcome;
  const SolveRequest long_solve =
      calculator.MakeSolveRequest("primepi[{1E18}]", calculator.session());
  ASSERT_TRUE(calculator.StartOnWorker([&](RequestContext& context) {
    ran_on = std::this_thread::get_id();
    outcome = context.Solve(long_solve);
  }));
  EXPECT_TRUE(calculator.busy());
  EXPECT_FALSE(calculator.StartOnWorker([](RequestContext&) {}));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto stopped_at = std::chrono::steady_clock::now();
  calculator.RequestStop();
  calculator.WaitUntilIdle();
  EXPECT_LT(std::chrono::steady_clock::now() - stopped_at, std::chrono::seconds(2));
  EXPECT_FALSE(calculator.busy());
  EXPECT_NE(ran_on, caller);
  EXPECT_EQ(outcome.status, SolveOutcome::Status::kCanceled);

  const SolveRequest short_solve = calculator.MakeSolveRequest("2+3", calculator.session());
  ASSERT_TRUE(calculator.StartOnWorker(
      [&](RequestContext& context) { outcome = context.Solve(short_solve); }));
  calculator.WaitUntilIdle();
  EXPECT_EQ(outcome.answer_text, "= 5");
}

TEST_F(CalculatorTest, StopEndsAPlotAsCanceledWithThePointsSoFar) {
  Calculator& calculator = Started();
  PlotSettings& settings = calculator.plot_settings();
  settings.start = "0";
  settings.stop = "100000000";
  settings.increment = "1";
  PlotOutcome outcome;
  {
    StopWhenUnderway stop(calculator);
    outcome = calculator.Plot("x*2");
  }
  EXPECT_EQ(outcome.status, PlotOutcome::Status::kCanceled);
  const ChartModel& chart = calculator.plots().chart();
  ASSERT_EQ(chart.series_count(), 1u);
  const std::size_t points = chart.series(1).count();
  EXPECT_GT(points, 0u);
  EXPECT_LT(points, 100000001u);
  // The points themselves reached the session, not only their count.
  EXPECT_EQ(chart.series(1).points().size(), points);
  // Finished as a cancelled run: the figures count the points plotted.
  EXPECT_EQ(calculator.plots().plot_info().calculations_done, std::to_string(points));
}

}  // namespace
}  // namespace korvex

namespace korvex {
namespace {

TEST_F(CalculatorTest, PlotsThatWouldExhaustMemoryAreRefusedUpFront) {
  Calculator& calculator = Started();
  PlotSettings& settings = calculator.plot_settings();
  settings.start = "1";
  settings.increment = "1";
  calculator.context().plotter().set_memory_budget(1000 * kBytesPerSample);
  struct Case {
    const char* stop;
    PlotOutcome::Status status;
  };
  const Case cases[] = {
      {"1000", PlotOutcome::Status::kComplete},  // exactly the budget
      {"1001", PlotOutcome::Status::kStopped},
      {"2E9", PlotOutcome::Status::kStopped},  // once ended in an allocation failure at 3 GB
  };
  for (const Case& c : cases) {
    sink_.reports.clear();
    settings.stop = c.stop;
    EXPECT_EQ(calculator.Plot("x").status, c.status) << c.stop;
    if (c.status == PlotOutcome::Status::kStopped) {
      ASSERT_EQ(sink_.reports.size(), 1u) << c.stop;
      EXPECT_EQ(sink_.reports[0].message, kPlotTooLargeMessage) << c.stop;
    }
  }
}

}  // namespace
}  // namespace korvex
