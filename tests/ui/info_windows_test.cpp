// The About, Tutorials, Version history and donation windows and the bug
// report link: what they show and what they hand to the shell.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <cstdlib>
#include <filesystem>

#include "ui/about_window.h"
#include "ui/addresses.h"
#include "ui/donate_window.h"
#include "ui/link_label.h"
#include "ui/tutorials_window.h"
#include "ui/ui_test_support.h"
#include "ui/version_history_window.h"

namespace korvex {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(MemoryText, WholeMebibytesGroupedWithTheSeparator) {
  struct Case {
    std::uint64_t bytes;
    char separator;
    const char* text;
  };
  const Case cases[] = {
      {2048 * kMiB, '.', "2.048 MB"},
      {2049 * kMiB - 1, '.', "2.048 MB"},  // rounded down
      {24105 * kMiB, ',', "24 105 MB"},    // not to be read as a decimal comma
      {512 * kMiB, '.', "512 MB"},
      {kMiB - 1, '.', "0 MB"},
      {1024 * 1024 * kMiB, ' ', "1 048 576 MB"},
      {16384 * kMiB + 123, '\'', "16'384 MB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MemoryText(c.bytes, c.separator).toStdString(), c.text) << c.bytes;
  }
}

TEST(AboutWindow, ShowsVersionMemoryAndOpensTheHomePage) {
  testing::TestApp();
  testing::RecordingShell shell;
  AboutWindow about(shell, "/home/user/.local/share/korvex/bin");
  EXPECT_EQ(about.objectName(), QStringLiteral("Form20"));
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Korvex"));
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("version"))->text(),
            QStringLiteral("Version 1.1 (build 1.1.3.57)"));
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("released"))->text(),
            QStringLiteral("Released 12 August 2007"));

  ASSERT_GT(TotalPhysicalMemory(), kMiB);
  const QString memory = about.findChild<QLabel*>(QStringLiteral("memory"))->text();
  const char system_separator = SystemThousandsSeparatorForDisplay();
  const QString separator = QRegularExpression::escape(
      QString(QLatin1Char(system_separator == ',' ? ' ' : system_separator)));
  const QRegularExpression shape(QStringLiteral("^[1-9]\\d{0,2}(") + separator +
                                 QStringLiteral("\\d{3})* MB$"));
  EXPECT_TRUE(shape.match(memory).hasMatch()) << memory.toStdString();

  about.show();
  auto* homepage = about.findChild<LinkLabel*>(QStringLiteral("homepage"));
  EXPECT_EQ(homepage->text(), QString::fromUtf8(kHomePageAddress));
  QTest::mouseClick(homepage, Qt::LeftButton);
  about.homepageClick();  // Help > "Visit homepage"
  EXPECT_EQ(shell.opened, QStringList({kHomePageAddress, kHomePageAddress}));
}

TEST(AboutWindow, ShowsTheDataFolderInUse) {
  testing::TestApp();
  testing::RecordingShell shell;
  const QString folder = QStringLiteral("/opt/Korvex 1.1/ø/bin");  // as the file system names it
  AboutWindow about(shell, QFile::encodeName(folder).toStdString());
  const auto* label = about.findChild<QLabel*>(QStringLiteral("datafolder"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), folder);
  EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
}

TEST(ReportBug, OpensTheMailLinkWithTheSubject) {
  testing::RecordingShell shell;
  ReportBug(shell);
  EXPECT_EQ(shell.opened,
            QStringList({"mailto:bugs@korvex.example.org?subject=Korvex:%20Report%20a%20bug"}));
}

TEST(TutorialsWindow, LinksOpenTheVideosBesideTheProgramAndTheCodecPages) {
  testing::TestApp();
  testing::RecordingShell shell;
  testing::RecordingMessages messages;
  const QString program = QStringLiteral("/opt/Korvex 1.1/ø");  // used as formed
  TutorialsWindow tutorials(DataDirectory(QFile::encodeName(program).toStdString()), shell,
                            messages);
  tutorials.set_shipped_folder("/nonexistent");
  tutorials.ShowWindow();
  struct Case {
    const char* link;
    const char* caption;
    QString target;
  };
  const Case cases[] = {
      {"normal", "Normal expressions", program + "/bin/tutorials/normal expressions.avi"},
      {"simple", "Simple mode", program + "/bin/tutorials/simple mode.avi"},
      {"log", "Insert log", program + "/bin/tutorials/insert log.avi"},
      {"masking", "Answer masking", program + "/bin/tutorials/answer masking.avi"},
      {"conversion", "Output conversion", program + "/bin/tutorials/output conversion.avi"},
      {"plot", "Single plot", program + "/bin/tutorials/single plot.avi"},
      {"variables", "User variables", program + "/bin/tutorials/user variables.avi"},
      {"multiple", "Multiple plots", program + "/bin/tutorials/multiple plots.avi"},
      {"edit", "Edit usage", program + "/bin/tutorials/edit usage.avi"},
      {"derivatives", "Plot derivatives", program + "/bin/tutorials/plot derivatives.avi"},
      {"divx", "Get DivX", kDivxDownloadPage},
      {"xvid", "Get XviD", kXvidDownloadPage},
  };
  for (const Case& c : cases) {
    auto* link = tutorials.findChild<LinkLabel*>(QString::fromUtf8(c.link));
    ASSERT_NE(link, nullptr) << c.link;
    EXPECT_EQ(link->text(), QString::fromUtf8(c.caption));
    shell.opened.clear();
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(shell.opened, QStringList{c.target}) << c.link;
  }
}

// A per-user data folder holds no videos; they open from the shipped data.
TEST(TutorialsWindow, VideosMissingFromTheDataFolderOpenFromTheShippedData) {
  testing::TestApp();
  testing::RecordingShell shell;
  QTemporaryDir user;
  QTemporaryDir shipped;
  QDir(shipped.path()).mkpath(QStringLiteral("tutorials"));
  QFile video(shipped.path() + QStringLiteral("/tutorials/single plot.avi"));
  ASSERT_TRUE(video.open(QIODevice::WriteOnly));
  video.close();
  testing::RecordingMessages messages;
  TutorialsWindow tutorials(DataDirectory(QFile::encodeName(user.path()).toStdString()), shell,
                            messages);
  tutorials.set_shipped_folder(QFile::encodeName(shipped.path()).toStdString());
  tutorials.ShowWindow();
  QTest::mouseClick(tutorials.findChild<LinkLabel*>(QStringLiteral("plot")), Qt::LeftButton);
  EXPECT_EQ(shell.opened, QStringList{video.fileName()});
  shell.opened.clear();
  // Not shipped either: the data folder's path, for the shell to report.
  QTest::mouseClick(tutorials.findChild<LinkLabel*>(QStringLiteral("edit")), Qt::LeftButton);
  EXPECT_EQ(shell.opened,
            QStringList{user.path() + QStringLiteral("/bin/tutorials/edit usage.avi")});
}

// Without a video player the click says so, names the file and offers its
// folder; declined, nothing more is opened.
TEST(TutorialsWindow, WithoutAPlayerTheClickSaysSoAndOffersTheFolder) {
  testing::TestApp();
  testing::RecordingShell shell;
  shell.has_no_program = true;
  testing::RecordingMessages messages;
  QTemporaryDir program;
  TutorialsWindow tutorials(DataDirectory(QFile::encodeName(program.path()).toStdString()), shell,
                            messages);
  tutorials.set_shipped_folder("/nonexistent");
  tutorials.ShowWindow();
  const QString video = program.path() + QStringLiteral("/bin/tutorials/single plot.avi");
  for (const bool open_folder : {true, false}) {
    shell.opened.clear();
    messages.asked.clear();
    messages.answer = open_folder;
    QTest::mouseClick(tutorials.findChild<LinkLabel*>(QStringLiteral("plot")), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.asked.isEmpty(); }));
    EXPECT_TRUE(messages.asked.front().contains(QStringLiteral("No program to play")));
    EXPECT_TRUE(messages.asked.front().contains(video));
    QStringList expected{video};
    if (open_folder) expected << program.path() + QStringLiteral("/bin/tutorials");
    EXPECT_EQ(shell.opened, expected) << open_folder;
  }
}

class VersionHistoryTest : public ::testing::Test {
 protected:
  VersionHistoryTest() : data(directory.path().toStdString()), window(data, messages) {
    QDir(directory.path()).mkpath(QStringLiteral("bin"));
    box = window.findChild<QTextEdit*>(QStringLiteral("history"));
  }
  void WriteHistory(const QByteArray& bytes) {
    QFile file(data.File(kHistoryFile));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  void Reopen() {
    window.close();
    window.ShowWindow();
  }

  QApplication& app = testing::TestApp();  // before any widget
  QTemporaryDir directory;
  DataDirectory data;
  testing::RecordingMessages messages;
  VersionHistoryWindow window;
  QTextEdit* box = nullptr;
};

TEST_F(VersionHistoryTest, ShowsTheRtfFormattedAndReadsItOnce) {
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isReadOnly());
  WriteHistory(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Sans;}}\r\n{\\b\\fs28 Version 1.1\\par}\r\n"
      "- Fixed: caf\\'e9\\par\r\n}\r\n");
  window.ShowWindow();
  EXPECT_EQ(box->toPlainText(), QString::fromUtf8("Version 1.1\n- Fixed: caf\u00e9"));
  const QTextBlock heading = box->document()->firstBlock();
  EXPECT_EQ(heading.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(heading.begin().fragment().charFormat().fontPointSize(), 14);
  EXPECT_NE(heading.next().begin().fragment().charFormat().fontWeight(), QFont::Bold);

  WriteHistory("changed");
  Reopen();
  EXPECT_TRUE(box->toPlainText().startsWith(QStringLiteral("Version 1.1")));
  EXPECT_TRUE(messages.shown.isEmpty());
}

// The file beside the program: every line of it reads as text, none as markup.
TEST(VersionHistoryFile, ShippedHistoryReadsAsText) {
  testing::TestApp();
  const char* from_environment = std::getenv("KORVEX_DATA_DIR");
  ASSERT_NE(from_environment, nullptr);
  const DataDirectory data{std::filesystem::path(from_environment)};
  testing::RecordingMessages messages;
  VersionHistoryWindow window(data, messages);
  window.ShowWindow();
  const QString text = window.findChild<QTextEdit*>(QStringLiteral("history"))->toPlainText();
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_TRUE(text.startsWith(QStringLiteral("Korvex version history"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Version 1.1 (build 1.1.3.57)")));
  EXPECT_FALSE(text.contains(QLatin1Char('\\'))) << text.toStdString();
  EXPECT_FALSE(text.contains(QLatin1Char('{')));
}

TEST_F(VersionHistoryTest, MissingFileGivesItsMessageAtEachOpeningUntilReadable) {
  window.ShowWindow();
  Reopen();
  EXPECT_EQ(messages.shown, QStringList({"Could not find or open 'bin/history.rtf'",
                                         "Could not find or open 'bin/history.rtf'"}));
  EXPECT_TRUE(box->toPlainText().isEmpty());

  // A file that is not RTF is shown as its plain text.
  WriteHistory("Version 1.1\\par <b>");
  Reopen();
  EXPECT_EQ(box->toPlainText(), QStringLiteral("Version 1.1\\par <b>"));
  EXPECT_EQ(messages.shown.size(), 2);
}

TEST(DonateWindow, OkActsOnTheChoiceAndCloses) {
  testing::TestApp();
  const QString page = QStringLiteral(
      "https://payments.example.com/cgi-bin/webscr?cmd=_xclick"
      "&business=donate%40korvex.example.org&item_name=Korvex&no_shipping=1&no_note=1&tax=0"
      "&currency_code=USD&lc=NO&bn=PP%2dDonationsBF&charset=UTF%2d8");
  struct Case {
    const char* choice;  // nullptr: the default
    QStringList opened;
    QStringList shown;
  };
  const Case cases[] = {
      {nullptr, {page}, {"Thank you for choosing to donate"}},
      {"yes", {page}, {"Thank you for choosing to donate"}},
      {"no", {}, {}},
      {"done", {}, {"Thank you for supporting this product!"}},
  };
  for (const Case& c : cases) {
    testing::RecordingShell shell;
    testing::RecordingMessages messages;
    DonateWindow donate(shell, messages);
    EXPECT_EQ(donate.windowTitle(), QStringLiteral("Donate (PayPal)"));
    donate.ShowWindow();
    if (c.choice != nullptr) {
      // On the round indicator, as a user would.
      auto* choice = donate.findChild<QRadioButton*>(QString::fromUtf8(c.choice));
      const int middle = choice->height() / 2;
      QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(middle, middle));
      ASSERT_TRUE(choice->isChecked()) << c.choice;
    }
    QTest::mouseClick(donate.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    const char* name = c.choice ? c.choice : "default";
    EXPECT_FALSE(donate.isVisible()) << name;
    EXPECT_EQ(shell.opened, c.opened) << name;
    EXPECT_EQ(messages.shown, c.shown) << name;
  }
}

TEST(DonationPageAddress, EncodesTheRecipient) {
  EXPECT_EQ(DonationPageAddress(QStringLiteral("https://pay.example.net"),
                                QStringLiteral("a+b&c d@x.org"))
                .toStdString(),
            "https://pay.example.net/cgi-bin/webscr?cmd=_xclick&business=a%2Bb%26c%20d%40x.org"
            "&item_name=Korvex&no_shipping=1&no_note=1&tax=0&currency_code=USD&lc=NO"
            "&bn=PP%2dDonationsBF&charset=UTF%2d8");
}

}  // namespace
}  // namespace korvex
