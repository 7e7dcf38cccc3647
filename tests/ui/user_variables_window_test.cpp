// User variables: the table edits the live variables, "OK" saves var.ini,
// every close reloads it, and the creation wizard appends rows.
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

#include "program_fixture.h"

namespace korvex::testing {
namespace {

class UserVariablesTest : public ProgramFixture {
 protected:
  QWidget* Open() {
    QTest::keyClick(Input(), Qt::Key_U, Qt::ControlModifier);
    QWidget* window = windows_->user_variables;
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(WaitActive(window));
    return window;
  }
  QTableWidget* Table() { return Child<QTableWidget>(windows_->user_variables, "table"); }

  // Types into a cell the way a user does: select it, F2, replace the
  // text, Enter.
  void TypeCell(int row, int column, const QString& text) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // old editors
    QTableWidget* table = Table();
    table->setFocus();
    table->setCurrentCell(row, column);
    QTest::keyClick(table, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : table->viewport()->findChildren<QLineEdit*>())
      if (candidate->isVisible()) editor = candidate;
    ASSERT_NE(editor, nullptr) << "no cell editor opened";
    editor->selectAll();
    QTest::keyClicks(editor, text);
    const QPointer<QLineEdit> open_editor(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view takes the edit a moment after Enter.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !open_editor || !open_editor->isVisible(); }));
  }
  QStringList Rows() {
    QStringList rows;
    for (int row = 0; row < Table()->rowCount(); ++row) {
      const QTableWidgetItem* name = Table()->item(row, 0);
      const QTableWidgetItem* value = Table()->item(row, 1);
      rows << (name ? name->text() : QString()) + "=" + (value ? value->text() : QString());
    }
    return rows;
  }
  // On a fresh input: a failed solve leaves its expression there.
  void SolveInMain(const QString& text) {
    ASSERT_TRUE(WaitActive(&Main()));
    Main().SetInputText(QString());
    InsertAndSolve(text);
  }
};

TEST_F(UserVariablesTest, AVariableTypedIntoTheTableIsUsedAtTheNextSolve) {
  Open();
  EXPECT_EQ(Rows(), QStringList{"="});  // an empty table shows one blank row
  TypeCell(0, 0, "x");
  TypeCell(0, 1, "3");
  EXPECT_EQ(Rows(), QStringList{"x=3"});
  // Enter ended the edits, not the window.
  EXPECT_TRUE(windows_->user_variables->isVisible());
  // Unsaved edits are live.
  SolveInMain("2(1+x)");
  EXPECT_EQ(Answer(), "= 8");
  QTest::keyClick(Input(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(SolutionText(), "Step 1 (add): 2*(4)\nStep 2 (multiply): 8");

  // "Cancel" throws the edit away: the table equals the file again.
  QWidget* window = Open();
  Click(Child<QPushButton>(window, "cancel"));
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(Rows(), QStringList{"="});
  EXPECT_TRUE(Main().calculator().variables().empty());
  SolveInMain("2(1+x)");
  EXPECT_EQ(Answer(), "Syntax error, see (View/Error log)");

  // "OK" saves it; closing rereads the file, which now holds it.
  window = Open();
  TypeCell(0, 0, "x");
  TypeCell(0, 1, "3");
  Click(Child<QPushButton>(window, "ok"));
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(FileLines("var.ini"), Lines{"x#3"});
  EXPECT_EQ(Rows(), QStringList{"x=3"});
  SolveInMain("2(1+x)");
  EXPECT_EQ(Answer(), "= 8");
}

TEST_F(UserVariablesTest, RowsAreAddedClearedAndNamesChecked) {
  Open();
  TypeCell(0, 0, "r");
  TypeCell(0, 1, "5");
  // Down from the filled last row opens a new row.
  Table()->setFocus();
  QTest::keyClick(Table(), Qt::Key_Down);
  EXPECT_EQ(Table()->rowCount(), 2);
  TypeCell(1, 0, "area");
  TypeCell(1, 1, "r^2");
  EXPECT_EQ(Rows(), (QStringList{"r=5", "area=r^2"}));

  struct Case {
    QString name;
    QString message;
  };
  const Case refused[] = {
      {"r", "A variable named 'r' already exists"},
      {"a=b", "A variable name cannot contain '='"},
      {"v1", "A variable name cannot contain '1'"},
      {"a b", "A variable name cannot contain ' '"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.name.toStdString());
    messages_.shown.clear();
    TypeCell(1, 0, c.name);
    EXPECT_EQ(messages_.shown, QStringList{c.message});
    EXPECT_EQ(Rows(), (QStringList{"r=5", "area=r^2"}));
  }
  SolveInMain("area");
  EXPECT_EQ(Answer(), "= 25");

  QWidget* window = Open();
  Click(Child<QPushButton>(window, "clear"));
  EXPECT_EQ(Rows(), QStringList{"="});
  EXPECT_TRUE(Main().calculator().variables().empty());
  Click(Child<QPushButton>(window, "ok"));
  EXPECT_EQ(FileLines("var.ini"), Lines{});
}

TEST_F(UserVariablesTest, EnterBetweenEditsKeepsTheWindowAndEscapeCancels) {
  QWidget* window = Open();
  TypeCell(0, 0, "k");
  TypeCell(0, 1, "7");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // old editors
  // Enter on a cell that is not being edited opens it for editing.
  Table()->setFocus();
  Table()->setCurrentCell(0, 1);
  QTest::keyClick(Table(), Qt::Key_Return);
  EXPECT_TRUE(window->isVisible());
  QLineEdit* editor = nullptr;
  for (QLineEdit* candidate : Table()->viewport()->findChildren<QLineEdit*>())
    if (candidate->isVisible()) editor = candidate;
  ASSERT_NE(editor, nullptr) << "Enter opened no cell editor";
  // Escape in the editor ends the edit only.
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Rows(), QStringList{"k=7"});

  // Escape between edits is Cancel: the window closes and the unsaved row goes.
  QTest::keyClick(Table(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(Rows(), QStringList{"="});
  EXPECT_EQ(FileLines("var.ini"), Lines{});
}

TEST_F(UserVariablesTest, WizardAppendsARowThatOnlyOkKeeps) {
  QWidget* window = Open();
  Click(Child<QPushButton>(window, "create"));
  QWidget* wizard = windows_->wizard;
  ASSERT_TRUE(WaitActive(wizard));
  auto* name = Child<QLineEdit>(wizard, "name");
  auto* expression = Child<QLineEdit>(wizard, "expression");
  auto* create = Child<QPushButton>(wizard, "create");
  EXPECT_FALSE(create->isEnabled());
  QTest::keyClicks(name, "neg");
  EXPECT_FALSE(create->isEnabled());
  QTest::keyClicks(expression, "-3");
  EXPECT_TRUE(create->isEnabled());
  Click(create);
  EXPECT_FALSE(wizard->isVisible());
  EXPECT_EQ(Rows(), QStringList{"neg=-3"});
  SolveInMain("2*neg");
  EXPECT_EQ(Answer(), "= -6");

  // The wizard starts empty each time; a duplicate name is refused.
  window = Open();
  Click(Child<QPushButton>(window, "create"));
  ASSERT_TRUE(WaitActive(wizard));
  EXPECT_TRUE(name->text().isEmpty());
  EXPECT_TRUE(expression->text().isEmpty());
  QTest::keyClicks(name, "neg");
  QTest::keyClicks(expression, "1");
  QTest::keyClick(expression, Qt::Key_Return);  // "Create" is the default button
  EXPECT_EQ(messages_.shown, QStringList{"A variable named 'neg' already exists"});
  EXPECT_EQ(Rows(), QStringList{"neg=-3"});

  // Without "OK" the created row is lost when the window closes.
  window->close();
  EXPECT_EQ(Rows(), QStringList{"="});
  EXPECT_FALSE(std::filesystem::exists(BinFile("var.ini")) && !FileLines("var.ini").empty());
}

}  // namespace
}  // namespace korvex::testing
