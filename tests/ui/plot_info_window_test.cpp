// The Plot info window as a plot run's display: figures, the Reminder and
// its "Stop", a failed run, and the reset.
#include "ui/plot_info_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <optional>

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
    w.calculator.general().reminder_interval = 0;
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

// The benchmark's end puts every figure back to "n/a".
TEST(PlotInfoWindowTest, ResetAndClose) {
  PlotWindows w;
  ASSERT_TRUE(w.Plot("x^2"));
  ASSERT_EQ(Label(&w.plot_info, "calcdone"), QStringLiteral("201"));
  w.display.ResetPlotInfo();
  for (const char* name : kValueLabels)
    EXPECT_EQ(Label(&w.plot_info, name), QString::fromLatin1(kNotAvailable)) << name;
  EXPECT_EQ(Child<QProgressBar>(&w.plot_info, "bar")->value(), 0);

  w.Click(Child<QPushButton>(&w.plot_info, "close"));
  EXPECT_FALSE(w.plot_info.isVisible());
}

// A long run shows that it moves: the count follows every reading and the
// bar moves, and says so, by the thousandth.
TEST(PlotInfoWindowTest, ALongRunShowsItsCountAndMovesByTheThousandth) {
  PlotWindows w;
  PlotInfo info;
  info.calculations_done = kNotAvailable;
  w.plot_info.SetProgressMaximum(1000000);
  w.plot_info.StartPlotInfo(info);
  auto* bar = Child<QProgressBar>(&w.plot_info, "bar");
  struct Reading {
    std::size_t position;
    const char* count;
    const char* bar_text;
  };
  for (const Reading& r : {Reading{12, "12", "0,0%"}, Reading{6426, "6426", "0,6%"},
                           Reading{6427, "6427", "0,6%"}, Reading{500000, "500000", "50,0%"}}) {
    w.plot_info.SetProgressPosition(r.position);
    EXPECT_EQ(Label(&w.plot_info, "calcdone"), QString::fromLatin1(r.count));
    EXPECT_EQ(bar->text(), QString::fromLatin1(r.bar_text)) << r.position;
  }
  EXPECT_GT(bar->value(), 0);
}

// The real dialog: "Stop" is the only answer that stops. It asks without a
// loop of its own, so the test answers once the question is up.
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
  ReminderDialog dialog;
  EXPECT_EQ(dialog.objectName(), QStringLiteral("Form16"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Korvex"));
  // One dialog asked again and again, as the program's is: each question
  // starts without the last one's answer.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    std::optional<bool> answer;
    int answers = 0;
    dialog.AskReminder([&](bool go_on) {
      answer = go_on;
      ++answers;
    });
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(answer.has_value());
    c.answer(dialog);
    EXPECT_EQ(answer, std::optional<bool>(c.goes_on));
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(dialog.stop_requested(), !c.goes_on);
    EXPECT_FALSE(dialog.isVisible());
  }
}

}  // namespace
}  // namespace korvex
