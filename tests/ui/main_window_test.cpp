// The main window as a user drives it: start-up, insert and solve, the error
// path, the list actions, the input history, the clipboard and closing.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBar>

#include "program_fixture.h"
#include "settings/plot_file.h"
#include "ui/solution_window.h"

namespace korvex::testing {
namespace {

using MainWindowTest = ProgramFixture;

TEST_F(MainWindowTest, StartUpCreatesTheSettingsFilesAndFillsTheStatusBar) {
  EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join("|").toStdString();
  for (const char* file : {"var.ini", "mask.ini", "general.ini", "plot.ini", "other.ini"})
    EXPECT_TRUE(std::filesystem::exists(BinFile(file))) << file;
  EXPECT_EQ(FileLines("other.ini"), Lines{"0"});
  EXPECT_EQ(Panel(0), "1 bit");
  EXPECT_EQ(Panel(1), "Decimal (base 10)");
  EXPECT_EQ(Panel(2), "= ");
  EXPECT_EQ(Panel(3), "x E[-10;10] inc: 0,1");
  EXPECT_EQ(Main().windowTitle(), "Korvex");
  EXPECT_FALSE(Find<QPushButton>("insert")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("solve")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("clear")->isEnabled());
  // A second activation does not run the sequence again.
  std::filesystem::remove(BinFile("mask.ini"));
  Main().FormActivate();
  EXPECT_FALSE(std::filesystem::exists(BinFile("mask.ini")));
}

TEST_F(MainWindowTest, InsertAndSolveShowTheAnswerBitCountAndSteps) {
  struct Case {
    QString expression;
    QString answer;
    QString bits;
    QString steps;
  };
  const Case cases[] = {
      {"2+3", "= 5", "3 bit", "Step 1 (add): 5"},
      {"2+3*4", "= 14", "4 bit", "Step 1 (multiply): 2+12\nStep 2 (add): 14"},
      {"(1+1)*(2+2)", "= 8", "4 bit",
       "Step 1 (add): (2)*(2+2)\nStep 2 (add): 2*(4)\nStep 3 (multiply): 8"},
      {"gcd[12;18]", "= 6", "3 bit", "Step 1 (calculate 'gcd'): 6"},
      {"ans*2", "= 12", "4 bit", "Step 1 (multiply): 12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression.toStdString());
    InsertExpression(c.expression);
    EXPECT_EQ(Items().last(), c.expression);
    EXPECT_EQ(List()->currentRow(), List()->count() - 1);
    EXPECT_TRUE(Input()->text().isEmpty());
    EXPECT_FALSE(Find<QPushButton>("insert")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("solve")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("clear")->isEnabled());
    Click("solve");
    EXPECT_EQ(Answer(), c.answer);
    EXPECT_EQ(Panel(0), c.bits);
    // View > Solution (Ctrl+S) shows the steps of this solve.
    QTest::keyClick(Input(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(windows_->solution->isVisible());
    EXPECT_EQ(SolutionText(), c.steps);
    windows_->solution->hide();
    ASSERT_TRUE(WaitActive(&Main()));
  }
}

TEST_F(MainWindowTest, EnterInsertsAndTheSolutionWindowFollowsWhileOpen) {
  Type("1+2");
  QTest::keyClick(Input(), Qt::Key_Return);
  EXPECT_EQ(Items(), QStringList{"1+2"});
  // Enter on the list solves the selected item.
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Return);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Answer(), "= 3");
  Click("solutionlabel");
  EXPECT_TRUE(windows_->solution->isVisible());
  EXPECT_EQ(SolutionText(), "Step 1 (add): 3");
  // While it is open, a new solve refreshes it at once.
  InsertAndSolve("2+3*4");
  EXPECT_EQ(SolutionText(), "Step 1 (multiply): 2+12\nStep 2 (add): 14");
  // A failure refreshes it with its own steps, those recorded before it
  // failed: none when the text fails before evaluation.
  InsertAndSolve("2*3+()");
  EXPECT_EQ(SolutionText(), "");
  Main().SetInputText(QString());  // the failure before left its expression there
  InsertAndSolve("(2*3)+1;2");
  EXPECT_EQ(SolutionText(), "Step 1 (multiply): (6)+1;2\nStep 2 (add): 7;2");
}

// A deep solve has as many lines as groups, each holding the whole list of
// its step; the page builds only what it shows, and Ctrl+C copies the
// selected lines.
TEST_F(MainWindowTest, TheSolutionPageShowsEveryStepOfALongSolve) {
  const int depth = 2000;
  QString text = QStringLiteral("(1+").repeated(depth) + QLatin1Char('1');
  text += QString(depth, QLatin1Char(')'));
  // Typed key by key it would take seconds.
  Input()->setText(text);
  Click("insert");
  Click("solve");
  EXPECT_EQ(Answer(), "= 2001");
  Click("solutionlabel");
  auto* page = Child<QListView>(windows_->solution, "solution");
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->model()->rowCount(), depth);
  const auto line = [&](int row) { return page->model()->index(row, 0).data().toString(); };
  const QString first = QStringLiteral("Step 1 (add): ") +
                        QStringLiteral("(1+").repeated(depth - 1) + QStringLiteral("(2") +
                        QString(depth, QLatin1Char(')'));
  EXPECT_EQ(line(0), first);
  EXPECT_EQ(line(depth - 1), QString::fromStdString(Main().calculator().steps().Text(depth - 1)));
  EXPECT_TRUE(line(depth - 1).startsWith(QStringLiteral("Step 2000 (add): ")));
  page->selectionModel()->select(page->model()->index(depth - 1, 0), QItemSelectionModel::Select);
  page->selectionModel()->select(page->model()->index(0, 0), QItemSelectionModel::Select);
  windows_->solution->activateWindow();
  ASSERT_TRUE(WaitActive(windows_->solution));
  page->setFocus();
  QTest::keyClick(page, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), first + QLatin1Char('\n') + line(depth - 1));
}

TEST_F(MainWindowTest, FailuresGoToTheErrorLogAndTheAnswerBox) {
  const QRegularExpression line(R"(^\[\d\d:\d\d:\d\d\] (.*)$)");
  struct Case {
    QString expression;
    QString answer;
    QString message;  // with the place it points at, when it has one
  };
  const Case cases[] = {
      {"()", "Syntax error, see (View/Error log)", "Need something to evaluate inside ( ) at 1-2"},
      {"1;2", "Syntax error, see (View/Error log)", "Could not solve '1;2'"},
      {"x", "Syntax error, see (View/Error log)", "'x' is not a number at 1-1"},
      {"foo[1]", "Function error, see (View/Error log)",
       "'foo' is not a function. See (View/Functions) for a list of all available functions at "
       "1-3"},
  };
  InsertAndSolve("7");
  ASSERT_EQ(Answer(), "= 7");
  QStringList expected_messages;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression.toStdString());
    // A failure leaves its expression in the input with the place selected.
    Main().SetInputText(QString());
    InsertAndSolve(c.expression);
    EXPECT_EQ(Answer(), c.answer);
    expected_messages << c.message;
    const QStringList lines = ErrorLog().split('\n');
    ASSERT_EQ(lines.size(), expected_messages.size());
    for (int i = 0; i < lines.size(); ++i) {
      const auto match = line.match(lines[i]);
      ASSERT_TRUE(match.hasMatch()) << lines[i].toStdString();
      EXPECT_EQ(match.captured(1), expected_messages[i]);
    }
  }
  // The stored answer keeps its value through the failures.
  Main().SetInputText(QString());
  InsertAndSolve("ans");
  EXPECT_EQ(Answer(), "= 7");
  // View > Error log (Ctrl+E) shows the window; the keys reach it from the input.
  Input()->setFocus();
  QTest::keyClick(Input(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(windows_->error_log->isVisible());
  EXPECT_TRUE(messages_.failures.isEmpty());
}

TEST_F(MainWindowTest, EscapedArithmeticFailureShowsTheGeneralFailureBoxOnly) {
  InsertAndSolve("5");
  InsertAndSolve("reciprocal[0]");
  EXPECT_EQ(messages_.failures, QStringList{"Floating point division by zero."});
  EXPECT_EQ(Answer(), "= 5");
  EXPECT_TRUE(ErrorLog().isEmpty());
  // The program goes on.
  InsertAndSolve("reciprocal[4]");
  EXPECT_EQ(Answer(), "= 0,25");
}

TEST_F(MainWindowTest, ListActionsMoveEditCheckAndDelete) {
  for (const char* text : {"a", "b", "c"}) InsertExpression(text);
  auto tool = [this](const char* name) { Find<QAction>(name)->trigger(); };
  struct Step {
    const char* action;
    QStringList items;
    int selected;
  };
  const Step steps[] = {
      {"itemup", {"a", "c", "b"}, 1},   {"itemup", {"c", "a", "b"}, 0},
      {"itemup", {"c", "a", "b"}, 0},   {"itemdown", {"a", "c", "b"}, 1},
      {"itemdown", {"a", "b", "c"}, 2}, {"itemdown", {"a", "b", "c"}, 2},
      {"deleteitem", {"a", "b"}, 1},    {"itemup", {"b", "a"}, 0},
      {"deleteitem", {"a"}, 0},         {"deleteitem", {}, -1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action);
    tool(step.action);
    EXPECT_EQ(Items(), step.items);
    EXPECT_EQ(List()->currentRow(), step.selected);
  }
  EXPECT_FALSE(Find<QPushButton>("solve")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("clear")->isEnabled());
  EXPECT_FALSE(Find<QAction>("solvemenu")->isEnabled());
  EXPECT_FALSE(Find<QAction>("clearmenu")->isEnabled());

  // The pop-up menu's keys act on the list: Ctrl+Up, Ctrl+Down, Del.
  for (const char* text : {"1", "2", "3"}) InsertExpression(text);
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Items(), (QStringList{"1", "3", "2"}));
  QTest::keyClick(List(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Items(), (QStringList{"1", "2", "3"}));
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(Items(), (QStringList{"1", "2"}));
  EXPECT_EQ(List()->currentRow(), 1);

  // Check/Uncheck toggles; a checked item is plotted instead of solved.
  tool("checkitem");
  EXPECT_EQ(List()->item(1)->checkState(), Qt::Checked);
  tool("checkitem");
  EXPECT_EQ(List()->item(1)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(Find<QAction>("popupcheck") != nullptr);

  Click("clear");
  EXPECT_TRUE(Items().isEmpty());
  EXPECT_FALSE(Find<QPushButton>("solve")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("clear")->isEnabled());
  // With nothing in the list the actions do nothing.
  for (const char* name : {"itemup", "itemdown", "edititem", "checkitem", "deleteitem"}) tool(name);
  EXPECT_TRUE(Items().isEmpty());
}

TEST_F(MainWindowTest, EditWindowReplacesTheSelectedItem) {
  InsertExpression("1+1");
  InsertExpression("2+2");
  const QPoint first = List()->visualItemRect(List()->item(0)).center();
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, first);
  QWidget* edit_window = windows_->edit;
  ASSERT_TRUE(edit_window->isVisible());
  auto* edit = Child<QLineEdit>(edit_window, "edit");
  EXPECT_EQ(edit->text(), "1+1");
  EXPECT_EQ(edit->selectedText(), "1+1");
  // An empty edit cannot replace.
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_FALSE(Child<QPushButton>(edit_window, "replace")->isEnabled());
  QTest::keyClicks(edit, "9*9");
  Click(Child<QPushButton>(edit_window, "cancel"));
  EXPECT_FALSE(edit_window->isVisible());
  EXPECT_EQ(Items(), (QStringList{"1+1", "2+2"}));

  Find<QAction>("edititem")->trigger();
  ASSERT_TRUE(WaitActive(edit_window));
  edit->selectAll();
  QTest::keyClicks(edit, "3*3");
  QTest::keyClick(edit, Qt::Key_Return);

  EXPECT_FALSE(edit_window->isVisible());
  EXPECT_EQ(Items(), (QStringList{"3*3", "2+2"}));
  Click("solve");
  EXPECT_EQ(Answer(), "= 9");
}

TEST_F(MainWindowTest, InputHistoryKeepsEachTextOnceNewestFirst) {
  auto* input = Find<QComboBox>("input");
  InsertExpression("1+1");
  InsertExpression("2+2");
  InsertExpression("1+1");
  EXPECT_EQ(Items(), (QStringList{"1+1", "2+2", "1+1"}));
  QStringList history;
  for (int i = 0; i < input->count(); ++i) history << input->itemText(i);
  EXPECT_EQ(history, (QStringList{"2+2", "1+1"}));
  EXPECT_TRUE(Input()->text().isEmpty());
  // Choosing a history entry puts it back into the input.
  input->setCurrentIndex(1);
  EXPECT_EQ(Input()->text(), "1+1");
  EXPECT_TRUE(Find<QPushButton>("insert")->isEnabled());
}

TEST_F(MainWindowTest, PlotCheckMarksNewItemsAndSolvePlotsThem) {
  Click(Find<QCheckBox>("plotcheck"));
  InsertExpression("x^2");
  EXPECT_EQ(List()->item(0)->checkState(), Qt::Checked);
  Click("solve");
  EXPECT_EQ(Main().calculator().plots().chart().series_count(), 1u);
  EXPECT_EQ(Main().calculator().context().plotter().plot_expression(), "x^2");
  // The Plot info window writes the end of the run into the answer box.
  EXPECT_EQ(Answer(), "Plot complete. See (View/Graph) and (View/Plot info)");
  // Closing the main window removes every series.
  Main().close();
  EXPECT_FALSE(Main().isVisible());
  EXPECT_EQ(Main().calculator().plots().chart().series_count(), 0u);
}

TEST_F(MainWindowTest, ClipboardCopiesTheStoredAnswerAndPastesExpressions) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText("stale");
  QTest::keyClick(Input(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard->text(), "0");

  clipboard->setText("1/4");
  QTest::keyClick(Input(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Answer(), "= 0,25");
  EXPECT_TRUE(Items().isEmpty());
  QTest::keyClick(Input(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard->text(), "0,25");

  clipboard->clear();
  QTest::keyClick(Input(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Answer(), "Paste error, see (View/Error log)");
  EXPECT_TRUE(ErrorLog().endsWith("] Clipboard must contain text"));

  clipboard->setText("x");
  QTest::keyClick(Input(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Main().calculator().plots().chart().series_count(), 1u);
}

// Their windows plug them in (program_plot_paths_test checks that).
TEST_F(MainWindowTest, PlugInMenuEntriesExistWithTheirShortcuts) {
  const PlugInActions& actions = Main().plug_in_actions();
  for (QAction* action :
       {actions.graphmenu, actions.plotinfomenu, actions.plotoptionsmenu, actions.benchmarkmenu,
        actions.bugmenu, actions.homepagemenu, actions.donatemenu, actions.tutorialsmenu,
        actions.historymenu, actions.aboutmenu})
    ASSERT_NE(action, nullptr);
  EXPECT_EQ(actions.graphmenu->shortcut(), QKeySequence("Ctrl+G"));
  EXPECT_EQ(actions.benchmarkmenu->shortcut(), QKeySequence("Ctrl+B"));
}

TEST(MainWindowStartUp, HooksRunInOrderAndThePlotRangeReachesTheStatusBar) {
  TestApp();
  QTemporaryDir directory;
  const std::filesystem::path root = directory.path().toStdString();
  CopyCatalogues(root);
  ASSERT_TRUE(WriteLines(root / "bin" / "other.ini", {"1"}));
  PlotSettings plot;
  plot.variable = "t";
  plot.start = "0";
  plot.stop = "5";
  plot.increment = "0,5";
  ASSERT_TRUE(WriteLines(root / "bin" / "plot.ini", PlotSettingsToLines(plot)));

  RecordingMessages messages;
  RecordingShell shell;
  ProgramWindows windows(root, messages, shell);
  QStringList order;
  StartUpViews& hooks = windows.main().start_up_hooks();
  hooks.plot_settings_loaded = [&] { order << "plot"; };
  hooks.show_splash = [&] { order << "splash"; };
  hooks.show_start_screen = [&] {
    order << "start screen";
    EXPECT_EQ(ReadLines(root / "bin" / "other.ini"), Lines{"0"});  // consumed first
  };
  windows.main().show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !order.isEmpty() && order.last() == "start screen"; }));
  EXPECT_EQ(order, (QStringList{"plot", "splash", "start screen"}));
  const auto* panel = windows.main().findChild<QLabel*>("panel3");
  EXPECT_EQ(panel->text(), "t E[0;5] inc: 0,5");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(MainWindowStartUp, MissingCatalogueEndsTheProgramAfterThreeMessages) {
  TestApp();
  struct Case {
    bool functions;
    bool constants;
    QString first_message;
  };
  const Case cases[] = {
      {true, false, "Could not find or open 'bin/constants/constants.ini'"},
      {false, true, "Could not find or open 'bin/functions/functions.ini'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first_message.toStdString());
    QTemporaryDir directory;
    const std::filesystem::path root = directory.path().toStdString();
    CopyCatalogues(root, c.functions, c.constants);
    RecordingMessages messages;
    RecordingShell shell;
    ProgramWindows windows(root, messages, shell);
    windows.main().show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.isEmpty(); }));
    EXPECT_EQ(messages.shown,
              (QStringList{c.first_message, "This file is needed for Korvex to run properly!",
                           "Korvex will now close"}));
    EXPECT_FALSE(windows.main().isVisible());
    EXPECT_FALSE(std::filesystem::exists(root / "bin" / "var.ini"));
  }
}

}  // namespace
}  // namespace korvex::testing
