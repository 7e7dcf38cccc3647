// The benchmark window on a short test table, its tests run on the
// calculator's worker as the program runs them: start, the step timer, stop
// between tests and during one, a complete run with its score, and the ways
// a run ends.
#include "ui/benchmark_window.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <functional>

#include "core/calculator.h"
#include "engine/test_support.h"
#include "plot/stopwatch.h"
#include "settings/catalogue_files.h"
#include "settings/line_file.h"
#include "settings/plot_file.h"
#include "ui/benchmark_result_window.h"
#include "ui/plot_windows_fixture.h"

namespace korvex {
namespace {

using testing::Child;

// Stands in for the worker's steady clock: every reading is `step`
// microseconds after the one before. A plot reads it once as its timing
// starts and once as it stops, so each test takes exactly one step. The
// reminder's clock stands still: a benchmark asks no reminder.
class SteppingClock : public Clock {
 public:
  std::int64_t NowMicroseconds() const override { return now_ += step.load(); }
  const Clock& Coarse() const override { return still_; }

  std::atomic<std::int64_t> step{0};

 private:
  mutable std::int64_t now_ = 0;  // read on the worker only
  ManualClock still_;
};

std::vector<BenchmarkTest> TwelveShortTests() {
  std::vector<BenchmarkTest> tests;
  for (int i = 0; i < 12; ++i) {
    const std::string number = std::to_string(i);
    tests.push_back({"result" + number, i < 6 ? "Integer" : "Floating point",
                     "Test " + number + ":", "2x+4", "1", "3", "1"});
  }
  return tests;
}

class BenchmarkWindowTest : public ::testing::Test {
 protected:
  BenchmarkWindowTest() {
    user_settings.variable = "t";
    user_settings.start = "5";
    user_settings.stop = "7";
    user_settings.mode = PlotMode::kSingle;
    user_settings.derivative = true;
    EXPECT_TRUE(SavePlotSettings(w.calculator.data(), user_settings, w.messages));
    w.calculator.plot_settings() = user_settings;
    w.calculator.context().plotter().timing() = PlotTiming(clock);
  }
  ~BenchmarkWindowTest() override {
    // A test still running must not hand its outcome to a window gone.
    w.runner.Stop();
    w.calculator.WaitUntilIdle();
  }

  void UseWindow(std::vector<BenchmarkTest> table) {
    window = std::make_unique<BenchmarkWindow>(w.calculator, w.messages, nullptr, std::move(table));
    window->set_runner(&w.runner, &w.display);
    window->show();
    start = window->findChild<QPushButton*>(QStringLiteral("start"));
    stop = window->findChild<QPushButton*>(QStringLiteral("stop"));
    timer = window->findChild<QTimer*>(QStringLiteral("testtimer"));
    ASSERT_TRUE(start && stop && timer);
    ticks = 0;
  }
  // A tick of the step timer without its wait, until the test it started
  // has been handed back. The n-th test of a run takes n * 1000 microseconds.
  void Tick() {
    clock.step = 1000 * ++ticks;
    window->testtimerTimer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !w.runner.busy(); }, 30000));
  }
  QStringList Labels() const {
    QStringList texts;
    for (const BenchmarkTest& test : tests) {
      texts << window->findChild<QLabel*>(QString::fromStdString(test.label))->text();
    }
    return texts;
  }
  // Labels: `done` tests finished (1000, 2000 ... mu), then `current`, then "n/a".
  QStringList Expected(int done, const QString& current) const {
    QStringList texts;
    for (int i = 0; i < done; ++i) texts << QStringLiteral("Done in %1 mu").arg((i + 1) * 1000);
    if (!current.isEmpty()) texts << current;
    while (texts.size() < static_cast<int>(tests.size())) texts << QStringLiteral("n/a");
    return texts;
  }
  QString PlotInfoLabel(const char* name) { return Child<QLabel>(&w.plot_info, name)->text(); }

  // First: the worker's plot driver reads it until the runner has stopped.
  SteppingClock clock;
  testing::PlotWindows w;
  PlotSettings user_settings;
  std::vector<BenchmarkTest> tests = TwelveShortTests();
  std::unique_ptr<BenchmarkWindow> window;
  QPushButton* start = nullptr;
  QPushButton* stop = nullptr;
  QTimer* timer = nullptr;
  int ticks = 0;
};

TEST_F(BenchmarkWindowTest, StopBetweenTestsKeepsDoneLabelsAndRestoresPlotOptions) {
  struct Case {
    const char* how;
    std::function<void(BenchmarkWindow&, QPushButton&)> stop;
    bool window_stays;
  };
  const Case cases[] = {
      {"Stop", [](BenchmarkWindow&, QPushButton& s) { QTest::mouseClick(&s, Qt::LeftButton); },
       true},
      {"close box", [](BenchmarkWindow& bw, QPushButton&) { bw.close(); }, false},
      {"Escape", [](BenchmarkWindow& bw, QPushButton&) { QTest::keyClick(&bw, Qt::Key_Escape); },
       false},
  };
  // A plot of the user's first: its series stays, its figures go.
  ASSERT_TRUE(w.Plot("t"));
  for (const Case& c : cases) {
    UseWindow(tests);
    QSignalSpy finished(window.get(), &BenchmarkWindow::benchmarkFinished);
    QSignalSpy test_done(window.get(), &BenchmarkWindow::testFinished);
    QSignalSpy restored(window.get(), &BenchmarkWindow::plotOptionsRestored);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());

    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1500);
    EXPECT_EQ(Labels(), Expected(0, "Please wait..."));

    for (int i = 0; i < 4; ++i) Tick();
    EXPECT_EQ(Labels(), Expected(4, "Please wait...")) << c.how;
    EXPECT_TRUE(timer->isActive());
    // Each test plots with the benchmark's own options over the user's, on
    // the worker; the user's stay as they are.
    const PlotSettings& used = w.calculator.context().plotter().settings();
    EXPECT_EQ(used.variable, "x");
    EXPECT_EQ(used.mode, PlotMode::kMultiple);
    EXPECT_FALSE(used.derivative);
    EXPECT_EQ(w.calculator.plot_settings(), user_settings);
    // Plot info shows the last test's end.
    EXPECT_EQ(PlotInfoLabel("function"), QStringLiteral("2x+4")) << c.how;
    // Changed live meanwhile; the run's end reads plot.ini again.
    w.calculator.plot_settings().start = "-99";

    c.stop(*window, *stop);
    EXPECT_EQ(Labels(), Expected(4, "Stopped")) << c.how;
    EXPECT_FALSE(timer->isActive()) << c.how;
    EXPECT_TRUE(start->isEnabled()) << c.how;
    EXPECT_FALSE(stop->isEnabled()) << c.how;
    EXPECT_EQ(window->isVisible(), c.window_stays) << c.how;
    EXPECT_FALSE(w.runner.busy()) << c.how;
    EXPECT_EQ(finished.count(), 0) << c.how;
    EXPECT_EQ(test_done.count(), 4) << c.how;
    EXPECT_EQ(restored.count(), 1) << c.how;
    EXPECT_EQ(PlotInfoLabel("function"), QString::fromLatin1(kNotAvailable)) << c.how;
    EXPECT_EQ(PlotInfoLabel("calcdone"), QString::fromLatin1(kNotAvailable)) << c.how;
    EXPECT_EQ(w.calculator.plots().plot_info().function, kNotAvailable) << c.how;
    EXPECT_EQ(w.calculator.plot_settings(), user_settings) << c.how;
    EXPECT_FALSE(w.calculator.context().plotter().timing().benchmark_running) << c.how;
    EXPECT_EQ(w.calculator.plots().chart().series_count(), 1u) << c.how;
  }
  EXPECT_TRUE(w.sink.reports.empty());
  EXPECT_TRUE(w.messages.shown.isEmpty());
}

TEST_F(BenchmarkWindowTest, CompleteRunShowsTheScoreAndStartBeginsAgain) {
  UseWindow(tests);
  BenchmarkResultWindow result;
  QObject::connect(window.get(), &BenchmarkWindow::benchmarkFinished, &result,
                   &BenchmarkResultWindow::ShowScore);
  auto* score = result.findChild<QLabel*>(QStringLiteral("score"));
  EXPECT_EQ(score->text(), QStringLiteral("0"));
  ASSERT_TRUE(w.Plot("t"));  // the user's, which no test may touch

  QTest::mouseClick(start, Qt::LeftButton);
  for (int i = 0; i < 11; ++i) Tick();
  EXPECT_FALSE(result.isVisible());
  Tick();

  // 1000 + 2000 + ... + 12000 = 78000; / 12 = 6500; / 1000 = 6.
  EXPECT_EQ(Labels(), Expected(12, QString()));
  EXPECT_TRUE(result.isVisible());
  EXPECT_EQ(score->text(), QStringLiteral("6"));
  EXPECT_FALSE(timer->isActive());
  EXPECT_TRUE(start->isEnabled());
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_EQ(w.calculator.plot_settings(), user_settings);
  EXPECT_EQ(PlotInfoLabel("function"), QString::fromLatin1(kNotAvailable));
  EXPECT_EQ(w.calculator.plots().plot_info().function, kNotAvailable);
  ASSERT_EQ(w.calculator.plots().chart().series_count(), 1u);
  EXPECT_EQ(w.calculator.plots().chart().series(1).title(), "( t )'");

  // A stray tick after the end starts nothing.
  window->testtimerTimer();
  EXPECT_FALSE(w.runner.busy());
  EXPECT_EQ(Labels(), Expected(12, QString()));

  QTest::mouseClick(start, Qt::LeftButton);
  EXPECT_EQ(Labels(), Expected(0, "Please wait..."));
}

// "Stop" and closing work during a test too: the window closes at once, the
// test ends as stopped a moment later, and the run ends without a score.
TEST_F(BenchmarkWindowTest, StopAndCloseDuringATestEndTheRunAsStopped) {
  // Long enough to be stopped while it samples: every sample evaluated
  // afresh, a hundred thousand of them.
  tests[0].expression = QStringLiteral("x+").repeated(400).toStdString() + "x";
  tests[0].stop = "100000";
  w.calculator.context().plotter().set_force_token_engine(true);
  UseWindow(tests);
  QSignalSpy restored(window.get(), &BenchmarkWindow::plotOptionsRestored);
  QTest::mouseClick(start, Qt::LeftButton);
  window->testtimerTimer();
  ASSERT_TRUE(w.runner.busy());
  ASSERT_TRUE(QTest::qWaitFor([this] { return w.calculator.control().position() > 0; }));
  ASSERT_TRUE(w.runner.busy()) << "the test ended before it could be stopped";

  QTest::mouseClick(stop, Qt::LeftButton);
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(w.runner.busy());  // its outcome has not been handed back yet
  window->startClick();          // a test is running: nothing starts
  EXPECT_EQ(Labels(), Expected(0, "Please wait..."));

  ASSERT_TRUE(QTest::qWaitFor([this] { return !w.runner.busy(); }, 30000));
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(Labels(), Expected(0, "Stopped"));
  EXPECT_TRUE(start->isEnabled());
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_EQ(restored.count(), 1);
  EXPECT_FALSE(w.calculator.context().plotter().timing().benchmark_running);
  EXPECT_EQ(w.calculator.plot_settings(), user_settings);
  // The test's series has left the worker's chart; the user's never had it.
  EXPECT_EQ(w.calculator.context().plotter().chart().series_count(), 0u);
  EXPECT_EQ(w.calculator.plots().chart().series_count(), 0u);
  EXPECT_TRUE(w.messages.failures.isEmpty());
}

TEST_F(BenchmarkWindowTest, FailedPlotEndsTheRunWithoutAScore) {
  struct Case {
    const char* expression;
    QStringList failures;  // the general failure display
  };
  // Catalogues that know `var`, as the shipped one does.
  const std::filesystem::path bin = w.calculator.data().File("");
  for (const char* folder : {"functions", "constants"})
    std::filesystem::create_directories(bin / folder);
  ASSERT_TRUE(WriteLines(bin / kFunctionsFile, {"var#s#0#variance"}));
  ASSERT_TRUE(WriteLines(bin / kConstantsFile, {"pi#g#3,14159265358979#pi"}));
  ASSERT_TRUE(w.calculator.StartWithoutWindows());
  const Case cases[] = {
      {"1/(x-2)", {}},  // refused by the plot request, which reports it
      {"var[x]", {"Invalid floating point operation."}},
  };
  for (const Case& c : cases) {
    w.messages.failures.clear();
    UseWindow(
        {{"a", "G", "A:", c.expression, "1", "3", "1"}, {"b", "G", "B:", "x", "1", "2", "1"}});
    QSignalSpy finished(window.get(), &BenchmarkWindow::benchmarkFinished);
    QTest::mouseClick(start, Qt::LeftButton);
    Tick();
    EXPECT_EQ(window->findChild<QLabel*>("a")->text(), QStringLiteral("Failed")) << c.expression;
    EXPECT_EQ(window->findChild<QLabel*>("b")->text(), QStringLiteral("n/a")) << c.expression;
    EXPECT_FALSE(timer->isActive()) << c.expression;
    EXPECT_TRUE(start->isEnabled()) << c.expression;
    EXPECT_EQ(finished.count(), 0) << c.expression;
    EXPECT_EQ(w.calculator.plot_settings(), user_settings) << c.expression;
    EXPECT_EQ(w.messages.failures, c.failures) << c.expression;
  }
}

}  // namespace
}  // namespace korvex
