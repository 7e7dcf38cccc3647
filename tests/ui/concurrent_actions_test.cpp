// Every enabled action of the program used while a long solve and a long
// plot run: menus, tool buttons, window buttons, windows opened and closed,
// then Stop. The windows hold copies of outcomes only, so nothing a user
// does can race the worker; the tests check that the session comes out as
// the requests left it. Run under ThreadSanitizer in CI.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <functional>
#include <set>

#include "program_fixture.h"
#include "ui/graph_window.h"
#include "ui/plot_info_window.h"

namespace korvex::testing {
namespace {

// Actions that end the program, leave the main window, wipe the list or the
// graph, or stop the request belong to the end of a round, not to its middle.
const std::set<QString> kLeftOut = {
    QStringLiteral("exitmenu"),    QStringLiteral("stop"),       QStringLiteral("clear"),
    QStringLiteral("clearmenu"),   QStringLiteral("deleteitem"), QStringLiteral("popupdelete"),
    QStringLiteral("deleteserie"), QStringLiteral("simplemode"), QStringLiteral("standardmode"),
};
// Once the request has ended these open a file dialog or the large-table
// question, which wait for a person; while it runs they must refuse or wait.
// Those that start a request of their own (disabled while one runs) would
// change what the test checks afterwards.
const std::set<QString> kOnlyWhileBusy = {
    QStringLiteral("exportreportmenu"),
    QStringLiteral("export"),
    QStringLiteral("table"),
    QStringLiteral("solve"),
    QStringLiteral("solvemenu"),
    QStringLiteral("pasteexpressionmenu"),
    QStringLiteral("pastefunctionmenu"),
    QStringLiteral("benchmarkmenu"),
    QStringLiteral("start"),
};

class ConcurrentActionsTest : public ProgramFixture {
 protected:
  // Starts the selected item's request as a click would, without waiting.
  void StartSolve() {
    QTest::mouseClick(Find<QPushButton>("solve"), Qt::LeftButton);
    ASSERT_TRUE(Main().runner().busy());
  }

  // Every enabled menu entry of the main window, every enabled button of
  // every top-level window of the program, and the two that copy state
  // (View solution, Copy answer) many times over: all while the request
  // runs. Returns how many actions were used while it was still running.
  int UseEverything() {
    int used_while_busy = 0;
    const auto usable = [this](const QObject* action) {
      const QString name = action->objectName();
      return !kLeftOut.count(name) && (Main().runner().busy() || !kOnlyWhileBusy.count(name));
    };
    const auto use = [&](const std::function<void()>& action) {
      action();
      QCoreApplication::processEvents();
      if (Main().runner().busy()) ++used_while_busy;
    };
    for (int round = 0; round < 3; ++round) {
      for (QAction* action : Main().menuBar()->findChildren<QAction*>()) {
        if (action->menu() != nullptr || action->isSeparator()) continue;
        if (!action->isEnabled() || !usable(action)) continue;
        use([action] { action->trigger(); });
      }
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
          if (!button->isVisible() || !button->isEnabled() || !usable(button)) continue;
          use([button] { button->click(); });
        }
      }
      for (int copy = 0; copy < 50; ++copy) {
        use([this] { Find<QAction>("solutionmenu")->trigger(); });
        use([this] { Find<QAction>("copyanswermenu")->trigger(); });
      }
      // Windows opened by the round close again: each close is an action.
      for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &Main() && window->isVisible()) use([window] { window->close(); });
    }
    return used_while_busy;
  }

  void StopAndWait() {
    if (Main().runner().busy()) QTest::mouseClick(Find<QPushButton>("stop"), Qt::LeftButton);
    ASSERT_TRUE(WaitIdle());
  }
};

// Many steps, then a count that runs until it is stopped. Inserted through
// the input, whose line edit holds at most 32767 characters.
QString LongSolve() {
  constexpr int kGroups = 8000;
  return QString(kGroups, QLatin1Char('(')) + QStringLiteral("1") +
         QStringLiteral("+1)").repeated(kGroups) + QStringLiteral("*0+primepi[10^18]");
}

TEST_F(ConcurrentActionsTest, EveryActionDuringALongSolveLeavesTheSessionAsTheRequestsLeftIt) {
  InsertAndSolve(QStringLiteral("2+3"));
  ASSERT_EQ(Answer(), QStringLiteral("= 5"));
  const QString steps_before = SolutionText();

  Main().SetInputText(LongSolve());
  Click("insert");
  List()->setCurrentRow(List()->count() - 1);
  ASSERT_EQ(Items().last(), LongSolve());
  StartSolve();
  EXPECT_GT(UseEverything(), 0);
  ASSERT_TRUE(Main().runner().busy());
  StopAndWait();

  // Stopped: the answer box and the error log say so, the stored answer and
  // "Copy answer" are the last solve's.
  Calculator& calculator = Main().calculator();
  EXPECT_EQ(Answer(), QString::fromLatin1(kCanceledMessage));
  EXPECT_TRUE(ErrorLog().contains(QString::fromLatin1(kCanceledMessage)));
  EXPECT_EQ(calculator.stored_answer(), 5.0L);
  Find<QAction>("copyanswermenu")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("5"));
  // The steps the stopped solve had recorded are the ones shown.
  Find<QAction>("solutionmenu")->trigger();
  EXPECT_NE(SolutionText(), steps_before);
  EXPECT_TRUE(SolutionText().startsWith(QStringLiteral("Step 1 (")))
      << SolutionText().left(80).toStdString();

  // The program goes on as before; the rounds left the plot box ticked.
  Find<QCheckBox>("plotcheck")->setChecked(false);
  InsertAndSolve(QStringLiteral("2*ans"));
  EXPECT_EQ(Answer(), QStringLiteral("= 10"));
}

TEST_F(ConcurrentActionsTest, EveryActionDuringALongPlotLeavesTheChartAsThePlotLeftIt) {
  InsertAndSolve(QStringLiteral("7"));
  Calculator& calculator = Main().calculator();
  PlotSettings& plot = calculator.plot_settings();
  plot.start = "1";
  // Far more samples than the round lasts; the round stops it.
  plot.stop = "20000000";
  plot.increment = "1";
  plot.mode = PlotMode::kSingle;
  Find<QCheckBox>("plotcheck")->setChecked(true);
  InsertExpression(QStringLiteral("sin[x]*x"));
  List()->setCurrentRow(List()->count() - 1);
  StartSolve();
  EXPECT_GT(UseEverything(), 0);
  ASSERT_TRUE(Main().runner().busy());
  StopAndWait();

  // One series, its points as the run sent them, counted in Plot info.
  const ChartModel& chart = calculator.plots().chart();
  ASSERT_EQ(chart.series_count(), 1u);
  const ChartSeries& series = chart.series(1);
  EXPECT_EQ(series.points().size(), series.count());
  EXPECT_GT(series.count(), 0u);
  EXPECT_EQ(calculator.plots().plot_info().calculations_done, std::to_string(series.count()));
  for (std::size_t i = 1; i < series.points().size(); ++i)
    ASSERT_EQ(series.points()[i].x, series.points()[i - 1].x + 1) << i;
  EXPECT_EQ(Answer(), QString::fromLatin1(kPlotCanceledText));
  // A plot leaves the stored answer alone.
  EXPECT_EQ(calculator.stored_answer(), 7.0L);
}

}  // namespace
}  // namespace korvex::testing
