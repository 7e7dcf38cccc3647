// Requests as values: what a request reads is fixed when it is made, a run
// on the calculator's engine state leaves the session alone until its
// outcome is applied, and a plot reaches a session only through its notices.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "calculator_fixture.h"
#include "core/calculator.h"
#include "engine/test_support.h"
#include "error_place_cases.h"
#include "settings/settings_test_support.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

using Points = std::vector<std::pair<double, double>>;

Points PointsOf(std::span<const ChartPoint> points) {
  Points pairs;
  for (const ChartPoint& point : points) pairs.emplace_back(point.x, point.y);
  return pairs;
}

// Polls `condition` until it holds; false when it still does not after a
// time no healthy run comes near.
bool WaitFor(const std::function<bool()>& condition) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// What a running plot told, in order.
class RecordingNotices : public RequestNotices {
 public:
  enum class Event { kSeriesCreated, kPointsAdded };

  void SeriesCreated(const ChartModel& outline) override {
    events.push_back(Event::kSeriesCreated);
    numbers.push_back(outline.series_count());
  }
  void PointsAdded(std::size_t number, std::span<const ChartPoint> batch) override {
    events.push_back(Event::kPointsAdded);
    numbers.push_back(number);
    const Points added = PointsOf(batch);
    points.insert(points.end(), added.begin(), added.end());
  }

  std::vector<Event> events;
  // The series each event was about.
  std::vector<std::size_t> numbers;
  Points points;
};

// A front end that shows the Reminder; the test answers it through the
// request's control, as the window's dialog does.
class ReminderNotices : public RequestNotices {
 public:
  bool shows_reminder() const override { return true; }
  void ReminderDue() override { ++reminders; }
  std::atomic<int> reminders{0};
};

// Stops the worker's request and waits for it, so that a test leaving early
// never leaves it running on the test's locals.
class StopsOnExit {
 public:
  explicit StopsOnExit(Calculator& calculator) : calculator_(calculator) {}
  ~StopsOnExit() {
    calculator_.RequestStop();
    calculator_.WaitUntilIdle();
  }

 private:
  Calculator& calculator_;
};

using RequestsTest = CalculatorFixture;

TEST_F(RequestsTest, ARequestComputesWhatItReadWhenItWasMade) {
  Calculator& calculator = Started();
  calculator.variables() = {{"a", "2"}};
  PlotSettings& plot = calculator.plot_settings();
  plot.start = "0";
  plot.stop = "2";
  plot.increment = "1";
  ASSERT_EQ(calculator.Solve("10").status, SolveOutcome::Status::kAnswered);
  const SolveRequest solve = calculator.MakeSolveRequest("a+ans", calculator.session());
  const PlotRequest plot_request = calculator.MakePlotRequest("a*x", calculator.session());

  // Everything the two requests read changes before they run: variables,
  // mask, plot range, stored answer and the session's chart.
  calculator.variables() = {{"a", "5"}};
  calculator.mask().mask = "0.00";
  plot.stop = "5";
  ASSERT_EQ(calculator.Solve("100").status, SolveOutcome::Status::kAnswered);
  ASSERT_EQ(calculator.Plot("x").status, PlotOutcome::Status::kComplete);
  ASSERT_EQ(calculator.plots().chart().series_count(), 1u);

  EXPECT_EQ(calculator.context().Solve(solve).answer_text, "= 12");
  RecordingNotices notices;
  const PlotOutcome plotted = calculator.context().Plot(plot_request, notices);
  EXPECT_EQ(plotted.status, PlotOutcome::Status::kComplete);
  EXPECT_EQ(plotted.series_number, 1u);  // counted after the chart it was made from
  EXPECT_EQ(notices.points, (Points{{0, 0}, {1, 2}, {2, 4}}));
}

TEST_F(RequestsTest, AContextRunLeavesTheSessionUntilItsOutcomeIsApplied) {
  Calculator& calculator = Started();
  ASSERT_EQ(calculator.Solve("0,5*3").status, SolveOutcome::Status::kAnswered);
  const std::vector<std::string> steps_before{"Step 1 (multiply): 1,5"};
  ASSERT_EQ(calculator.steps().Texts(), steps_before);
  calculator.general().point = true;

  SolveOutcome outcome =
      calculator.context().Solve(calculator.MakeSolveRequest("ans*3", calculator.session()));
  ASSERT_EQ(outcome.answer_text, "= 4.5");
  EXPECT_EQ(calculator.stored_answer(), 1.5L);
  EXPECT_EQ(calculator.CopyAnswerText(), "1,5");
  EXPECT_EQ(calculator.steps().Texts(), steps_before);
  EXPECT_EQ(calculator.session().solved_text(), "0,5*3");
  const std::uint64_t revision = calculator.session().steps_revision();

  // The steps come with the text their places point into.
  calculator.session().Apply(outcome);
  EXPECT_EQ(calculator.stored_answer(), 4.5L);
  EXPECT_EQ(calculator.CopyAnswerText(), "4.5");
  EXPECT_EQ(calculator.steps().Texts(), std::vector<std::string>{"Step 1 (multiply): 4,5"});
  EXPECT_EQ(calculator.session().solved_text(), "ans*3");
  EXPECT_EQ(calculator.session().steps_revision(), revision + 1);
  ASSERT_EQ(calculator.steps().Places(0).size(), 1u);
  EXPECT_EQ(calculator.steps().Places(0)[0], (SourceRange{0, 5}));

  // Failures stay in the outcome, with the part of the text each concerns;
  // nothing reaches the front end's sink until they are replayed.
  for (const testing::ErrorPlaceCase& c : testing::ErrorPlaceCases()) {
    calculator.variables() = c.variables;
    const SolveOutcome failed =
        calculator.context().Solve(calculator.MakeSolveRequest(c.text, calculator.session()));
    EXPECT_TRUE(sink_.reports.empty()) << c.text;
    ASSERT_EQ(failed.reported.size(), 1u) << c.text;
    EXPECT_EQ(failed.reported[0].message, c.message) << c.text;
    EXPECT_EQ(failed.reported[0].place, c.place) << c.text;
    EXPECT_EQ(failed.error_place, c.place) << c.text;
  }
  EXPECT_EQ(calculator.CopyAnswerText(), "4.5");
}

TEST_F(RequestsTest, APlotReachesASessionThroughItsNotices) {
  Calculator& calculator = Started();
  PlotSettings& plot = calculator.plot_settings();
  plot.start = "0";
  plot.stop = "9999";
  plot.increment = "1";
  const PlotRequest request = calculator.MakePlotRequest("x*2", calculator.session());
  Session other;
  RecordingNotices recorded;
  SessionNotices notices(other, &recorded);
  PlotOutcome outcome = calculator.context().Plot(request, notices);
  ASSERT_EQ(outcome.status, PlotOutcome::Status::kComplete);
  ASSERT_EQ(outcome.series_number, 1u);

  // The series first, then its points in several batches, all for it.
  using Event = RecordingNotices::Event;
  ASSERT_FALSE(recorded.events.empty());
  EXPECT_EQ(recorded.events.front(), Event::kSeriesCreated);
  EXPECT_EQ(std::count(recorded.events.begin(), recorded.events.end(), Event::kSeriesCreated), 1);
  EXPECT_GT(recorded.events.size(), 2u);
  EXPECT_TRUE(std::all_of(recorded.numbers.begin(), recorded.numbers.end(),
                          [](std::size_t number) { return number == 1; }));

  // The run's own chart counts the points but keeps none of them.
  const ChartSeries& own = calculator.context().plotter().chart().series(1);
  EXPECT_TRUE(own.outline());
  EXPECT_TRUE(own.points().empty());
  EXPECT_EQ(own.count(), 10000u);
  ASSERT_EQ(recorded.points.size(), own.count());

  ASSERT_EQ(other.plots().chart().series_count(), 1u);
  const ChartSeries& copied = other.plots().chart().series(1);
  EXPECT_EQ(copied.title(), "x*2");
  EXPECT_EQ(PointsOf(copied.points()), recorded.points);
  EXPECT_EQ(recorded.points[4321], (std::pair<double, double>{4321, 8642}));
  EXPECT_EQ(calculator.plots().chart().series_count(), 0u);  // the user's session

  other.Apply(outcome);
  EXPECT_EQ(other.plots().plot_info().calculations_done, "10000");
  EXPECT_EQ(other.plots().stats(1).table_lines.size(), 10000u);
  EXPECT_EQ(other.plots().stats(1).table_lines[3], "x: 3 = f(x): 6");
}

// The Reminder is answered from another thread while the plot waits on the
// worker: "Continue" goes on, "Stop" ends the run as cancelled, and so does
// a stop asked for meanwhile.
TEST_F(RequestsTest, ThePlotWaitsForTheRemindersAnswer) {
  struct Case {
    const char* name;
    std::function<void(Calculator&)> answer;
    PlotOutcome::Status status;
    PlotOutcome::InfoEnd info_end;
    const char* calculations_done;
    int reminders;
  };
  const Case cases[] = {
      {"continue", [](Calculator& c) { c.control().AnswerReminder(true); },
       PlotOutcome::Status::kComplete, PlotOutcome::InfoEnd::kFinished, "3", 3},
      {"stop", [](Calculator& c) { c.control().AnswerReminder(false); },
       PlotOutcome::Status::kStopped, PlotOutcome::InfoEnd::kCancelled, "0", 1},
      {"request stop", [](Calculator& c) { c.RequestStop(); }, PlotOutcome::Status::kCanceled,
       PlotOutcome::InfoEnd::kCancelled, "0", 1},
  };
  Calculator& calculator = Started();
  // Due before every sample, so the first one already waits.
  calculator.general().reminder_interval = 0;
  PlotSettings& plot = calculator.plot_settings();
  plot.start = "1";
  plot.stop = "3";
  plot.increment = "1";
  for (const Case& c : cases) {
    const PlotRequest request = calculator.MakePlotRequest("x", calculator.session());
    ReminderNotices notices;
    PlotOutcome outcome;
    const StopsOnExit stops(calculator);
    ASSERT_TRUE(calculator.StartOnWorker(
        [&](RequestContext& context) { outcome = context.Plot(request, notices); }));
    ASSERT_TRUE(WaitFor([&] { return calculator.control().reminder_pending(); })) << c.name;
    EXPECT_EQ(notices.reminders, 1) << c.name;
    EXPECT_TRUE(calculator.busy()) << c.name;
    c.answer(calculator);
    if (c.status == PlotOutcome::Status::kComplete) {
      // One Reminder before each later sample as well.
      while (
          WaitFor([&] { return calculator.control().reminder_pending() || !calculator.busy(); }) &&
          calculator.busy())
        calculator.control().AnswerReminder(true);
    }
    ASSERT_TRUE(WaitFor([&] { return !calculator.busy(); })) << c.name << ": still waiting";
    EXPECT_EQ(outcome.status, c.status) << c.name;
    EXPECT_EQ(outcome.info_end, c.info_end) << c.name;
    EXPECT_EQ(outcome.info.calculations_done, c.calculations_done) << c.name;
    EXPECT_EQ(outcome.series_number, 1u) << c.name;
    EXPECT_EQ(notices.reminders, c.reminders) << c.name;
  }
}

TEST_F(RequestsTest, TheSessionCarriesTheRandomSequence) {
  Calculator& calculator = Started();
  // The same calls on one engine of its own.
  testing::RecordingSink reference_sink;
  VariableTable no_variables;
  Engine reference(reference_sink);
  reference.environment().functions = &calculator.catalogues().functions;
  reference.environment().constants = &calculator.catalogues().constants;
  reference.environment().variables = &no_variables;
  const auto next_reference = [&] {
    EXPECT_TRUE(reference.Solve("random[1000000]"));
    return reference.tokens()[0];
  };

  // A run whose outcome is not applied draws from a copy.
  calculator.context().Solve(calculator.MakeSolveRequest("random[1000000]", calculator.session()));
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(calculator.Solve("random[1000000]").status, SolveOutcome::Status::kAnswered);
    EXPECT_EQ(calculator.CopyAnswerText(), next_reference()) << i;
  }
  // A plot draws once per sample and hands the generator on as well.
  PlotSettings& plot = calculator.plot_settings();
  plot.start = "1";
  plot.stop = "3";
  plot.increment = "1";
  ASSERT_EQ(calculator.Plot("random[1000000]").status, PlotOutcome::Status::kComplete);
  for (int i = 0; i < 3; ++i) next_reference();
  ASSERT_EQ(calculator.Solve("random[1000000]").status, SolveOutcome::Status::kAnswered);
  EXPECT_EQ(calculator.CopyAnswerText(), next_reference());
}

// `random` repeats its sequence at every start; `randomrange` and
// `randomgaussian` draw from a generator seeded from the clock, so two
// sessions (two starts of the program) give different values.
TEST(SessionTest, EachSessionSeedsItsClockGeneratorAnew) {
  const Session first;
  const Session second;
  EXPECT_EQ(first.random().fixed_generator, second.random().fixed_generator);
  EXPECT_NE(first.random().clock_generator, second.random().clock_generator);
}

}  // namespace
}  // namespace korvex
