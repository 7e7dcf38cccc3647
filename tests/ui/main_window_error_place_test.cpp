// A failed solve points at its place: the input shows the expression with
// the failing part selected, and the error log line says where it is.
#include "error_place_cases.h"
#include "program_fixture.h"

namespace korvex::testing {
namespace {

using MainWindowErrorPlaceTest = ProgramFixture;

TEST_F(MainWindowErrorPlaceTest, FailedSolveSelectsTheFailingPartAndLogsItsPlace) {
  const struct {
    QString expression;
    QString selected;
    int start;
    QString log_end;
  } cases[] = {
      {"2+foo[1]", "foo", 2,
       "'foo' is not a function. See (View/Functions) for a list of all available functions"
       " at 3-5"},
      {"7*(1+1)/0", "7*(1+1)/0", 0, "Could not calculate '14/0' at 1-9"},
      {"1+(2", "(", 2, "One or more ( ) are unbalanced at 3-3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression.toStdString());
    Main().SetInputText(QString());
    InsertAndSolve(c.expression);
    EXPECT_EQ(Input()->text(), c.expression);
    EXPECT_EQ(Input()->selectedText(), c.selected);
    EXPECT_EQ(Input()->selectionStart(), c.start);
    EXPECT_EQ(Input()->cursorPosition(), c.start);
    EXPECT_TRUE(ErrorLog().endsWith(c.log_end)) << ErrorLog().toStdString();
  }
  // A failure with nothing to point at leaves the input and the log line as
  // they were.
  Main().SetInputText(QString());
  InsertAndSolve("1;2");
  EXPECT_EQ(Input()->text(), QString());
  EXPECT_TRUE(ErrorLog().endsWith("] Could not solve '1;2'")) << ErrorLog().toStdString();
  EXPECT_TRUE(messages_.failures.isEmpty());
}

// Every failing expression of the engine's table, with its user variables:
// the input selects the characters the engine blames, and the log says where.
TEST_F(MainWindowErrorPlaceTest, EveryTabledFailureSelectsItsPlace) {
  for (const ErrorPlaceCase& c : ErrorPlaceCases()) {
    const QString text = QString::fromUtf8(c.text);
    SCOPED_TRACE(c.text);
    Main().calculator().variables() = c.variables;
    // Set rather than typed: key clicks cover ASCII only.
    Main().SetInputText(text);
    Click("insert");
    Click("solve");
    EXPECT_EQ(Input()->text(), text);
    EXPECT_EQ(Input()->selectionStart(), c.place.start);
    EXPECT_EQ(Input()->selectedText(), text.mid(c.place.start, c.place.end - c.place.start));
    EXPECT_EQ(Input()->cursorPosition(), c.place.start);
    EXPECT_TRUE(ErrorLog().endsWith(QString::fromUtf8(c.message) +
                                    QString::fromStdString(PlaceSuffix(c.place))))
        << ErrorLog().toStdString();
  }
  EXPECT_TRUE(messages_.failures.isEmpty());
}

}  // namespace
}  // namespace korvex::testing
