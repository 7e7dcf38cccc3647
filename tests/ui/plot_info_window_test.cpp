// The Plot info window as the plotter's progress: figures, the progress bar
// painting during a run, the Reminder and its "Stop", and the reset.
#include "ui/plot_info_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "ui/plot_windows_fixture.h"

namespace korvex {
namespace {

using testing::Child;
using testing::PlotWindows;

constexpr const char* kValueLabels[] = {"function", "serie",   "totalcalc", "calcdone", "donemu",
                                        "donems",   "donesec", "percalcmu", "percalcms"};

QString Label(QWidget* window, const char* name) {
  const QLabel* label = Child<QLabel>(window, name);
  return label ? label->text() : QStringLiteral("<missing>");
}

// The reminder is due before every sample with an interval of 0; the
// scripted Reminder answers "Stop" at its n-th showing.
TEST(PlotInfoWindowTest, ReminderStopEndsTheRunAsCancelled) {
  struct Case {
    int stop_at;
    bool complete;
    int reminders;
    const char* done;
    const char* answer;
  };
  const Case cases[] = {
      {1, false, 1, "0", kPlotCanceledText},
      {3, false, 3, "2", kPlotCanceledText},
      {1 << 30, true, 201, "201", kPlotCompleteText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stop_at);
    PlotWindows w;
    w.calculator.plotter().set_reminder_interval(0);
    w.reminder.stop_at = c.stop_at;
    EXPECT_EQ(w.Plot("x^2"), c.complete);
    EXPECT_EQ(w.reminder.shown, c.reminders);
    EXPECT_EQ(w.answers, QStringList{QString::fromLatin1(c.answer)});
    EXPECT_TRUE(w.graph.isVisible());
    EXPECT_TRUE(w.plot_info.isVisible());
    EXPECT_EQ(Label(&w.plot_info, "calcdone"), QString::fromLatin1(c.done));
    EXPECT_EQ(Label(&w.plot_info, "totalcalc"), QStringLiteral("201"));
    EXPECT_NE(Label(&w.plot_info, "donemu"), QString::fromLatin1(kNotAvailable));
    ASSERT_EQ(w.graph.chart()->graphCount(), 1);
    EXPECT_EQ(w.graph.chart()->graph(0)->dataCount(), QString::fromLatin1(c.done).toInt());
    EXPECT_TRUE(w.sink.reports.empty());
  }
}

TEST(PlotInfoWindowTest, FailedRunKeepsResultsUnavailableAndLeavesTheGraphDown) {
  PlotWindows w;
  EXPECT_FALSE(w.Plot("X^2"));  // X is not the plot variable and has no value
  EXPECT_EQ(Label(&w.plot_info, "function"), QStringLiteral("X^2"));
  EXPECT_EQ(Label(&w.plot_info, "serie"), QStringLiteral("1"));
  EXPECT_EQ(Label(&w.plot_info, "totalcalc"), QStringLiteral("201"));
  for (const char* name : {"calcdone", "donemu", "donems", "donesec", "percalcmu", "percalcms"})
    EXPECT_EQ(Label(&w.plot_info, name), QString::fromLatin1(kNotAvailable)) << name;
  EXPECT_TRUE(w.answers.isEmpty());
  EXPECT_FALSE(w.graph.isVisible());
}

// The loop never returns to the event loop, so the bar must paint itself,
// and only when its whole percent changes.
TEST(PlotInfoWindowTest, ResetAndClose) {
  PlotWindows w;
  ASSERT_TRUE(w.Plot("x^2"));
  w.calculator.plotter().ResetPlotInfo();
  for (const char* name : kValueLabels)
    EXPECT_EQ(Label(&w.plot_info, name), QString::fromLatin1(kNotAvailable)) << name;
  EXPECT_EQ(Child<QProgressBar>(&w.plot_info, "bar")->value(), 0);

  w.Click(Child<QPushButton>(&w.plot_info, "close"));
  EXPECT_FALSE(w.plot_info.isVisible());
}

// The real dialog: "Stop" is the only answer that stops; the test presses
// while the modal dialog waits.
TEST(ReminderDialogTest, OnlyStopStops) {
  struct Case {
    const char* how;
    std::function<void(ReminderDialog&)> answer;
    bool goes_on;
  };
  const Case cases[] = {
      {"Continue", [](ReminderDialog& d) { Child<QPushButton>(&d, "continuebutton")->click(); },
       true},
      {"Stop", [](ReminderDialog& d) { Child<QPushButton>(&d, "stop")->click(); }, false},
      {"Escape", [](ReminderDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, true},
      {"close box", [](ReminderDialog& d) { d.close(); }, true},
  };
  testing::TestApp();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ReminderDialog dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("Form16"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Korvex"));
    QTimer::singleShot(0, &dialog, [&] { c.answer(dialog); });
    EXPECT_EQ(dialog.ShowReminder(), c.goes_on);
    EXPECT_EQ(dialog.stop_requested(), !c.goes_on);
    EXPECT_FALSE(dialog.isVisible());
  }
}

}  // namespace
}  // namespace korvex
