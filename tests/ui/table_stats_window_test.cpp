// The Table and stats window, the series chooser and the Warning dialog:
// the pages of a fill, choosing a series from the graph, the large-table
// limit, copying lines, and what a fill keeps.
#include "ui/table_stats_window.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "ui/plot_windows_fixture.h"

namespace korvex {
namespace {

using testing::Child;
using testing::PlotWindows;

constexpr const char* kListViews[] = {"table",    "toptable", "bottomtable",
                                      "maxtable", "mintable", "zerotable"};
constexpr const char* kCountLabels[] = {"tablecount", "topcount", "bottomcount",
                                        "maxcount",   "mincount", "zerocount"};

QStringList Lines(TableStatsWindow& window, const char* view_name) {
  const auto* view = Child<LinesView>(&window, view_name);
  QStringList lines;
  if (view == nullptr) return {QStringLiteral("<missing>")};
  for (std::size_t row = 0; row < view->size(); ++row) lines << view->lines()->Line(row);
  return lines;
}

QString Text(QWidget* window, const char* name) {
  if (const auto* label = Child<QLabel>(window, name)) return label->text();
  if (const auto* field = Child<QLineEdit>(window, name)) return field->text();
  return QStringLiteral("<missing>");
}

// x^2 over -2..2 in steps of 1.
void PlotSmallParabola(PlotWindows& w) {
  w.settings().start = "-2";
  w.settings().stop = "2";
  w.settings().increment = "1";
  ASSERT_TRUE(w.Plot("x^2"));
}

TEST(TableStatsWindowTest, FillShowsEveryListAndTheFigures) {
  PlotWindows w;
  const QStringList pages = {"Table",      "Table stats", "Top points", "Bottom points",
                             "Max points", "Min points",  "Zero points"};
  auto* tabs = Child<QTabWidget>(&w.table_stats, "pages");
  ASSERT_EQ(tabs->count(), pages.size());
  for (int i = 0; i < tabs->count(); ++i) EXPECT_EQ(tabs->tabText(i), pages[i]);
  for (const char* count : kCountLabels)
    EXPECT_EQ(Text(&w.table_stats, count), QStringLiteral("# of points 0")) << count;

  PlotSmallParabola(w);
  w.table_stats.FillTableAndStats(1);
  EXPECT_TRUE(w.table_stats.isVisible());
  const QStringList expected[] = {
      {"x: -2 = f(x): 4", "x: -1 = f(x): 1", "x: 0 = f(x): 0", "x: 1 = f(x): 1", "x: 2 = f(x): 4"},
      {},
      {"x: 0 = f(x): 0"},
      {"x: -2 = f(x): 4", "x: 2 = f(x): 4"},
      {"x: 0 = f(x): 0"},
      {"x: 0 = f(x): 0"},
  };
  for (std::size_t i = 0; i < std::size(kListViews); ++i) {
    SCOPED_TRACE(kListViews[i]);
    EXPECT_EQ(Lines(w.table_stats, kListViews[i]), expected[i]);
    EXPECT_EQ(Text(&w.table_stats, kCountLabels[i]),
              QStringLiteral("# of points: %1").arg(expected[i].size()));
  }
  const std::pair<const char*, const char*> figures[] = {{"maxvalue", "4"},
                                                         {"minvalue", "0"},
                                                         {"sumpoints", "10"},
                                                         {"pointarea", "10"},
                                                         {"pointmean", "2"}};
  for (const auto& [name, value] : figures)
    EXPECT_EQ(Text(&w.table_stats, name), QString::fromLatin1(value)) << name;
}

// A run that failed at its first sample leaves a series without points.
TEST(TableStatsWindowTest, SeriesWithoutPointsFillsEmptyPagesAndAZeroMean) {
  PlotWindows w;
  EXPECT_FALSE(w.Plot("X^2"));
  ASSERT_EQ(w.model().series_count(), 1u);
  w.table_stats.FillTableAndStats(1);
  for (std::size_t i = 0; i < std::size(kListViews); ++i) {
    EXPECT_TRUE(Lines(w.table_stats, kListViews[i]).isEmpty()) << kListViews[i];
    EXPECT_EQ(Text(&w.table_stats, kCountLabels[i]), QStringLiteral("# of points: 0"));
  }
  EXPECT_EQ(Text(&w.table_stats, "pointmean"), QStringLiteral("0"));
  EXPECT_EQ(Text(&w.table_stats, "sumpoints"), QStringLiteral("0"));
}

TEST(TableStatsWindowTest, GraphButtonOpensTheChooserThatFillsTheChosenSeries) {
  PlotWindows w;
  // An empty graph: an empty chooser whose "OK" does nothing.
  w.ClickInGraph("table");
  auto* list = Child<QListWidget>(&w.chooser, "series");
  EXPECT_TRUE(w.chooser.isVisible());
  EXPECT_EQ(list->count(), 0);
  w.Click(Child<QPushButton>(&w.chooser, "ok"));
  EXPECT_TRUE(w.chooser.isVisible());
  EXPECT_FALSE(w.table_stats.isVisible());
  w.Click(Child<QPushButton>(&w.chooser, "cancel"));
  EXPECT_FALSE(w.chooser.isVisible());

  w.settings().mode = PlotMode::kMultiple;
  PlotSmallParabola(w);
  ASSERT_TRUE(w.Plot("0-x"));
  w.ClickInGraph("table");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("x^2"));
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("0-x"));
  EXPECT_EQ(list->currentRow(), 0);
  list->setCurrentRow(1);
  w.Click(Child<QPushButton>(&w.chooser, "ok"));
  EXPECT_FALSE(w.chooser.isVisible());
  EXPECT_TRUE(w.table_stats.isVisible());
  EXPECT_EQ(Lines(w.table_stats, "table").front(), QStringLiteral("x: -2 = f(x): 2"));

  // While the window is open the button only brings it up: no chooser, and
  // the window keeps its fill even after another plot and "Clear".
  ASSERT_TRUE(w.Plot("x^3"));
  w.ClickInGraph("table");
  EXPECT_FALSE(w.chooser.isVisible());
  w.ClickInGraph("clear");
  EXPECT_EQ(Lines(w.table_stats, "table").size(), 5);
  EXPECT_EQ(Lines(w.table_stats, "table").front(), QStringLiteral("x: -2 = f(x): 2"));

  // "Change serie" opens the chooser again, now empty.
  w.Click(Child<QPushButton>(&w.table_stats, "changeserie"));
  EXPECT_TRUE(w.chooser.isVisible());
  EXPECT_EQ(list->count(), 0);
}

TEST(TableStatsWindowTest, DoubleClickOnAnEntryChoosesIt) {
  PlotWindows w;
  PlotSmallParabola(w);
  w.table_stats.changeserieClick();
  auto* list = Child<QListWidget>(&w.chooser, "series");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.chooser));
  const QRect entry = list->visualItemRect(list->item(0));
  ASSERT_TRUE(list->viewport()->rect().contains(entry.center()));
  // The first click of the pair, then the second that makes it double.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, entry.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, entry.center());
  EXPECT_FALSE(w.chooser.isVisible());
  EXPECT_EQ(Lines(w.table_stats, "table").size(), 5);
}

// The small parabola's six lists hold 10 lines together.
TEST(TableStatsWindowTest, TablesAtTheLimitAskFirst) {
  struct Case {
    std::size_t limit;
    bool answer;
    QStringList asked;
    bool filled;
  };
  const Case cases[] = {
      {11, true, {}, true},
      {10, true, {"<10 points | 10 points"}, true},
      {10, false, {"<10 points | 10 points"}, false},
      {3, true, {"<3 points | 10 points"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.limit) + (c.answer ? " yes" : " no"));
    PlotWindows w(c.limit);
    PlotSmallParabola(w);
    w.warning.answer = c.answer;
    w.chooser.ChooseSerie();
    w.Click(Child<QPushButton>(&w.chooser, "ok"));
    EXPECT_EQ(w.warning.asked, c.asked);
    EXPECT_EQ(w.table_stats.isVisible(), c.filled);
    EXPECT_EQ(w.chooser.isVisible(), !c.filled);
    EXPECT_EQ(Lines(w.table_stats, "table").size(), c.filled ? 5 : 0);
  }
}

TEST(TableStatsWindowTest, SelectedLinesAreCopied) {
  PlotWindows w;
  PlotSmallParabola(w);
  w.table_stats.FillTableAndStats(1);
  auto* view = Child<LinesView>(&w.table_stats, "table");
  view->setFocus();
  const auto row_centre = [&](int row) {
    return view->visualRect(view->model()->index(row, 0)).center();
  };
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, row_centre(3));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, row_centre(1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, row_centre(4));
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("x: -1 = f(x): 1\nx: 0 = f(x): 0\nx: 1 = f(x): 1\nx: 2 = f(x): 4"));

  QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().split(QLatin1Char('\n')),
            Lines(w.table_stats, "table"));
}

TEST(PlotWarningDialogTest, YesGoesOnAndNoOrEscapeDoNot) {
  struct Case {
    const char* how;
    std::function<void(PlotWarningDialog&)> answer;
    bool goes_on;
  };
  const Case cases[] = {
      {"Yes", [](PlotWarningDialog& d) { Child<QPushButton>(&d, "yes")->click(); }, true},
      {"No", [](PlotWarningDialog& d) { Child<QPushButton>(&d, "no")->click(); }, false},
      {"Escape", [](PlotWarningDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false},
  };
  testing::TestApp();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    PlotWarningDialog dialog;
    EXPECT_EQ(Text(&dialog, "recommended"), QStringLiteral("n/a"));
    QString shown;
    QTimer::singleShot(0, &dialog, [&] {
      shown = Text(&dialog, "recommended") + QLatin1Char('|') + Text(&dialog, "includes");
      c.answer(dialog);
    });
    EXPECT_EQ(dialog.ConfirmLargeTable(QStringLiteral("<1000000 points"),
                                       QStringLiteral("1000000 points")),
              c.goes_on);
    EXPECT_EQ(shown, QStringLiteral("<1000000 points|1000000 points"));
    EXPECT_FALSE(dialog.isVisible());
  }
}

}  // namespace
}  // namespace korvex
