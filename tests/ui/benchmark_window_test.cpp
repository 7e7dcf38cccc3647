// The benchmark window on a short test table: start, the step timer, stop
// between tests, a complete run with its score, and the ways a run ends.
#include "ui/benchmark_window.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "core/calculator.h"
#include "engine/test_support.h"
#include "settings/catalogue_files.h"
#include "settings/line_file.h"
#include "settings/plot_file.h"
#include "ui/benchmark_result_window.h"
#include "ui/ui_test_support.h"

namespace korvex {
namespace {

// Stands in for the stopwatch: the n-th finished plot of the fixture took
// n * 1000 microseconds. Calls `during_plot` while a plot samples.
class ScriptedProgress : public PlotProgress {
 public:
  explicit ScriptedProgress(Plotter& plotter) : plotter_(plotter) {}
  void SetProgressPosition(std::size_t) override {
    if (during_plot) during_plot();
  }
  void FinishPlotInfo(const PlotInfo&, bool) override {
    ++finished;
    plotter_.timing().net_plot_time = 1000 * finished;
  }
  void ResetPlotInfo(const PlotInfo&) override { ++resets; }

  std::function<void()> during_plot;
  int finished = 0;
  int resets = 0;

 private:
  Plotter& plotter_;
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
  BenchmarkWindowTest()
      : app((testing::TestApp(), 0)),
        calc(directory.path().toStdString(), messages),
        progress(calc.plotter()) {
    QDir(directory.path()).mkpath(QStringLiteral("bin"));
    user_settings.variable = "t";
    user_settings.start = "5";
    user_settings.stop = "7";
    user_settings.mode = PlotMode::kSingle;
    user_settings.derivative = true;
    EXPECT_TRUE(SavePlotSettings(calc.data(), user_settings, messages));
    calc.plotter().settings() = user_settings;
    calc.set_error_sink(&sink);
    calc.set_plot_progress(&progress);
  }

  void UseWindow(std::vector<BenchmarkTest> tests) {
    window = std::make_unique<BenchmarkWindow>(calc, messages, nullptr, std::move(tests));
    window->show();
    start = window->findChild<QPushButton*>(QStringLiteral("start"));
    stop = window->findChild<QPushButton*>(QStringLiteral("stop"));
    timer = window->findChild<QTimer*>(QStringLiteral("testtimer"));
    ASSERT_TRUE(start && stop && timer);
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

  int app;
  QTemporaryDir directory;
  testing::RecordingSink sink;
  testing::RecordingMessages messages;
  Calculator calc;
  ScriptedProgress progress;
  PlotSettings user_settings;
  std::vector<BenchmarkTest> tests = TwelveShortTests();
  std::unique_ptr<BenchmarkWindow> window;
  QPushButton* start = nullptr;
  QPushButton* stop = nullptr;
  QTimer* timer = nullptr;
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
      {"close box", [](BenchmarkWindow& w, QPushButton&) { w.close(); }, false},
      {"Escape", [](BenchmarkWindow& w, QPushButton&) { QTest::keyClick(&w, Qt::Key_Escape); },
       false},
  };
  for (const Case& c : cases) {
    progress.finished = 0;
    progress.resets = 0;
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
    EXPECT_EQ(calc.plotter().settings().variable, "x");
    EXPECT_EQ(calc.plotter().settings().mode, PlotMode::kMultiple);
    EXPECT_FALSE(calc.plotter().settings().derivative);

    for (int i = 0; i < 4; ++i) window->testtimerTimer();
    EXPECT_EQ(Labels(), Expected(4, "Please wait...")) << c.how;
    EXPECT_TRUE(timer->isActive());

    c.stop(*window, *stop);
    EXPECT_EQ(Labels(), Expected(4, "Stopped")) << c.how;
    EXPECT_FALSE(timer->isActive()) << c.how;
    EXPECT_TRUE(start->isEnabled()) << c.how;
    EXPECT_FALSE(stop->isEnabled()) << c.how;
    EXPECT_EQ(window->isVisible(), c.window_stays) << c.how;
    EXPECT_EQ(finished.count(), 0) << c.how;
    EXPECT_EQ(test_done.count(), 4) << c.how;
    EXPECT_EQ(restored.count(), 1) << c.how;
    EXPECT_EQ(progress.resets, 1) << c.how;
    EXPECT_EQ(calc.plotter().settings(), user_settings) << c.how;
    EXPECT_FALSE(calc.plotter().timing().benchmark_running) << c.how;
    EXPECT_EQ(calc.plotter().chart().series_count(), 0u) << c.how;
  }
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(BenchmarkWindowTest, CompleteRunShowsTheScoreAndStartBeginsAgain) {
  UseWindow(tests);
  BenchmarkResultWindow result;
  QObject::connect(window.get(), &BenchmarkWindow::benchmarkFinished, &result,
                   &BenchmarkResultWindow::ShowScore);
  auto* score = result.findChild<QLabel*>(QStringLiteral("score"));
  EXPECT_EQ(score->text(), QStringLiteral("0"));

  QTest::mouseClick(start, Qt::LeftButton);
  for (int i = 0; i < 11; ++i) window->testtimerTimer();
  EXPECT_FALSE(result.isVisible());
  window->testtimerTimer();

  // 1000 + 2000 + ... + 12000 = 78000; / 12 = 6500; / 1000 = 6.
  EXPECT_EQ(Labels(), Expected(12, QString()));
  EXPECT_TRUE(result.isVisible());
  EXPECT_EQ(score->text(), QStringLiteral("6"));
  EXPECT_FALSE(timer->isActive());
  EXPECT_TRUE(start->isEnabled());
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_EQ(calc.plotter().settings(), user_settings);

  window->testtimerTimer();  // a stray tick after the end does nothing
  EXPECT_EQ(progress.finished, 12);

  QTest::mouseClick(start, Qt::LeftButton);
  EXPECT_EQ(Labels(), Expected(0, "Please wait..."));
}

// "Stop" and closing work during a test too: the test ends as stopped, the
// run ends without a score, and the window closes once the test has ended.
TEST_F(BenchmarkWindowTest, StopAndCloseDuringATestEndTheRunAsStopped) {
  UseWindow(tests);
  const PlotSettings user_settings = calc.plotter().settings();
  QTest::mouseClick(start, Qt::LeftButton);
  progress.during_plot = [this] {
    QTest::mouseClick(stop, Qt::LeftButton);
    window->close();
    window->startClick();  // a test is running: nothing starts
  };
  window->testtimerTimer();
  progress.during_plot = nullptr;
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(Labels(), Expected(0, "Stopped"));
  EXPECT_FALSE(calc.plotter().timing().benchmark_running);
  EXPECT_EQ(calc.plotter().settings(), user_settings);
  EXPECT_EQ(calc.plotter().chart().series_count(), 0u);
}

TEST_F(BenchmarkWindowTest, FailedPlotEndsTheRunWithoutAScore) {
  struct Case {
    const char* expression;
    QStringList failures;  // the general failure display
  };
  // Catalogues that know `var`, as the shipped one does.
  const std::filesystem::path bin = calc.data().File("");
  for (const char* folder : {"functions", "constants"})
    std::filesystem::create_directories(bin / folder);
  ASSERT_TRUE(WriteLines(bin / kFunctionsFile, {"var#s#0#variance"}));
  ASSERT_TRUE(WriteLines(bin / kConstantsFile, {"pi#g#3,14159265358979#pi"}));
  ASSERT_TRUE(calc.StartWithoutWindows());
  const Case cases[] = {
      {"1/(x-2)", {}},  // refused by the plot request, which reports it
      {"var[x]", {"Invalid floating point operation."}},
  };
  for (const Case& c : cases) {
    messages.failures.clear();
    UseWindow(
        {{"a", "G", "A:", c.expression, "1", "3", "1"}, {"b", "G", "B:", "x", "1", "2", "1"}});
    QSignalSpy finished(window.get(), &BenchmarkWindow::benchmarkFinished);
    QTest::mouseClick(start, Qt::LeftButton);
    window->testtimerTimer();
    EXPECT_EQ(window->findChild<QLabel*>("a")->text(), QStringLiteral("Failed")) << c.expression;
    EXPECT_EQ(window->findChild<QLabel*>("b")->text(), QStringLiteral("n/a")) << c.expression;
    EXPECT_FALSE(timer->isActive()) << c.expression;
    EXPECT_TRUE(start->isEnabled()) << c.expression;
    EXPECT_EQ(finished.count(), 0) << c.expression;
    EXPECT_EQ(calc.plotter().settings(), user_settings) << c.expression;
    EXPECT_EQ(messages.failures, c.failures) << c.expression;
  }
}

}  // namespace
}  // namespace korvex
