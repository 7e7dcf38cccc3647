// The plot driver: range and totals, sampling by repeated addition, the
// derivative rewrite, series modes, refusals, the reminder and the figures.
#include "plot/plotter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/test_support.h"

namespace korvex {
namespace testing {
void PrintTo(const Report& report, std::ostream* os) {
  *os << report.title << ": " << report.message;
}
}  // namespace testing
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::Report;
using testing::TestCalculator;

// Records what a window would show; each sample moves the clock on, and the
// Reminder dialog can stay open for a while and answer "Stop".
class FakeProgress : public PlotProgress {
 public:
  explicit FakeProgress(ManualClock& clock) : clock_(clock) {}
  void SetProgressMaximum(std::int32_t maximum) override { maximum_ = maximum; }
  void StartPlotInfo(const PlotInfo& info) override { started.push_back(info); }
  void SetProgressPosition(std::size_t position) override {
    positions.push_back(position);
    clock_.Advance(sample_microseconds);
  }
  bool ShowReminder() override {
    ++reminders;
    // The dialog sits over the graph, which must show every sample so far.
    if (chart != nullptr && chart->series_count() > 0)
      points_at_reminder.push_back(chart->series(chart->series_count()).count());
    clock_.Advance(dialog_microseconds);
    return reminders < stop_at_reminder;
  }
  void FinishPlotInfo(const PlotInfo& info, bool cancelled) override {
    finished.push_back(info);
    cancelled_flags.push_back(cancelled);
  }

  std::int64_t sample_microseconds = 0;
  std::int64_t dialog_microseconds = 0;
  int stop_at_reminder = 1000000;  // the reminder that answers "Stop"
  std::int32_t maximum_ = -1;
  std::vector<PlotInfo> started;
  std::vector<std::size_t> positions;
  int reminders = 0;
  const ChartModel* chart = nullptr;
  std::vector<std::size_t> points_at_reminder;
  std::vector<PlotInfo> finished;
  std::vector<bool> cancelled_flags;

 private:
  ManualClock& clock_;
};

class PlotterTest : public ::testing::Test {
 protected:
  PlotterTest() : plotter(calc.engine, clock), progress(clock) { plotter.set_progress(&progress); }

  void SetRange(const char* start, const char* stop, const char* increment) {
    plotter.settings().start = start;
    plotter.settings().stop = stop;
    plotter.settings().increment = increment;
  }
  const ChartSeries& Newest() const {
    return plotter.chart().series(plotter.chart().series_count());
  }
  const SeriesStats& NewestStats() const { return plotter.stats(plotter.chart().series_count()); }
  std::vector<double> Xs() const {
    std::vector<double> xs;
    for (const ChartPoint& p : Newest().points()) xs.push_back(p.x);
    return xs;
  }

  TestCalculator calc;
  ManualClock clock;
  Plotter plotter;
  FakeProgress progress;
};

TEST_F(PlotterTest, TotalsAndSamplesFollowRepeatedAddition) {
  struct Case {
    const char* start;
    const char* stop;
    const char* increment;
    std::int32_t total;
    size_t points;
  };
  const Case cases[] = {
      {"0", "1", "0,3", 5, 5},
      {"-10", "10", "0,1", 201, 201},
      {"-1", "1", "0,001", 2002, 2001},
      {"-2", "2", "1", 5, 5},
  };
  for (const Case& c : cases) {
    SetRange(c.start, c.stop, c.increment);
    ASSERT_TRUE(plotter.SolvePlot("x")) << c.start << " " << c.increment;
    EXPECT_EQ(progress.maximum_, c.total) << c.start << " " << c.increment;
    EXPECT_EQ(Newest().count(), c.points) << c.start << " " << c.increment;
    EXPECT_EQ(progress.started.back().total_calculations, std::to_string(c.total));
    EXPECT_EQ(progress.finished.back().calculations_done, std::to_string(c.points));
  }
  EXPECT_THAT(calc.sink.reports, IsEmpty());

  SetRange("0", "1", "0,3");
  progress.positions.clear();
  ASSERT_TRUE(plotter.SolvePlot("x"));
  EXPECT_THAT(NewestStats().table_lines,
              ElementsAre("x: 0 = f(x): 0", "x: 0,3 = f(x): 0,3", "x: 0,6 = f(x): 0,6",
                          "x: 0,9 = f(x): 0,9", "x: 1,2 = f(x): 1,2"));
  EXPECT_THAT(progress.positions, ElementsAre(1, 2, 3, 4, 5));

  // Accumulated, the default range misses 0: its middle sample is tiny and
  // written in exponent form, and the sign change falls between two samples.
  SetRange("-10", "10", "0,1");
  ASSERT_TRUE(plotter.SolvePlot("x"));
  const std::string& middle = NewestStats().table_lines[100];
  EXPECT_NE(middle.find('E'), std::string::npos) << middle;
  ASSERT_EQ(NewestStats().zero_lines.size(), 1u);
  EXPECT_NE(NewestStats().zero_lines[0].find("<x<"), std::string::npos);
}

TEST_F(PlotterTest, RefusalsReportPlotErrors) {
  struct Case {
    const char* start;
    const char* stop;
    const char* increment;
    bool derivative;
    const char* epsilon;
    const char* message;
  };
  const char* calculations = kCalculationsErrorMessage;
  const char* too_few_many = kTooFewOrManyMessage;
  const Case cases[] = {
      {"0", "1", "0", false, "0,001", calculations},
      {"0", "1", "0.1", false, "0,001", calculations},
      {"a", "1", "1", false, "0,001", calculations},
      {"0", "", "1", false, "0,001", calculations},
      {"0", "1", "1", true, "e", calculations},
      {"10", "-10", "0,1", false, "0,001", too_few_many},
      {"0", "10000000000", "1", false, "0,001", too_few_many},
      // The total counts 21, but x starts beyond stop + increment.
      {"10", "-10", "-1", false, "0,001", kNoSamplesMessage},
      {"-10", "10", "1", true, "1E-300", kEpsilonVanishesMessage},
      {"-10", "10", "1", true, "0", kEpsilonVanishesMessage},
      {"0", "1E15", "1E14", true, "0,01", kEpsilonVanishesMessage},
      {"-10", "10", "1", true, "1E300", kEpsilonSwampsMessage},
      {"-10", "10", "1", true, "-1E20", kEpsilonSwampsMessage},
  };
  for (const Case& c : cases) {
    calc.sink.reports.clear();
    SetRange(c.start, c.stop, c.increment);
    plotter.settings().derivative = c.derivative;
    plotter.settings().epsilon = c.epsilon;
    EXPECT_FALSE(plotter.SolvePlot("x"));
    EXPECT_THAT(calc.sink.reports, ElementsAre(Report{c.message, kPlotError})) << c.start;
    EXPECT_EQ(plotter.chart().series_count(), 0u) << c.start;
  }
  // An epsilon that is not a number matters only with the derivative on.
  SetRange("0", "1", "1");
  plotter.settings().derivative = false;
  plotter.settings().epsilon = "e";
  EXPECT_TRUE(plotter.SolvePlot("x"));
  EXPECT_TRUE(progress.finished.size() == 1 && progress.cancelled_flags[0] == false);
  // A step just large enough to show in the number texts at both ends.
  SetRange("-1000", "1000", "500");
  plotter.settings().derivative = true;
  plotter.settings().epsilon = "1E-11";
  EXPECT_TRUE(plotter.SolvePlot("x^2"));
  EXPECT_EQ(progress.finished.size(), 2u);
}

TEST_F(PlotterTest, ScalesRefusalComesBeforeTheSeries) {
  plotter.settings().x_axis.automatic = false;
  plotter.settings().x_axis.minimum = "-0,5";
  plotter.settings().x_axis.maximum = "0,5";
  EXPECT_FALSE(plotter.SolvePlot("x"));
  EXPECT_THAT(calc.sink.reports,
              ElementsAre(Report{"One or more errors occurred in (Tools/Plot options/Scales)",
                                 kPlotError}));
  EXPECT_EQ(plotter.chart().series_count(), 0u);
  EXPECT_THAT(progress.started, IsEmpty());
}

TEST_F(PlotterTest, ModesNumberTheSeries) {
  SetRange("0", "2", "1");
  ASSERT_TRUE(plotter.SolvePlot("x"));
  ASSERT_TRUE(plotter.SolvePlot("2x"));
  EXPECT_EQ(plotter.chart().series_count(), 1u);  // Single replaces
  EXPECT_EQ(Newest().title(), "2x");
  EXPECT_EQ(NewestStats().table_lines.size(), 3u);

  plotter.settings().mode = PlotMode::kMultiple;
  ASSERT_TRUE(plotter.SolvePlot("3x"));
  EXPECT_EQ(plotter.chart().series_count(), 2u);
  EXPECT_EQ(progress.started.back().serie, "2");
  EXPECT_EQ(NewestStats().table_lines.front(), "x: 0 = f(x): 0");
  EXPECT_EQ(plotter.stats(1).table_lines.back(), "x: 2 = f(x): 4");

  // Removing the newest lets the next plot reuse its number with fresh stats.
  plotter.RemoveSeries(true);
  ASSERT_TRUE(plotter.SolvePlot("5+x"));
  EXPECT_EQ(plotter.chart().series_count(), 2u);
  EXPECT_EQ(NewestStats().table_lines.size(), 3u);
  EXPECT_EQ(NewestStats().sum_y, 18);
}

TEST_F(PlotterTest, HundredSeriesAtMost) {
  plotter.settings().mode = PlotMode::kMultipleAll;
  SetRange("0", "0", "1");
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(plotter.SolvePlot("x"));
  EXPECT_FALSE(plotter.SolvePlot("x"));
  EXPECT_THAT(calc.sink.reports,
              ElementsAre(Report{"Too many graph series at one time", kPlotError}));
  EXPECT_EQ(plotter.chart().series_count(), 100u);
  // Single mode clears first, so it never meets the limit.
  plotter.settings().mode = PlotMode::kSingle;
  EXPECT_TRUE(plotter.SolvePlot("x"));
  EXPECT_EQ(plotter.chart().series_count(), 1u);
}

TEST_F(PlotterTest, DerivativeOfSquareIsNearTwoX) {
  SetRange("-2", "2", "1");
  plotter.settings().derivative = true;
  ASSERT_TRUE(plotter.SolvePlot("x^2"));
  EXPECT_EQ(Newest().title(), "( x^2 )'");
  EXPECT_EQ(progress.started.back().function, "( x^2 )'");
  ASSERT_EQ(Newest().count(), 5u);
  for (const ChartPoint& p : Newest().points()) EXPECT_NEAR(p.y, 2 * p.x, 1e-9) << p.x;
  EXPECT_EQ(NewestStats().table_lines[0].rfind("x: -2 = f'(x): -", 0), 0u)
      << NewestStats().table_lines[0];
  // The rewritten list keeps the last sample's reduced tokens afterwards.
  EXPECT_EQ(calc.engine.tokens().size(), 1u);

  // An expression with the variable three times: the first half of the
  // occurrences (rounded up) takes x + epsilon in each copy.
  ASSERT_TRUE(plotter.SolvePlot("x*x*x"));
  for (const ChartPoint& p : Newest().points()) EXPECT_NEAR(p.y, 3 * p.x * p.x, 1e-5) << p.x;
}

TEST_F(PlotterTest, SampleFailuresEndTheRunAndKeepTheSeries) {
  struct Case {
    const char* expression;
    size_t points;
    Report report;
  };
  const Case cases[] = {
      {"X^2", 0, {"Could not calculate 'X^2'", kSyntaxError}},
      {"-x", 0, {"Invalid argument '--10'", kSyntaxError}},
      {"1/(x-1)", 1, {"Could not calculate '1/0'", kSyntaxError}},
  };
  SetRange("-10", "10", "11");
  for (const Case& c : cases) {
    calc.sink.reports.clear();
    progress.finished.clear();
    EXPECT_FALSE(plotter.SolvePlot(c.expression)) << c.expression;
    ASSERT_EQ(plotter.chart().series_count(), 1u);
    EXPECT_EQ(Newest().count(), c.points) << c.expression;
    EXPECT_EQ(NewestStats().table_lines.size(), c.points) << c.expression;
    EXPECT_THAT(calc.sink.reports, ElementsAre(c.report)) << c.expression;
    EXPECT_THAT(progress.finished, IsEmpty()) << c.expression;
  }
  ASSERT_TRUE(plotter.SolvePlot("0-x"));
  EXPECT_THAT(NewestStats().table_lines,
              ElementsAre("x: -10 = f(x): 10", "x: 1 = f(x): -1", "x: 12 = f(x): -12"));
}

TEST_F(PlotterTest, ArithmeticFailureEscapesAndTheNextPlotRuns) {
  calc.engine.environment().functions = nullptr;  // every name is a function
  SetRange("1", "3", "1");
  EXPECT_THROW(plotter.SolvePlot("var[x]"), ArithmeticFailure);
  EXPECT_EQ(Newest().count(), 0u);
  EXPECT_THAT(progress.finished, IsEmpty());
  ASSERT_TRUE(plotter.SolvePlot("x"));
  EXPECT_EQ(Newest().count(), 3u);
}

TEST_F(PlotterTest, RequestFlagsAndSteps) {
  ASSERT_TRUE(calc.engine.Solve("1+2"));
  const std::vector<std::string> steps = calc.engine.steps().Texts();
  SetRange("0", "3", "1");
  ASSERT_TRUE(plotter.SolvePlot("x+x*2"));
  EXPECT_EQ(calc.engine.steps(), steps);
  EXPECT_FALSE(calc.engine.steps_enabled());
  EXPECT_FALSE(calc.engine.checks_enabled());
  EXPECT_EQ(plotter.plot_expression(), "x+x*2");
  EXPECT_EQ(Newest().points().back().y, 9);

  // A name that is not the variable (case matters) is not sampled; a plot
  // with no variable at all is a horizontal line.
  ASSERT_TRUE(plotter.SolvePlot("7"));
  EXPECT_EQ(Newest().MinY(), 7);
  EXPECT_EQ(Newest().MaxY(), 7);
  EXPECT_EQ(NewestStats().max_lines.size(), 4u);
}

TEST_F(PlotterTest, UserVariableNamedLikeThePlotVariableIsAConstant) {
  calc.variables.push_back({"x", "3"});
  SetRange("0", "2", "1");
  ASSERT_TRUE(plotter.SolvePlot("2x"));
  EXPECT_EQ(Newest().MinY(), 6);
  EXPECT_EQ(Newest().MaxY(), 6);
}

TEST_F(PlotterTest, IncrementTooSmallToMoveTheSampleStops) {
  SetRange("1E20", "100000000000000000100", "1");
  EXPECT_FALSE(plotter.SolvePlot("x"));
  EXPECT_THAT(calc.sink.reports, ElementsAre(Report{kCalculationsErrorMessage, kPlotError}));
  EXPECT_EQ(Newest().count(), 1u);
}

TEST_F(PlotterTest, ReminderPausesAreNotCountedAndStopCancels) {
  plotter.set_reminder_interval(8000);
  progress.sample_microseconds = 3000000;
  progress.dialog_microseconds = 5000000;
  SetRange("1", "10", "1");

  // 30 s of plotting: the reminder comes after 9, 18 and 27 s of plotting.
  progress.chart = &plotter.chart();
  ASSERT_TRUE(plotter.SolvePlot("x"));
  EXPECT_EQ(progress.reminders, 3);
  EXPECT_THAT(progress.points_at_reminder, ElementsAre(3, 6, 9));
  EXPECT_EQ(plotter.timing().paused_time, 15000000);
  EXPECT_EQ(plotter.timing().net_plot_time, 30000000);
  EXPECT_EQ(progress.finished.back().done_mu, "30000000 mu");

  // During a benchmark the reminder never comes.
  progress.reminders = 0;
  plotter.timing().benchmark_running = true;
  ASSERT_TRUE(plotter.SolvePlot("x"));
  EXPECT_EQ(progress.reminders, 0);
  plotter.timing().benchmark_running = false;

  // "Stop" finishes the run as cancelled with the points so far.
  progress.finished.clear();
  progress.cancelled_flags.clear();
  progress.stop_at_reminder = 1;
  EXPECT_FALSE(plotter.SolvePlot("x"));
  EXPECT_TRUE(plotter.timing().stop_requested);
  EXPECT_EQ(Newest().count(), 3u);
  EXPECT_THAT(progress.cancelled_flags, ElementsAre(true));
  EXPECT_EQ(progress.finished.back().calculations_done, "3");
  EXPECT_EQ(plotter.timing().net_plot_time, 9000000);
  EXPECT_THAT(calc.sink.reports, IsEmpty());
}

TEST(ReminderDecision, WholeMillisecondsAgainstTheInterval) {
  EXPECT_FALSE(ReminderDue(7999999, 8000));
  EXPECT_TRUE(ReminderDue(8000000, 8000));
  EXPECT_FALSE(ReminderDue(999, 1));
  EXPECT_TRUE(ReminderDue(1000, 1));
}

}  // namespace
}  // namespace korvex
