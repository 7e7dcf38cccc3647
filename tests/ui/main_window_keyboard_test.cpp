// The main window driven from the keyboard and read without guessing: the
// input's focus, Enter, undo of list changes, shortcuts from other windows,
// texts that do not fit, a failed plot and the mode kept between runs.
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTimer>

#include "program_fixture.h"
#include "ui/elided_label.h"
#include "ui/expression_list.h"
#include "ui/graph_window.h"
#include "ui/plot_info_window.h"
#include "ui/splash_window.h"
#include "ui/start_screen.h"
#include "ui/window_placement.h"
#include "ui/window_support.h"

namespace korvex::testing {
namespace {

class KeyboardTest : public ProgramFixture {
 protected:
  QComboBox* InputBox() { return Find<QComboBox>("input"); }
  // Keys go wherever the focus is, as a user's would; a key that started a
  // request (Enter solves) returns once its outcome is shown.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
    ASSERT_TRUE(WaitIdle());
  }
  void TypeHere(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, text);
  }
};

TEST_F(KeyboardTest, TypingStartsInTheInputAndEnterOnAnEmptyInputSolves) {
  EXPECT_TRUE(InputBox()->hasFocus());
  TypeHere("2+3*4");
  Press(Qt::Key_Return);
  EXPECT_EQ(Items(), QStringList{"2+3*4"});
  EXPECT_TRUE(Answer().isEmpty());
  Press(Qt::Key_Return);
  EXPECT_EQ(Answer(), "= 14");
  EXPECT_EQ(Items(), QStringList{"2+3*4"});
  // The selected item is solved, not the last one.
  TypeHere("1+1");
  Press(Qt::Key_Return);
  Press(Qt::Key_Return);
  EXPECT_EQ(Answer(), "= 2");
  List()->setCurrentRow(0);
  InputBox()->setFocus();
  Press(Qt::Key_Return);
  EXPECT_EQ(Answer(), "= 14");
}

TEST_F(KeyboardTest, ClosingAWindowOpenedFromTheMainWindowGivesTheInputTheFocus) {
  struct Case {
    const char* action;
    QWidget* window;
  };
  const Case cases[] = {
      {"functionmenu", windows_->functions},
      {"constantmenu", windows_->constants},
      {"errorlogmenu", windows_->error_log},
      {"solutionmenu", windows_->solution},
      {"uservariablesmenu", windows_->user_variables},
      {"plotinfomenu", windows_->plot_info},
      {"graphmenu", windows_->graph},
      {"maskmenu", windows_->mask_options},
      {"generalmenu", windows_->general_options},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    List()->setFocus();
    Choose(c.action);
    ASSERT_TRUE(WaitActive(c.window));
    c.window->close();
    ASSERT_TRUE(WaitActive(&Main()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return InputBox()->hasFocus(); }));
  }
  // A window closed while another one was active leaves the focus alone.
  Choose("errorlogmenu");
  ASSERT_TRUE(WaitActive(windows_->error_log));
  ASSERT_TRUE(WaitActive(&Main()));
  List()->setFocus();
  windows_->error_log->hide();
  QTest::qWait(20);
  EXPECT_TRUE(List()->hasFocus());
}

TEST_F(KeyboardTest, MainMenuShortcutsWorkFromTheProgramsOtherWindows) {
  struct Case {
    Qt::Key key;
    QWidget* opened;
  };
  const Case cases[] = {
      {Qt::Key_E, windows_->error_log},
      {Qt::Key_U, windows_->user_variables},
      {Qt::Key_S, windows_->solution},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opened->objectName().toStdString());
    Choose("functionmenu");
    ASSERT_TRUE(WaitActive(windows_->functions));
    // The Functions window's search box has the focus and would take
    // Ctrl+E and Ctrl+U for its own line editing.
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    ASSERT_EQ(QApplication::focusWidget()->window(), windows_->functions);
    Press(c.key, Qt::ControlModifier);
    EXPECT_TRUE(c.opened->isVisible());
    c.opened->hide();
  }
}

// Alt+letter reaches every menu and entry: each caption has one access
// letter, and no two in the same menu (or the menu bar) share it.
TEST_F(KeyboardTest, MenusAndTheirEntriesHaveUniqueAccessLetters) {
  auto letters_of = [](const QList<QAction*>& actions) {
    QStringList letters;
    for (const QAction* action : actions) {
      if (action->isSeparator()) continue;
      const QString text = action->text();
      const qsizetype at = text.indexOf('&');
      EXPECT_TRUE(at >= 0 && at + 1 < text.size()) << text.toStdString();
      EXPECT_EQ(text.count('&'), 1) << text.toStdString();
      if (at >= 0) letters << text.mid(at + 1, 1).toLower();
    }
    return letters;
  };
  auto* bar = Main().menuBar();
  const QStringList titles = letters_of(bar->actions());
  EXPECT_EQ(titles.size(), 6);
  EXPECT_EQ(titles.size(), QSet<QString>(titles.begin(), titles.end()).size());
  for (const QAction* title : bar->actions()) {
    SCOPED_TRACE(title->text().toStdString());
    const QStringList entries = letters_of(title->menu()->actions());
    EXPECT_EQ(entries.size(), QSet<QString>(entries.begin(), entries.end()).size())
        << entries.join(',').toStdString();
  }
  // Tests and windows find the menus by their names, which have no '&'.
  for (const char* name : {"filemenus", "editmenus", "viewmenus", "helpmenus"})
    EXPECT_NE(Find<QMenu>(name), nullptr) << name;
}

TEST_F(KeyboardTest, DeleteAndClearAreUndoneAndRedone) {
  for (const char* text : {"a", "b", "c"}) InsertExpression(text);
  List()->setCurrentRow(1);
  Find<QAction>("checkitem")->trigger();
  Find<QAction>("deleteitem")->trigger();
  ASSERT_EQ(Items(), (QStringList{"a", "c"}));
  Click("clear");
  ASSERT_TRUE(Items().isEmpty());
  // Clear leaves the focus in the empty input, which has nothing of its own
  // to undo, so Ctrl+Z reaches the list.
  ASSERT_TRUE(InputBox()->hasFocus());
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Items(), (QStringList{"a", "c"}));
  EXPECT_TRUE(Find<QPushButton>("solve")->isEnabled());
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Items(), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(List()->currentRow(), 1);
  EXPECT_EQ(List()->item(1)->checkState(), Qt::Checked);
  Press(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(Items(), (QStringList{"a", "c"}));
  Choose("redomenu");
  EXPECT_TRUE(Items().isEmpty());
  EXPECT_FALSE(Find<QAction>("redomenu")->isEnabled());
  Choose("undomenu");
  EXPECT_EQ(Items(), (QStringList{"a", "c"}));

  // Typing in the input is undone there first.
  InputBox()->setFocus();
  TypeHere("9");
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Input()->text().isEmpty());
  EXPECT_EQ(Items(), (QStringList{"a", "c"}));
  // Del on the list is undone from the list too.
  List()->setFocus();
  List()->setCurrentRow(0);
  Press(Qt::Key_Delete);
  ASSERT_EQ(Items(), QStringList{"c"});
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Items(), (QStringList{"a", "c"}));
  EXPECT_EQ(List()->currentRow(), 0);
}

TEST_F(KeyboardTest, UndoReachesBackAFixedNumberOfChanges) {
  Click("clear");  // nothing to clear: not a change
  EXPECT_FALSE(Find<QAction>("undomenu")->isEnabled());
  const int changes = ExpressionList::kUndoDepth + 5;
  for (int i = 0; i < changes; ++i) InsertExpression(QString::number(i));
  int undone = 0;
  while (Find<QAction>("undomenu")->isEnabled()) {
    Choose("undomenu");
    ++undone;
  }
  EXPECT_GE(undone, 10);
  EXPECT_EQ(undone, ExpressionList::kUndoDepth);
  EXPECT_EQ(List()->count(), changes - ExpressionList::kUndoDepth);
}

TEST_F(KeyboardTest, TextsThatDoNotFitShowTheirWholeTextSomewhere) {
  PlotSettings& plot = Main().calculator().plot_settings();
  plot.start = "-1000000";
  plot.stop = "1000000";
  plot.increment = "0,00001";
  Main().RefreshPlotStatus();
  const QString range = "x E[-1000000;1000000] inc: 0,00001";
  auto* panel = Find<ElidedLabel>("panel3");
  ASSERT_NE(panel, nullptr);
  Main().resize(420, Main().height());
  ASSERT_TRUE(QTest::qWaitFor([panel] { return panel->elided(); }));
  EXPECT_EQ(panel->text(), range);
  EXPECT_EQ(panel->toolTip(), range);
  Main().resize(1200, Main().height());
  ASSERT_TRUE(QTest::qWaitFor([panel] { return !panel->elided(); }));
  EXPECT_TRUE(panel->toolTip().isEmpty());

  // A long answer box message shows its beginning.
  Main().resize(420, Main().height());
  InsertAndSolve("foo[1]");
  ASSERT_EQ(Answer(), "Function error, see (View/Error log)");
  EXPECT_EQ(Find<QLineEdit>("answer")->cursorPosition(), 0);

  // The plot box says what it does.
  EXPECT_FALSE(Find<QCheckBox>("plotcheck")->text().remove('&').isEmpty());
}

TEST_F(KeyboardTest, AFailedPlotSaysSoInPlotInfoAndLeavesTheAnswerInView) {
  PlotInfoWindow* info = windows_->plot_info;
  auto* group = Child<QGroupBox>(info, "group");
  auto* bar = Child<QProgressBar>(info, "bar");
  const QString complete = "Plot complete";
  struct Case {
    const char* expression;
    const char* increment;
    bool info_open_before;
  };
  const Case cases[] = {
      // Fails at its first sample, after the run has opened Plot info.
      {"factorial[x*1000]", "0,1", false},
      {"factorial[x*1000]", "0,1", true},
      // Refused before any sample.
      {"x^2", "0", true},
      {"x^2", "0", false},
  };
  Click(Find<QCheckBox>("plotcheck"));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.expression) + " " + c.increment);
    // A plot that works first, so Plot info has something to show.
    Main().calculator().plot_settings().increment = "1";
    InsertAndSolve("x");
    ASSERT_EQ(group->title(), complete);
    if (c.info_open_before)
      BringUp(info);
    else
      info->hide();
    Main().calculator().plot_settings().increment = c.increment;
    InsertAndSolve(c.expression);
    EXPECT_EQ(info->isVisible(), c.info_open_before);
    EXPECT_TRUE(group->title().contains("failed"));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(info->running());
    EXPECT_NE(Answer(), "Working... (Esc or Stop ends it)");
  }
  // A working plot afterwards shows its progress as usual.
  Main().calculator().plot_settings().increment = "1";
  InsertAndSolve("x");
  EXPECT_EQ(group->title(), complete);
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(KeyboardTest, SimpleModeTakesTheMainWindowsPlaceAndIsKeptForTheNextRun) {
  Main().move(140, 120);
  const QPoint place = Main().pos();
  Choose("simplemodemenu");
  ASSERT_TRUE(windows_->simple->isVisible());
  EXPECT_EQ(windows_->simple->pos(), place);
  EXPECT_EQ(windows_->placement().SavedSimpleMode(), std::optional<bool>(true));

  // The program ends in simple mode and starts in it again.
  windows_.reset();
  windows_ = std::make_unique<ProgramWindows>(Directory(), messages_, shell_);
  Main().start_up_hooks().show_splash = nullptr;
  Main().show();
  ASSERT_TRUE(QTest::qWaitFor([this] { return windows_->simple->isVisible(); }));
  EXPECT_FALSE(Main().isVisible());

  EXPECT_EQ(windows_->simple->pos(), place);
  // Wherever the simple window goes, the main window comes back where it was.
  windows_->simple->move(300, 250);
  windows_->simple->close();
  ASSERT_TRUE(Main().isVisible());
  EXPECT_EQ(Main().pos(), place);
  EXPECT_EQ(windows_->placement().SavedSimpleMode(), std::optional<bool>(false));
}

TEST_F(KeyboardTest, SplashStandsCentredOnTheMainWindow) {
  Main().move(60, 40);
  QPoint splash_centre;
  QTimer::singleShot(0, windows_->splash, [this, &splash_centre] {
    splash_centre = windows_->splash->frameGeometry().center();
    windows_->splash->close();
  });
  windows_->splash->ShowSplash();
  const QPoint main_centre = Main().frameGeometry().center();
  EXPECT_LE((splash_centre - main_centre).manhattanLength(), 2);
}

// The start screen is the last start-up window; the input has the focus
// once it is gone.
TEST(KeyboardStartUp, TheInputHasTheFocusAfterTheStartScreen) {
  TestApp();
  QTemporaryDir directory;
  const std::filesystem::path root = directory.path().toStdString();
  CopyCatalogues(root);
  ASSERT_TRUE(WriteLines(root / "bin" / "other.ini", {"1"}));
  RecordingMessages messages;
  RecordingShell shell;
  ProgramWindows windows(root, messages, shell);
  windows.main().start_up_hooks().show_splash = nullptr;
  windows.main().show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return windows.start_screen->isVisible(); }));
  ASSERT_TRUE(WaitActive(windows.start_screen));
  windows.start_screen->close();
  ASSERT_TRUE(WaitActive(&windows.main()));
  auto* input = windows.main().findChild<QComboBox*>("input");
  EXPECT_TRUE(QTest::qWaitFor([input] { return input->hasFocus(); }));
}

}  // namespace
}  // namespace korvex::testing
