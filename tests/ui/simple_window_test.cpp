// Simple mode: the compact window stands in for the hidden main window and
// solves through its list, answer and plot.
#include <QCheckBox>
#include <QToolButton>

#include "program_fixture.h"

namespace korvex::testing {
namespace {

class SimpleModeTest : public ProgramFixture {
 protected:
  QWidget* Simple() { return windows_->simple; }
  QLineEdit* SimpleInput() { return Child<QLineEdit>(Simple(), "input"); }
  QString SimpleAnswer() { return Child<QLineEdit>(Simple(), "answer")->text(); }
  void SimpleSolve(const QString& text) {
    SimpleInput()->clear();
    QTest::keyClicks(SimpleInput(), text);
    QTest::keyClick(SimpleInput(), Qt::Key_Return);
    ASSERT_TRUE(WaitIdle());
  }
};

TEST_F(SimpleModeTest, SolvesThroughTheMainWindowAndReturnsToIt) {
  Type("2+3");
  Find<QAction>("simplemode")->trigger();
  EXPECT_FALSE(Main().isVisible());
  ASSERT_TRUE(Simple()->isVisible());
  EXPECT_EQ(Simple()->windowTitle(), "Korvex [simple]");
  EXPECT_EQ(SimpleInput()->text(), "2+3");

  QTest::keyClick(SimpleInput(), Qt::Key_Return);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(SimpleAnswer(), "= 5");
  EXPECT_EQ(Answer(), "= 5");
  EXPECT_EQ(Items(), QStringList{"2+3"});
  EXPECT_TRUE(Input()->text().isEmpty());
  // The solved text stays, selected: typing replaces it, Enter solves again.
  EXPECT_EQ(SimpleInput()->selectedText(), "2+3");
  QTest::keyClicks(SimpleInput(), "4*4");
  EXPECT_EQ(SimpleInput()->text(), "4*4");
  SimpleInput()->setText("2+3");

  struct Case {
    QString text;
    QString answer;
    QStringList items;
  };
  const Case cases[] = {
      {"2+3", "= 5", {"2+3"}},  // an existing item is selected, not added again
      {"4*4", "= 16", {"2+3", "4*4"}},
      {"()", "Syntax error, see (View/Error log)", {"2+3", "4*4", "()"}},
      {"2+3", "= 5", {"2+3", "4*4", "()"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    SimpleSolve(c.text);
    EXPECT_EQ(SimpleAnswer(), c.answer);
    EXPECT_EQ(Items(), c.items);
  }
  EXPECT_EQ(Panel(0), "3 bit");

  // An empty input solves nothing.
  SimpleInput()->clear();
  Click(Child<QToolButton>(Simple(), "solve"));
  EXPECT_EQ(SimpleAnswer(), "= 5");

  // The close box brings the main window back with what was added.
  Simple()->close();
  EXPECT_FALSE(Simple()->isVisible());
  EXPECT_TRUE(Main().isVisible());
  EXPECT_EQ(Items(), (QStringList{"2+3", "4*4", "()"}));
}

TEST_F(SimpleModeTest, CheckedItemsArePlottedAndStandardModeCloses) {
  Click(Find<QCheckBox>("plotcheck"));
  InsertExpression("x^3");
  Choose("simplemodemenu");
  ASSERT_TRUE(Simple()->isVisible());
  EXPECT_TRUE(SimpleInput()->text().isEmpty());
  SimpleSolve("x^3");
  const ChartModel& chart = Main().calculator().plots().chart();
  // The worker's record of what it plotted last.
  const Plotter& plotter = Main().calculator().context().plotter();
  EXPECT_EQ(chart.series_count(), 1u);
  EXPECT_EQ(plotter.plot_expression(), "x^3");
  EXPECT_EQ(Items(), QStringList{"x^3"});
  // A new text is inserted checked (plotcheck is on) and plotted too.
  SimpleSolve("2x");
  EXPECT_EQ(plotter.plot_expression(), "2x");
  EXPECT_EQ(chart.series(chart.series_count()).count(), 201u);
  EXPECT_EQ(List()->item(1)->checkState(), Qt::Checked);

  Click(Child<QToolButton>(Simple(), "standardmode"));
  EXPECT_FALSE(Simple()->isVisible());
  EXPECT_TRUE(Main().isVisible());
}

}  // namespace
}  // namespace korvex::testing
