// Long requests run on the calculator's worker: the windows keep answering,
// the Plot info bar moves, Stop and Escape end the request within a moment,
// and closing the main window closes it at once and stops the request.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <vector>

#include "plot/plot_timing.h"
#include "program_fixture.h"
#include "ui/plot_info_window.h"
#include "ui/reminder_dialog.h"

namespace korvex::testing {
namespace {

constexpr const char* kWorkingPrefix = "Working...";

class ResponsiveRequestsTest : public ProgramFixture {
 protected:
  // Runs `check` every 20 ms on the window thread while the request that
  // `start` begins is running; `check` returns true once it is done. It
  // clicks without waiting: the watch is what runs while `start` waits.
  int WatchWhile(const std::function<void()>& start, const std::function<bool()>& check) {
    int ticks = 0;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      ++ticks;
      if (check()) watch.stop();
    });
    watch.start();
    start();
    return ticks;
  }
  void UseMillionSamplePlots() {
    PlotSettings& settings = Main().calculator().plot_settings();
    settings.start = "0";
    settings.stop = "10";
    settings.increment = "0,00001";
  }
  void InsertPlotItem(const QString& text) {
    auto* plotcheck = Find<QCheckBox>("plotcheck");
    if (!plotcheck->isChecked()) Click(plotcheck);
    InsertExpression(text);
  }
  const ChartModel& Chart() { return Main().calculator().plots().chart(); }
};

TEST_F(ResponsiveRequestsTest, EscapeStopsALongSolveAndKeepsTheAnswer) {
  InsertAndSolve(QStringLiteral("7"));
  ASSERT_EQ(Answer(), QStringLiteral("= 7"));
  InsertExpression(QStringLiteral("primepi[{1E18}]"));

  QElapsedTimer since_stop;
  bool seen_working = false;
  const int ticks = WatchWhile([this] { Click("solve"); },
                               [&] {
                                 if (since_stop.isValid()) return true;
                                 seen_working = Answer().startsWith(kWorkingPrefix) &&
                                                Find<QPushButton>("stop")->isVisible() &&
                                                !Find<QPushButton>("solve")->isEnabled();
                                 if (!seen_working) return false;
                                 since_stop.start();
                                 QTest::keyClick(&Main(), Qt::Key_Escape);
                                 return true;
                               });
  const qint64 stop_took = since_stop.elapsed();

  EXPECT_GE(ticks, 1);  // the window thread ran while the solve did
  EXPECT_TRUE(seen_working);
  EXPECT_LT(stop_took, 2000) << "stop took " << stop_took << " ms";
  EXPECT_EQ(Answer(), QStringLiteral("Operation was canceled."));
  EXPECT_TRUE(ErrorLog().contains(QStringLiteral("Operation was canceled.")));
  EXPECT_FALSE(Find<QPushButton>("stop")->isVisible());
  EXPECT_TRUE(Find<QPushButton>("solve")->isEnabled());
  EXPECT_EQ(Main().calculator().CopyAnswerText(), "7");
  // The next solve runs as usual.
  List()->setCurrentRow(0);
  Click("solve");
  EXPECT_EQ(Answer(), QStringLiteral("= 7"));
}

TEST_F(ResponsiveRequestsTest, PlotInfoShowsProgressAndItsStopKeepsThePointsSoFar) {
  UseMillionSamplePlots();
  InsertPlotItem(QStringLiteral("sqrt[x]*sin[x]/cos[x]+ln[x+1]"));
  PlotInfoWindow& info = *windows_->plot_info;
  auto* bar = Child<QProgressBar>(&info, "bar");
  auto* stop = Child<QPushButton>(&info, "stop");
  std::vector<int> bar_values;
  QString done_label;
  WatchWhile([this] { Click("solve"); },
             [&] {
               if (!info.isVisible() || bar->value() <= 0) return false;
               bar_values.push_back(bar->value());
               if (bar_values.size() < 3) return false;
               done_label = Child<QLabel>(&info, "calcdone")->text();
               QTest::mouseClick(stop, Qt::LeftButton);
               return true;
             });

  ASSERT_EQ(bar_values.size(), 3u);
  EXPECT_LE(bar_values.front(), bar_values.back());
  EXPECT_GT(done_label.toLongLong(), 0) << done_label.toStdString();
  EXPECT_EQ(Answer(), QString::fromLatin1(kPlotCanceledText));
  ASSERT_EQ(Chart().series_count(), 1u);
  const std::size_t points = Chart().series(1).count();
  EXPECT_GT(points, 0u);
  EXPECT_LT(points, 1000001u);
  EXPECT_FALSE(stop->isEnabled());
}

// The worker waits for the Reminder's answer, which the window thread takes
// as before: "Continue" goes on, "Stop" ends the run as cancelled.
TEST_F(ResponsiveRequestsTest, TheReminderAsksFromTheWorkerAndItsStopEndsTheRun) {
  UseMillionSamplePlots();
  Main().calculator().general().reminder_interval = 100;
  InsertPlotItem(QStringLiteral("sqrt[x]*sin[x]/cos[x]+ln[x+1]"));
  QDialog& reminder = *windows_->reminder;
  int answers = 0;
  WatchWhile([this] { Click("solve"); },
             [&] {
               if (!reminder.isVisible()) return false;
               ++answers;
               QTest::mouseClick(
                   Child<QPushButton>(&reminder, answers == 1 ? "continuebutton" : "stop"),
                   Qt::LeftButton);
               return answers == 2;
             });
  EXPECT_EQ(answers, 2);
  EXPECT_EQ(Answer(), QString::fromLatin1(kPlotCanceledText));
  ASSERT_EQ(Chart().series_count(), 1u);
  EXPECT_LT(Chart().series(1).count(), 1000001u);
}

// The main window closes at once, without waiting for the plot it stops;
// what the plot hands back afterwards brings none of the windows back.
TEST_F(ResponsiveRequestsTest, ClosingTheMainWindowDuringAPlotClosesAtOnceAndStopsIt) {
  UseMillionSamplePlots();
  InsertPlotItem(QStringLiteral("sqrt[x]*sin[x]/cos[x]+ln[x+1]"));
  bool closed_while_running = false;
  WatchWhile([this] { Click("solve"); },
             [&] {
               // Once the run's series and Plot info are up.
               if (!Main().runner().busy() || Chart().series_count() == 0 ||
                   !windows_->plot_info->isVisible())
                 return false;
               Main().close();
               closed_while_running = !Main().isVisible() && Main().runner().busy();
               return true;
             });
  EXPECT_TRUE(closed_while_running);
  EXPECT_FALSE(Main().runner().busy());
  EXPECT_FALSE(Main().isVisible());
  // Handed back as cancelled: its points stayed out of the emptied graph.
  EXPECT_EQ(Chart().series_count(), 0u);
  for (QWidget* window : QApplication::topLevelWidgets())
    EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

}  // namespace
}  // namespace korvex::testing
