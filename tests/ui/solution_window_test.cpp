// The Solution window's copy of the solved expression: the selected step's
// parts of it are highlighted, the keyboard walks the steps, and a long
// text keeps its places and copies as it was solved.
#include <QClipboard>
#include <QListView>
#include <QPushButton>

#include "program_fixture.h"

namespace korvex::testing {
namespace {

class SolutionWindowTest : public ProgramFixture {
 protected:
  void OpenSolution() {
    Find<QAction>("solutionmenu")->trigger();
    ASSERT_TRUE(windows_->solution->isVisible());
    ASSERT_TRUE(WaitActive(windows_->solution));
  }
  QListView* Steps() { return Child<QListView>(windows_->solution, "solution"); }
  QPlainTextEdit* Expression() {
    return Child<QPlainTextEdit>(windows_->solution, "solvedexpression");
  }
  // The highlighted parts of the expression, as the text has them (without
  // the breaks the box starts in a long line).
  QStringList Highlighted() {
    QStringList parts;
    for (const QTextEdit::ExtraSelection& selection : Expression()->extraSelections())
      parts << selection.cursor.selectedText().remove(QChar(QChar::ParagraphSeparator));
    return parts;
  }
  void ClickStep(int row) {
    const QRect rect = Steps()->visualRect(Steps()->model()->index(row, 0));
    QTest::mouseClick(Steps()->viewport(), Qt::LeftButton, {}, rect.center());
  }
};

TEST_F(SolutionWindowTest, TheSelectedStepsPartsOfTheSolvedExpressionAreHighlighted) {
  InsertAndSolve("2+3*4");
  OpenSolution();
  ASSERT_NE(Expression(), nullptr);
  EXPECT_TRUE(Expression()->isReadOnly());
  EXPECT_EQ(Expression()->toPlainText(), "2+3*4");
  EXPECT_EQ(QApplication::focusWidget(), Steps());
  // New steps come with Step 1 selected.
  EXPECT_EQ(Highlighted(), QStringList{"3*4"});
  ClickStep(1);
  EXPECT_EQ(Highlighted(), QStringList{"2+3*4"});
  ClickStep(0);
  EXPECT_EQ(Highlighted(), QStringList{"3*4"});
  const QTextCharFormat format = Expression()->extraSelections().front().format;
  EXPECT_EQ(format.background().color(),
            Expression()->palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(format.foreground().color(),
            Expression()->palette().color(QPalette::Active, QPalette::HighlightedText));

  QTest::keyClick(Steps(), Qt::Key_Down);
  EXPECT_EQ(Steps()->currentIndex().row(), 1);
  EXPECT_EQ(Highlighted(), QStringList{"2+3*4"});
  QTest::keyClick(Steps(), Qt::Key_Up);
  EXPECT_EQ(Highlighted(), QStringList{"3*4"});
  // No step selected, nothing highlighted.
  QTest::keyClick(Steps(), Qt::Key_Space, Qt::ControlModifier);
  EXPECT_FALSE(Steps()->selectionModel()->hasSelection());
  EXPECT_EQ(Highlighted(), QStringList());

  // While open, a new solve brings its own text, with Step 1 selected; a
  // pass of several operations shows each.
  Main().activateWindow();
  ASSERT_TRUE(WaitActive(&Main()));
  InsertAndSolve("2*3+4*5");
  EXPECT_EQ(Expression()->toPlainText(), "2*3+4*5");
  EXPECT_EQ(Highlighted(), (QStringList{"2*3", "4*5"}));
  // Closed by its button (which then has the focus) and opened again, the
  // window gives the steps the keyboard once more.
  QTest::mouseClick(Child<QPushButton>(windows_->solution, "close"), Qt::LeftButton);
  ASSERT_FALSE(windows_->solution->isVisible());
  OpenSolution();
  EXPECT_EQ(QApplication::focusWidget(), Steps());
  QTest::keyClick(Steps(), Qt::Key_Down);
  EXPECT_EQ(Highlighted(), QStringList{"2*3+4*5"});
}

// Places count characters: one beyond the first plane is two units of the
// box. A failure keeps the steps before it, still pointing into its text.
TEST_F(SolutionWindowTest, PlacesCountCharactersOfTheText) {
  const QString text = QString::fromUtf8("\U0001D465+2*3");
  // Typed key by key, the pair of units would arrive as two characters.
  Input()->setText(text);
  Click("insert");
  Click("solve");
  ASSERT_EQ(Answer(), "Syntax error, see (View/Error log)");
  OpenSolution();
  EXPECT_EQ(Expression()->toPlainText(), text);
  ASSERT_EQ(Steps()->model()->rowCount(), 1);
  EXPECT_EQ(Highlighted(), QStringList{"2*3"});
}

// A text longer than the box's lines: every step's parts, wherever the
// lines break, and a copy of the whole box that is the text as solved.
TEST_F(SolutionWindowTest, ALongTextKeepsItsPlacesAndCopiesAsSolved) {
  const int depth = 1200;
  const QString text =
      QStringLiteral("(1+").repeated(depth) + QLatin1Char('1') + QString(depth, QLatin1Char(')'));
  Input()->setText(text);
  Click("insert");
  Click("solve");
  ASSERT_EQ(Answer(), "= 1201");
  OpenSolution();
  ASSERT_EQ(Steps()->model()->rowCount(), depth);
  // Step k adds 1 to the group that the k - 1 steps before it reduced; the
  // box breaks its lines inside many of them.
  for (int k = 1; k <= depth; ++k) {
    Steps()->setCurrentIndex(Steps()->model()->index(k - 1, 0));
    const QString group =
        QStringLiteral("(1+").repeated(k - 1) + QLatin1Char('1') + QString(k - 1, QLatin1Char(')'));
    ASSERT_EQ(Highlighted(), QStringList{QStringLiteral("1+") + group}) << "step " << k;
  }
  Expression()->selectAll();
  Expression()->copy();
  EXPECT_EQ(QApplication::clipboard()->text(), text);
}

}  // namespace
}  // namespace korvex::testing
