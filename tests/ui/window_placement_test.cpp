// Windows beside the main window: where they open, that they are windows of
// their own rather than children kept above it, and the places remembered
// in bin/windows.ini from one run to the next.
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTextEdit>
#include <QWindow>

#include "program_fixture.h"
#include "settings/window_geometry.h"
#include "ui/donate_window.h"
#include "ui/graph_window.h"
#include "ui/plot_info_window.h"
#include "ui/table_stats_window.h"
#include "ui/tutorials_window.h"
#include "ui/version_history_window.h"
#include "ui/window_placement.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& rect, std::ostream* out) {
  *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}
QT_END_NAMESPACE

namespace korvex {
inline void PrintTo(const WindowRect& rect, std::ostream* out) { *out << WindowRectText(rect); }
}  // namespace korvex

namespace korvex::testing {
namespace {

TEST(PlaceBeside, BesideTheMainWindowElseClearOfItsInputElseCentred) {
  const QRect screen(0, 0, 1280, 900);
  struct Case {
    const char* name;
    QRect main;
    QRect input;  // what must stay visible
    QSize size;
    QRect expected;
    QSize minimum = {};
  };
  const Case cases[] = {
      {"right, tops aligned",
       {100, 0, 400, 500},
       {110, 40, 380, 24},
       {500, 400},
       {508, 0, 500, 400}},
      {"right, slid up onto the screen",
       {100, 600, 400, 250},
       {110, 640, 380, 24},
       {500, 400},
       {508, 500, 500, 400}},
      {"left when the right is full",
       {800, 0, 400, 500},
       {810, 40, 380, 24},
       {500, 400},
       {292, 0, 500, 400}},
      {"below when neither side has room",
       {100, 0, 1000, 300},
       {110, 40, 980, 24},
       {500, 400},
       {100, 308, 500, 400}},
      {"above when that is all there is",
       {100, 480, 1000, 400},
       {110, 520, 980, 24},
       {500, 400},
       {100, 72, 500, 400}},
      // Most of the room on a side: a little smaller there.
      {"right, narrowed to the room",
       {0, 0, 480, 460},
       {41, 55, 332, 24},
       {820, 560},
       {488, 0, 792, 560}},
      {"below, shortened to the room",
       {0, 0, 700, 460},
       {41, 55, 332, 24},
       {820, 560},
       {0, 468, 820, 432}},
      {"not narrower than the window can be",
       {0, 0, 480, 460},
       {41, 55, 332, 24},
       {820, 560},
       {460, 0, 820, 560},
       {800, 500}},
      // No side has room: pushed onto the screen, covering the least of the
      // main window and none of its input.
      {"right, half the room rather than over the main window",
       {0, 0, 700, 600},
       {41, 55, 332, 24},
       {820, 560},
       {708, 0, 572, 560}},
      {"pushed up from below",
       {100, 0, 1000, 700},
       {110, 40, 980, 24},
       {820, 560},
       {100, 340, 820, 560}},
      {"centred when the input cannot stay clear",
       {0, 0, 1280, 900},
       {10, 40, 1260, 24},
       {820, 860},
       {230, 20, 820, 860}},
      {"cut down to the screen",
       {0, 0, 1280, 900},
       {10, 40, 1260, 24},
       {2000, 1000},
       {0, 0, 1280, 900}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceBeside(c.size, c.main, c.input, screen, c.minimum), c.expected) << c.name;
}

// On a wide screen with the main window in the middle, a large window takes
// half its size beside it rather than covering it, on the side clear of the
// program's windows already open (Plot info right of the main window).
TEST(PlaceBeside, HalfTheRoomBesideClearOfTheOtherWindows) {
  const QRect screen(0, 0, 1600, 1000);
  const QRect main(561, 297, 480, 460);
  const QRect input(602, 352, 332, 24);
  const QRect plot_info(1049, 277, 383, 333);
  EXPECT_EQ(PlaceBeside({820, 560}, main, input, screen), QRect(1049, 297, 551, 560));
  EXPECT_EQ(PlaceBeside({820, 560}, main, input, screen, {}, {plot_info}), QRect(0, 297, 553, 560));
  // Covering another window beats covering the main one.
  EXPECT_EQ(PlaceBeside({820, 560}, main, input, screen, {}, {plot_info, {0, 0, 500, 900}}),
            QRect(1049, 297, 551, 560));
}

TEST(ClampToScreens, KeepsUsablePlacesAndBringsTheRestBack) {
  const std::vector<WindowRect> two_screens = {{0, 0, 1280, 1000}, {1280, 0, 1920, 1050}};
  struct Case {
    const char* name;
    WindowRect saved;
    WindowRect expected;
  };
  const Case cases[] = {
      {"on the first screen", {100, 100, 500, 400}, {100, 100, 500, 400}},
      {"on the second screen", {2000, 300, 500, 400}, {2000, 300, 500, 400}},
      {"partly off the right edge, title bar grabbable",
       {1000, 100, 500, 400},
       {1000, 100, 500, 400}},
      {"off every screen to the right", {9000, 100, 500, 400}, {2700, 100, 500, 400}},
      {"above the top", {100, -300, 500, 400}, {100, 0, 500, 400}},
      {"off to the left and below", {-2000, 5000, 500, 400}, {0, 600, 500, 400}},
      {"larger than its screen shrinks onto it", {50, 50, 3000, 1200}, {1280, 0, 1920, 1050}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampToScreens(c.saved, two_screens), c.expected) << c.name;
  EXPECT_EQ(ClampToScreens({9000, 0, 10, 10}, {}), (WindowRect{9000, 0, 10, 10}));
}

TEST(WindowRectText, ReadsWhatItWritesAndRefusesTheRest) {
  EXPECT_EQ(ParseWindowRect(WindowRectText({-20, 30, 640, 480})), (WindowRect{-20, 30, 640, 480}));
  for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,0,4", "1, 2,3,4", "a,2,3,4", "1,2,3,4x"})
    EXPECT_EQ(ParseWindowRect(bad), std::nullopt) << bad;
}

TEST(WindowGeometryStore, SavesOverWhatAnotherProgramSavedMeanwhile) {
  QTemporaryDir directory;
  const DataDirectory data(directory.path().toStdString());
  std::filesystem::create_directories(data.Folder());
  WindowGeometryStore first(data);
  WindowGeometryStore second(data);
  first.Load();
  second.Load();
  first.SetRect("Form8", {1, 2, 300, 400});
  ASSERT_TRUE(first.Save());
  second.SetValue("Form1.mode", "simple");
  second.SetValue("bad=key", "x");  // would not read back as this key
  ASSERT_TRUE(second.Save());
  EXPECT_EQ(ReadLines(data.File(kWindowsFile)), (Lines{"Form1.mode=simple", "Form8=1,2,300,400"}));
  first.Load();
  EXPECT_EQ(first.Value("Form1.mode"), "simple");
  EXPECT_EQ(first.Rect("Form8"), (WindowRect{1, 2, 300, 400}));
}

// What the main window keeps besides its place: its mode and splitter sizes.
TEST(WindowPlacement, KeepsTheMainWindowsModeAndSplitterSizes) {
  TestApp();
  QTemporaryDir directory;
  const DataDirectory data(directory.path().toStdString());
  std::filesystem::create_directories(data.Folder());
  QWidget main;
  main.setObjectName(QStringLiteral("Form1"));
  auto* splitter = new QSplitter(&main);
  splitter->setObjectName(QStringLiteral("split"));
  splitter->addWidget(new QWidget);
  splitter->addWidget(new QWidget);
  splitter->resize(400, 200);
  splitter->setSizes({150, 250});
  const QList<int> sizes = splitter->sizes();
  {
    WindowPlacement placement(data, &main);
    EXPECT_EQ(placement.SavedSimpleMode(), std::nullopt);
    EXPECT_FALSE(placement.RestoreSplitter(splitter));
    placement.RememberSimpleMode(true);
    placement.RememberSplitter(splitter);
    placement.Save();
  }
  splitter->setSizes({300, 100});
  WindowPlacement placement(data, &main);
  EXPECT_EQ(placement.SavedSimpleMode(), true);
  ASSERT_TRUE(placement.RestoreSplitter(splitter));
  EXPECT_EQ(splitter->sizes(), sizes);
  // Sizes for another number of panes are not forced on the splitter.
  splitter->addWidget(new QWidget);
  EXPECT_FALSE(placement.RestoreSplitter(splitter));
}

class WindowPlacementTest : public ProgramFixture {
 protected:
  QWidget* OpenFunctions() {
    Choose("functionmenu");
    QWidget* window = windows_->functions;
    EXPECT_TRUE(window->isVisible());
    return window;
  }
  QRect InputRect() {
    QWidget* input = Find<QComboBox>("input");
    return {input->mapToGlobal(QPoint(0, 0)), input->size()};
  }
  // A second run of the program on the same folder.
  void Restart() {
    windows_.reset();
    windows_ = std::make_unique<ProgramWindows>(Directory(), messages_, shell_);
    Main().start_up_hooks().show_splash = nullptr;
    Main().show();
    ASSERT_TRUE(WaitActive(&Main()));
  }
};

TEST_F(WindowPlacementTest, WindowsBesideTheMainOneAreNotKeptAboveIt) {
  Main().move(0, 0);
  const QList<QWidget*> beside = {
      windows_->functions,      windows_->constants, windows_->solution, windows_->error_log,
      windows_->user_variables, windows_->plot_info, windows_->graph,    windows_->table_stats,
      windows_->history,        windows_->tutorials, windows_->donate};
  for (QWidget* window : beside) {
    SCOPED_TRACE(window->objectName().toStdString());
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(window->windowType(), Qt::Window);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(Main().findChildren<QWidget*>().contains(window));
  }

  QWidget* functions = OpenFunctions();
  ASSERT_NE(functions->windowHandle(), nullptr);
  EXPECT_EQ(functions->windowHandle()->transientParent(), nullptr);
  EXPECT_FALSE(functions->frameGeometry().intersects(InputRect()));
  EXPECT_TRUE(functions->screen()->availableGeometry().contains(functions->frameGeometry()));

  // Back in the main window, typing goes to its input, not the search box.
  ASSERT_TRUE(WaitActive(&Main()));
  Input()->setFocus();
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2*+1"));
  EXPECT_EQ(Input()->text(), QStringLiteral("2*+1"));
  EXPECT_TRUE(Child<QLineEdit>(functions, "search")->text().isEmpty());

  // The graph after a plot leaves the input visible too.
  Choose("graphmenu");
  EXPECT_TRUE(windows_->graph->isVisible());
  EXPECT_FALSE(windows_->graph->frameGeometry().intersects(InputRect()));
}

TEST_F(WindowPlacementTest, PlacesAreRememberedForTheNextRun) {
  QWidget* functions = OpenFunctions();
  functions->move(40, 50);
  functions->resize(500, 380);
  functions->close();
  Main().move(20, 10);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Main().pos() == QPoint(20, 10); }));
  // A saved place far off every screen and too large for any.
  ASSERT_TRUE(WriteLines(BinFile(kWindowsFile), {"Form9=20000,-9000,5000,4000"}));
  // Closing the main window hides the others, which keep their places.
  Choose("functionmenu");
  Main().close();
  EXPECT_FALSE(functions->isVisible());

  // The toolkit's own records, which know frames and screens; the place an
  // earlier version saved stays readable.
  Lines saved = FileLines(kWindowsFile);
  for (const char* key : {"Form1.geometry=", "Form8.geometry="}) {
    EXPECT_NE(std::find_if(saved.begin(), saved.end(),
                           [key](const std::string& line) { return line.rfind(key, 0) == 0; }),
              saved.end())
        << key;
  }
  EXPECT_NE(std::find(saved.begin(), saved.end(), "Form9=20000,-9000,5000,4000"), saved.end());

  Restart();
  // Where a frame goes is the window system's business (this test's has no
  // real frames); that the place does not creep from run to run is ours.
  const QRect main_place = Main().frameGeometry();
  EXPECT_LE((main_place.topLeft() - QPoint(20, 10)).manhattanLength(), 10);
  for (int run = 0; run < 3; ++run) {
    Main().close();
    Restart();
    EXPECT_EQ(Main().frameGeometry(), main_place) << "run " << run;
  }
  functions = OpenFunctions();
  EXPECT_EQ(functions->pos(), QPoint(40, 50));
  EXPECT_EQ(functions->size(), QSize(500, 380));
  Choose("constantmenu");
  QWidget* constants = windows_->constants;
  ASSERT_TRUE(constants->isVisible());
  const QRect screen = constants->screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(constants->frameGeometry()))
      << constants->frameGeometry().x() << "," << constants->frameGeometry().y() << " "
      << constants->width() << "x" << constants->height();
}

TEST_F(WindowPlacementTest, TheHistoryWindowShowsTheShippedHistoryAsText) {
  std::filesystem::copy_file(RealDataDirectory() / "bin" / kHistoryFile, BinFile(kHistoryFile));
  Choose("historymenu");
  const QString text =
      windows_->history->findChild<QTextEdit*>(QStringLiteral("history"))->toPlainText();
  EXPECT_FALSE(text.contains(QStringLiteral("{\\rtf")));
  EXPECT_FALSE(text.contains(QStringLiteral("\\par")));
  EXPECT_TRUE(text.contains(QStringLiteral("Version 1.0.2")));
  EXPECT_TRUE(messages_.shown.isEmpty());
}

}  // namespace
}  // namespace korvex::testing
