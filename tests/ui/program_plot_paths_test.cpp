// The plotting, benchmark and information windows as the program wires them,
// driven from the main window: solving checked items, the plot modes, the
// clipboard plot, the View and Help menus and a benchmark test.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <utility>
#include <vector>

#include "plot/plot_timing.h"
#include "program_fixture.h"
#include "settings/data_directory.h"
#include "settings/plot_file.h"
#include "ui/about_window.h"
#include "ui/addresses.h"
#include "ui/benchmark_result_window.h"
#include "ui/benchmark_window.h"
#include "ui/chart_view.h"
#include "ui/donate_window.h"
#include "ui/graph_window.h"
#include "ui/plot_info_window.h"
#include "ui/plot_options_dialog.h"
#include "ui/reminder_dialog.h"
#include "ui/table_stats_window.h"
#include "ui/tutorials_window.h"
#include "ui/version_history_window.h"

namespace korvex::testing {
namespace {

class ProgramPlotPathsTest : public ProgramFixture {
 protected:
  const ChartModel& Chart() { return Main().calculator().plots().chart(); }
  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (std::size_t n = 1; n <= Chart().series_count(); ++n)
      titles.push_back(Chart().series(n).title());
    return titles;
  }
  QString PlotInfo(const char* label) { return Child<QLabel>(windows_->plot_info, label)->text(); }
  // Items inserted with the plot check box in the state `checked` says.
  void InsertItems(const std::vector<std::pair<QString, bool>>& items) {
    auto* plotcheck = Find<QCheckBox>("plotcheck");
    for (const auto& [text, checked] : items) {
      if (plotcheck->isChecked() != checked) Click(plotcheck);
      InsertExpression(text);
    }
  }
  void SolveRow(int row) {
    List()->setCurrentRow(row);
    Click("solve");
  }
  // Saved as the options dialog's "OK" would, then loaded as its every close does.
  void SetPlotMode(PlotMode mode) {
    PlotSettings settings = Main().calculator().plot_settings();
    settings.mode = mode;
    ASSERT_TRUE(SavePlotSettings(Main().calculator().data(), settings, messages_));
    windows_->plot_options->LoadPlotSettings();
    ASSERT_EQ(Main().calculator().plot_settings().mode, mode);
  }
};

TEST_F(ProgramPlotPathsTest, SolvingACheckedItemFillsGraphPlotInfoAndAnswer) {
  InsertItems({{"sin[x]", true}});
  SolveRow(0);
  ASSERT_EQ(Titles(), std::vector<std::string>{"sin[x]"});
  EXPECT_EQ(Chart().series(1).count(), 201u);
  EXPECT_EQ(Answer(), kPlotCompleteText);
  EXPECT_TRUE(windows_->graph->isVisible());
  EXPECT_TRUE(windows_->plot_info->isVisible());
  EXPECT_EQ(PlotInfo("function"), "sin[x]");
  EXPECT_EQ(PlotInfo("totalcalc"), "201");
  EXPECT_EQ(PlotInfo("calcdone"), "201");
  EXPECT_TRUE(windows_->graph->chart()->in_sync());
  EXPECT_EQ(windows_->graph->chart()->graphCount(), 1);
  EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join("|").toStdString();
  EXPECT_EQ(Child<QGroupBox>(windows_->plot_info, "group")->title(), "Plot complete");

  // Paste function plots the clipboard's text; in single mode it replaces.
  QGuiApplication::clipboard()->setText("cos[x]");
  ASSERT_TRUE(WaitActive(&Main()));
  QTest::keyClick(Input(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Titles(), std::vector<std::string>{"cos[x]"});
  EXPECT_EQ(PlotInfo("function"), "cos[x]");
}

// The Graph and Plot info a run opens leave the keyboard in the input: the
// next expression typed goes there, and Enter does not press the Graph's
// default button.
TEST_F(ProgramPlotPathsTest, APlotLeavesTheKeyboardInTheInput) {
  Click(Find<QCheckBox>("plotcheck"));
  Input()->setFocus();
  QTest::keyClicks(Input(), QStringLiteral("sin[x]"));
  QTest::keyClick(Input(), Qt::Key_Return);
  QTest::keyClick(Input(), Qt::Key_Return);
  ASSERT_TRUE(WaitIdle());
  ASSERT_TRUE(windows_->graph->isVisible());
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &Main());
  ASSERT_EQ(QApplication::focusWidget(), Find<QComboBox>("input"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1+1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(List()->count(), 2);
  EXPECT_FALSE(windows_->table_stats->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ProgramPlotPathsTest, PlotModeDecidesWhichSeriesStay) {
  struct Case {
    PlotMode mode;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {PlotMode::kSingle, {"x^2"}},
      {PlotMode::kMultiple, {"x", "x^2"}},
      // Every checked item, in list order, on each solve; unchecked ones never.
      {PlotMode::kMultipleAll, {"x", "x^2", "x", "x^2"}},
  };
  InsertItems({{"x", true}, {"5", false}, {"x^2", true}});
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    SetPlotMode(c.mode);
    Main().calculator().plots().RemoveSeries(false);
    SolveRow(0);
    SolveRow(2);
    EXPECT_EQ(Titles(), c.titles);
    EXPECT_EQ(Answer(), kPlotCompleteText);
  }
  // The unchecked item still solves.
  SolveRow(1);
  EXPECT_EQ(Answer(), "= 5");
}

// Multiple plots (all) runs one request per checked item: an item whose
// failure goes to the answer box lets the next one plot; a stop ends the
// rest.
TEST_F(ProgramPlotPathsTest, MultipleAllGoesOnAfterAReportedFailureAndEndsAtAStop) {
  InsertItems({{"x", true}, {"foo[x]", true}, {"x^2", true}});
  SetPlotMode(PlotMode::kMultipleAll);
  SolveRow(0);
  // The failing item's series exists (its first sample failed), and the
  // item after it plotted.
  EXPECT_EQ(Titles(), (std::vector<std::string>{"x", "foo[x]", "x^2"}));
  EXPECT_EQ(Main().calculator().plots().chart().series(3).count(), 201u);
  EXPECT_TRUE(ErrorLog().contains(QStringLiteral("'foo' is not a function")));

  Main().calculator().plots().RemoveSeries(false);
  List()->setCurrentRow(0);
  QTest::mouseClick(Find<QPushButton>("solve"), Qt::LeftButton);
  Main().runner().Stop();
  ASSERT_TRUE(WaitIdle());
  EXPECT_LE(Titles().size(), 1u);
  EXPECT_FALSE(Main().runner().busy());
}

TEST_F(ProgramPlotPathsTest, ViewMenuShowsGraphPlotInfoAndPlotOptions) {
  Choose("graphmenu");
  EXPECT_TRUE(windows_->graph->isVisible());
  EXPECT_EQ(messages_.shown, QStringList{kEmptyGraphMessage});

  Choose("plotinfomenu");
  EXPECT_TRUE(windows_->plot_info->isVisible());

  windows_->graph->hide();
  InsertItems({{"x", true}});
  SolveRow(0);
  windows_->graph->hide();
  messages_.shown.clear();
  ASSERT_TRUE(WaitActive(&Main()));
  QTest::keyClick(Input(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(windows_->graph->isVisible());
  EXPECT_TRUE(messages_.shown.isEmpty());

  Choose("plotoptionsmenu");
  EXPECT_TRUE(windows_->plot_options->isVisible());
  EXPECT_TRUE(windows_->plot_options->isModal());
  windows_->plot_options->reject();
  EXPECT_FALSE(windows_->plot_options->isVisible());
}

TEST_F(ProgramPlotPathsTest, HelpMenuEntriesOpenTheirWindowsAndAddresses) {
  const PlugInActions& actions = Main().plug_in_actions();
  for (QAction* action :
       {actions.graphmenu, actions.plotinfomenu, actions.plotoptionsmenu, actions.benchmarkmenu,
        actions.bugmenu, actions.homepagemenu, actions.donatemenu, actions.tutorialsmenu,
        actions.historymenu, actions.aboutmenu})
    EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();

  Choose("bugmenu");
  Choose("homepagemenu");
  EXPECT_EQ(shell_.opened,
            (QStringList{"mailto:bugs@korvex.example.org?subject=Korvex:%20Report%20a%20bug",
                         kHomePageAddress}));

  struct Case {
    const char* action;
    QWidget* window;
    bool modal;
  };
  const Case cases[] = {
      {"donatemenu", windows_->donate, false},      {"tutorialsmenu", windows_->tutorials, false},
      {"historymenu", windows_->history, false},    {"aboutmenu", windows_->about, true},
      {"benchmarkmenu", windows_->benchmark, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    Choose(c.action);
    EXPECT_TRUE(c.window->isVisible());
    EXPECT_EQ(c.window->isModal(), c.modal);
    c.window->hide();
  }
  EXPECT_EQ(Child<QLabel>(windows_->about, "datafolder")->text(),
            QString::fromStdString((Directory() / "bin").string()));
  // The temporary program directory holds no history file.
  EXPECT_EQ(messages_.shown, QStringList{kHistoryMissingMessage});
}

// Clicks "Stop" on the reminder whenever it is up, counting how often.
struct ReminderWatch {
  explicit ReminderWatch(ReminderDialog* reminder) {
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [this, reminder] {
      if (!reminder->isVisible()) return;
      ++shown;
      QTest::mouseClick(Child<QPushButton>(reminder, "stop"), Qt::LeftButton);
    });
    timer.start();
  }
  QTimer timer;
  int shown = 0;
};

TEST_F(ProgramPlotPathsTest, BenchmarkTestPlotsWithoutTheReminder) {
  Main().calculator().general().reminder_interval = 0;
  {
    // An ordinary plot is offered the reminder, and "Stop" cancels it.
    ReminderWatch watch(windows_->reminder);
    InsertItems({{"x", true}});
    SolveRow(0);
    EXPECT_GE(watch.shown, 1);
    EXPECT_EQ(Answer(), kPlotCanceledText);
  }
  Main().calculator().plots().RemoveSeries(false);

  ReminderWatch watch(windows_->reminder);
  Choose("benchmarkmenu");
  Click(Child<QPushButton>(windows_->benchmark, "start"));
  windows_->benchmark->testtimerTimer();  // the first test, without its wait
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(watch.shown, 0);
  EXPECT_TRUE(Child<QLabel>(windows_->benchmark, "intsimplelow")->text().startsWith("Done in "));
  EXPECT_EQ(PlotInfo("function"), "2x+4");
  EXPECT_EQ(PlotInfo("calcdone"), "20000");
  EXPECT_EQ(Answer(), kPlotCompleteText);
  // The test's series is gone and its windows closed again.
  EXPECT_EQ(Chart().series_count(), 0u);
  EXPECT_FALSE(windows_->graph->isVisible());
  EXPECT_FALSE(windows_->plot_info->isVisible());

  // Stopping restores the user's options and ends the benchmark state.
  Click(Child<QPushButton>(windows_->benchmark, "stop"));
  EXPECT_EQ(Main().calculator().plot_settings(), PlotSettings{});  // plot.ini holds the defaults
  EXPECT_EQ(Panel(3), "x E[-10;10] inc: 0,1");
  EXPECT_FALSE(Main().calculator().context().plotter().timing().benchmark_running);
  windows_->benchmark->reject();
}

TEST_F(ProgramPlotPathsTest, FullBenchmarkRunsAllTwelveTestsAndShowsTheScore) {
  Choose("benchmarkmenu");
  Click(Child<QPushButton>(windows_->benchmark, "start"));
  for (int i = 0; i < 12; ++i) {
    windows_->benchmark->testtimerTimer();  // each test without its wait
    ASSERT_TRUE(WaitIdle());
  }
  int done = 0;
  for (const QLabel* label : windows_->benchmark->findChildren<QLabel*>())
    if (label->text().startsWith(QStringLiteral("Done in "))) ++done;
  EXPECT_EQ(done, 12);
  EXPECT_TRUE(windows_->benchmark_result->isVisible());
  bool whole = false;
  Child<QLabel>(windows_->benchmark_result, "score")->text().toLongLong(&whole);
  EXPECT_TRUE(whole);
  EXPECT_EQ(Chart().series_count(), 0u);
  EXPECT_FALSE(Main().calculator().context().plotter().timing().benchmark_running);
  windows_->benchmark_result->close();
  windows_->benchmark->reject();
}

}  // namespace
}  // namespace korvex::testing
