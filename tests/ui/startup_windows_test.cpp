// The splash window and the start screen in the start-up sequence, with
// other.ini deciding about the start screen.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "settings/data_directory.h"
#include "settings/line_file.h"
#include "settings/other_file.h"
#include "settings/startup_sequence.h"
#include "ui/about_window.h"
#include "ui/link_label.h"
#include "ui/show_modeless.h"
#include "ui/splash_window.h"
#include "ui/start_screen.h"
#include "ui/tutorials_window.h"
#include "ui/ui_test_support.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

TEST(SplashWindow, ClosingBeforeTheTimerEndsTheProgramTimingOutContinues) {
  testing::TestApp();
  struct Case {
    const char* what;
    std::function<void(SplashWindow&)> close;
    bool continues;
  };
  const Case cases[] = {
      {"timer fires", [](SplashWindow& s) { s.closetimerTimer(); }, true},
      {"closed by hand", [](SplashWindow& s) { s.close(); }, false},
      {"escape", [](SplashWindow& s) { QTest::keyClick(&s, Qt::Key_Escape); }, false},
  };
  for (const Case& c : cases) {
    SplashWindow splash;
    auto* timer = splash.findChild<QTimer*>(QStringLiteral("closetimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 2000);
    EXPECT_FALSE(timer->isActive()) << "off until the start-up sequence switches it on";
    auto* version = splash.findChild<QLabel*>(QStringLiteral("version"));
    EXPECT_EQ(version->text(), QStringLiteral("n/a"));

    QSignalSpy closed_early(&splash, &SplashWindow::closedEarly);
    bool timer_was_on = false;
    QString version_shown;
    QTimer::singleShot(0, &splash, [&] {
      timer_was_on = timer->isActive();
      version_shown = version->text();
      c.close(splash);
    });
    EXPECT_EQ(splash.ShowSplash(), c.continues) << c.what;
    EXPECT_TRUE(timer_was_on) << c.what;
    EXPECT_EQ(version_shown, QStringLiteral("Version 1.1 (build 1.1.3.57)")) << c.what;
    EXPECT_EQ(closed_early.count(), c.continues ? 0 : 1) << c.what;
    EXPECT_FALSE(timer->isActive()) << c.what;
    EXPECT_FALSE(splash.isVisible()) << c.what;
  }
}

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() : data(directory.path().toStdString()) {
    testing::TestApp();
    QDir(directory.path()).mkpath(QStringLiteral("bin"));
  }

  void WriteOther(const QByteArray& bytes) {
    QFile file(data.File(kOtherSettingsFile));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray ReadOther() {
    QFile file(data.File(kOtherSettingsFile));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  // One program start: a new splash and start screen; the splash times out
  // and the start screen is shown when asked.
  int Start() {
    FirstActivationFlag first_activation;
    SplashWindow splash;
    StartScreen start_screen;
    int shown = 0;
    StartUpSteps steps;
    steps.show_splash = [&] {
      QTimer::singleShot(0, &splash, &SplashWindow::closetimerTimer);
      EXPECT_TRUE(splash.ShowSplash());
    };
    steps.show_start_screen = [&] {
      ++shown;
      ShowModal(&start_screen);
    };
    EXPECT_EQ(RunStartUpSequence(first_activation, steps, data, messages), StartUpOutcome::kReady);
    EXPECT_EQ(start_screen.isVisible(), shown == 1);
    // A later activation of the main window runs nothing again.
    EXPECT_EQ(RunStartUpSequence(first_activation, steps, data, messages),
              StartUpOutcome::kAlreadyStarted);
    return shown;
  }

  QTemporaryDir directory;
  DataDirectory data;
  testing::RecordingMessages messages;
};

TEST_F(StartUpTest, OtherIniShowsTheStartScreenOnlyForExactlyOne) {
  struct Case {
    QByteArray content;
    int shown;
    QByteArray after;
  };
  const Case cases[] = {
      {"1\r\n", 1, "0\r\n"},     {"1", 1, "0\r\n"},     {"1 \r\n", 0, "1 \r\n"},
      {"yes\r\n", 0, "yes\r\n"}, {"0\r\n", 0, "0\r\n"},
  };
  for (const Case& c : cases) {
    WriteOther(c.content);
    EXPECT_EQ(Start(), c.shown) << c.content.toStdString();
    EXPECT_EQ(ReadOther(), c.after) << c.content.toStdString();
    // The next start shows nothing.
    EXPECT_EQ(Start(), 0) << c.content.toStdString();
  }
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(StartUpTest, MissingOtherIniIsWrittenWithZeroAndShowsNothing) {
  EXPECT_EQ(Start(), 0);
  EXPECT_EQ(ReadOther(), QByteArray("0\r\n"));
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(StartScreen, LinksCloseOrAskForTheirMenuItems) {
  testing::TestApp();
  struct Case {
    const char* link;
    bool closes;
    int tutorials, homepage, history;
  };
  const Case cases[] = {
      {"start", true, 0, 0, 0},
      {"tutorial", false, 1, 0, 0},
      {"homepage", false, 0, 1, 0},
      {"history", false, 0, 0, 1},
  };
  for (const Case& c : cases) {
    StartScreen screen;
    EXPECT_EQ(screen.objectName(), QStringLiteral("Form24"));
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("Korvex"));
    QSignalSpy tutorials(&screen, &StartScreen::tutorialsRequested);
    QSignalSpy homepage(&screen, &StartScreen::homepageRequested);
    QSignalSpy history(&screen, &StartScreen::historyRequested);
    ShowModal(&screen);
    auto* link = screen.findChild<LinkLabel*>(QString::fromUtf8(c.link));
    ASSERT_NE(link, nullptr) << c.link;
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(screen.isVisible(), !c.closes) << c.link;
    EXPECT_EQ(tutorials.count(), c.tutorials) << c.link;
    EXPECT_EQ(homepage.count(), c.homepage) << c.link;
    EXPECT_EQ(history.count(), c.history) << c.link;
  }
}

// The tutorials opened from the modal start screen must be usable at once.
TEST(ShowModeless, OpensModalOnlyAboveAModalWindow) {
  testing::TestApp();
  QTemporaryDir directory;
  testing::RecordingShell shell;
  testing::RecordingMessages messages;
  TutorialsWindow tutorials(DataDirectory(directory.path().toStdString()), shell, messages);
  StartScreen screen;

  tutorials.ShowWindow();
  EXPECT_TRUE(tutorials.isVisible());
  EXPECT_EQ(tutorials.windowModality(), Qt::NonModal);
  tutorials.close();

  ShowModal(&screen);
  tutorials.ShowWindow();
  EXPECT_EQ(tutorials.windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(QApplication::activeModalWidget(), &tutorials);
  tutorials.close();
  screen.close();

  tutorials.ShowWindow();
  EXPECT_EQ(tutorials.windowModality(), Qt::NonModal);
}

}  // namespace
}  // namespace korvex
