// File > "Export report...": the list's items solved and plotted on the
// program's worker in a session of the report's own, and written as HTML,
// PDF and Markdown.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <vector>

#include "program_fixture.h"
#include "ui/report_export.h"

namespace korvex::testing {
namespace {

class AnsweringReportDialog : public ReportDialog {
 public:
  std::optional<ReportDestination> Choose(QWidget*, bool can_choose_selected) override {
    ++asked;
    offered_selected = can_choose_selected;
    return answer;
  }
  std::optional<ReportDestination> answer;
  int asked = 0;
  bool offered_selected = false;
};

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ReportExportTest : public ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    Main().set_report_dialog(&dialog_);
    InsertExpression(QStringLiteral("2+3*4"));
    Click(Find<QCheckBox>("plotcheck"));
    InsertExpression(QStringLiteral("x^2"));
  }
  QString OutPath(const QString& name) { return directory_.filePath(name); }
  void Export(const QString& path, bool all_items, QPageSize::PageSizeId size = QPageSize::A4) {
    dialog_.answer = ReportDestination{path, all_items, size};
    Choose("exportreportmenu");
  }

  AnsweringReportDialog dialog_;
};

TEST_F(ReportExportTest, HtmlHoldsStepsAnswerAndEmbeddedGraph) {
  Export(OutPath(QStringLiteral("all.html")), true);
  EXPECT_EQ(dialog_.asked, 1);
  EXPECT_TRUE(dialog_.offered_selected);
  const QByteArray html = ReadFile(OutPath(QStringLiteral("all.html")));
  for (const char* part : {"Step 1 (multiply): 2+12", "<th>Answer</th><td class=\"line\">= 14",
                           "2. Plot: x^2", "<img src=\"data:image/png;base64,iVBOR",
                           "Table (# of points: 201)", "<th>Current function:</th>"})
    EXPECT_TRUE(html.contains(part)) << part;
  EXPECT_TRUE(QFile::exists(OutPath(QStringLiteral("all-plot1.csv"))));
  EXPECT_TRUE(messages_.failures.isEmpty()) << messages_.failures.join('|').toStdString();
}

TEST_F(ReportExportTest, SelectedItemOnlyAsMarkdown) {
  // The plotted item is selected, as the last one inserted.
  Export(OutPath(QStringLiteral("one.md")), false);
  const QByteArray md = ReadFile(OutPath(QStringLiteral("one.md")));
  EXPECT_TRUE(md.contains("## 1. Plot: x^2")) << md.toStdString();
  EXPECT_FALSE(md.contains("2+3*4"));
  EXPECT_TRUE(md.contains("![x^2](one-plot1.png)"));
  EXPECT_TRUE(ReadFile(OutPath(QStringLiteral("one-plot1.png"))).startsWith("\x89PNG"));
}

TEST_F(ReportExportTest, PdfOnA4AndLetter) {
  const std::pair<QPageSize::PageSizeId, const char*> sizes[] = {{QPageSize::A4, "595"},
                                                                 {QPageSize::Letter, "612"}};
  for (const auto& [size, width] : sizes) {
    const QString path = OutPath(QStringLiteral("report-%1.pdf").arg(int(size)));
    Export(path, true, size);
    const QByteArray pdf = ReadFile(path);
    ASSERT_TRUE(pdf.startsWith("%PDF")) << width;
    // The point lists take more than one page.
    const int pages = pdf.count("/Type /Page\n") + pdf.count("/Type /Page ");
    EXPECT_GE(pages, 2) << width;
    EXPECT_TRUE(pdf.contains(QByteArray("/MediaBox [0 0 ") + width)) << width;
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) continue;
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Step 2 (add): 14"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("x: 10 = f(x): 100"))) << width;
    // Every page carries its number and the count.
    for (int page = 1; page <= pages; ++page)
      EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
  }
}

// The text of one page of a PDF, or nothing without pdftotext.
std::optional<QStringList> PdfPageLines(const QString& path, int page) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (pdftotext.isEmpty()) return std::nullopt;
  QProcess process;
  const QString number = QString::number(page);
  process.start(pdftotext, {QStringLiteral("-f"), number, QStringLiteral("-l"), number, path,
                            QStringLiteral("-")});
  if (!process.waitForFinished(30000)) return std::nullopt;
  QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
  lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
  return lines;
}

TEST_F(ReportExportTest, NoPageEndsWithAHeading) {
  // Enough solved items that headings fall at every height of a page.
  Click(Find<QCheckBox>("plotcheck"));
  for (int i = 1; i <= 40; ++i) InsertExpression(QStringLiteral("(%1+2)*3-4/2").arg(i));
  const QString path = OutPath(QStringLiteral("long.pdf"));
  Export(path, true);
  const int pages = ReadFile(path).count("/Type /Page\n");
  ASSERT_GE(pages, 4);
  const QRegularExpression heading(
      QStringLiteral("^(\\d+\\. .*|Solution|Plot info|Table stats|"
                     ".*\\(# of points: [1-9]\\d*\\))$"));
  int steps = 0;
  for (int page = 1; page <= pages; ++page) {
    const std::optional<QStringList> lines = PdfPageLines(path, page);
    if (!lines) GTEST_SKIP() << "pdftotext is not installed";
    for (const QString& line : *lines) steps += line.startsWith(QStringLiteral("Step "));
    ASSERT_GE(lines->size(), 2) << page;
    EXPECT_EQ(lines->last(), QStringLiteral("Page %1 of %2").arg(page).arg(pages));
    const QString before_footer = lines->at(lines->size() - 2);
    EXPECT_FALSE(heading.match(before_footer).hasMatch())
        << "page " << page << " ends with " << before_footer.toStdString();
  }
  // Each step is on exactly one page: none cut, none also left clipped at
  // the foot of the page before. 2+3*4 takes two steps, the others three.
  EXPECT_EQ(steps, 2 + 40 * 3);
}

// The report runs in a session of its own: the Graph's chart, the answer
// box, the stored answer and the error log stay as the user's own requests
// left them, whatever the report's items solve to, fail at or plot.
TEST_F(ReportExportTest, LeavesTheUsersGraphAnswerAndErrorLogAsTheyWere) {
  Click("solve");  // x^2, selected and checked: the user's plot
  Click(Find<QCheckBox>("plotcheck"));
  InsertAndSolve(QStringLiteral("1/0"));
  InsertAndSolve(QStringLiteral("5*5"));
  Click(Find<QCheckBox>("plotcheck"));
  InsertExpression(QStringLiteral("(x"));  // a plot that is refused
  InsertExpression(QStringLiteral("x^3"));

  const Calculator& calculator = Main().calculator();
  const ChartModel& chart = calculator.plots().chart();
  ASSERT_EQ(chart.series_count(), 1u);
  const std::vector<ChartPoint> points = chart.series(1).points();
  ASSERT_EQ(points.size(), 201u);
  const QString answer = Answer();
  ASSERT_EQ(answer, QStringLiteral("= 25"));
  const long double stored = calculator.stored_answer();
  const QString log = ErrorLog();
  ASSERT_TRUE(log.contains(QStringLiteral("Could not calculate '1/0'")));

  Export(OutPath(QStringLiteral("own.md")), true);
  const QByteArray md = ReadFile(OutPath(QStringLiteral("own.md")));
  for (const char* part :
       {"## 1. 2+3\\*4", "| Answer | = 14 |", "## 3. 1/0", "Could not calculate '1/0'",
        "## 5. Plot: (x", "One or more ( ) are unbalanced", "## 6. Plot: x^3",
        "| Current function: | x^3 |", "| Current serie: | 1 |"})
    EXPECT_TRUE(md.contains(part)) << part << " in\n" << md.toStdString();

  ASSERT_EQ(chart.series_count(), 1u);
  EXPECT_EQ(chart.series(1).title(), "x^2");
  const std::vector<ChartPoint> points_after = chart.series(1).points();
  ASSERT_EQ(points_after.size(), points.size());
  for (std::size_t i = 0; i < points.size(); ++i)
    EXPECT_TRUE(points_after[i].x == points[i].x && points_after[i].y == points[i].y) << i;
  EXPECT_EQ(Answer(), answer);
  EXPECT_EQ(calculator.stored_answer(), stored);
  EXPECT_EQ(ErrorLog(), log);
  EXPECT_TRUE(messages_.failures.isEmpty()) << messages_.failures.join('|').toStdString();
}

// Escape stops the report's run as it stops any request: the report is
// written with the items done until then, the stopped plot last.
TEST_F(ReportExportTest, EscapeStopsTheRunAndTheReportEndsThere) {
  Click(Find<QCheckBox>("plotcheck"));
  InsertExpression(QStringLiteral("7*6"));
  PlotSettings& settings = Main().calculator().plot_settings();
  settings.start = "0";
  settings.stop = "100";
  settings.increment = "0,00001";
  const QString path = OutPath(QStringLiteral("stopped.md"));
  dialog_.answer = ReportDestination{path, true, QPageSize::A4};
  Find<QAction>("exportreportmenu")->trigger();
  // Under way in the plot: its samples move the position.
  ASSERT_TRUE(
      QTest::qWaitFor([this] { return Main().calculator().control().position() > 0; }, 30000));
  QTest::keyClick(&Main(), Qt::Key_Escape);
  ASSERT_TRUE(WaitIdle());

  const QByteArray md = ReadFile(path);
  EXPECT_TRUE(md.contains("## 1. 2+3\\*4")) << md.toStdString();
  EXPECT_TRUE(md.contains("## 2. Plot: x^2"));
  EXPECT_FALSE(md.contains("7\\*6"));
  EXPECT_EQ(Main().calculator().plots().chart().series_count(), 0u);
}

TEST_F(ReportExportTest, UnknownExtensionWritesNothing) {
  Export(OutPath(QStringLiteral("report.txt")), true);
  EXPECT_FALSE(QFile::exists(OutPath(QStringLiteral("report.txt"))));
  EXPECT_EQ(messages_.shown.size(), 1);
  dialog_.answer.reset();
  Choose("exportreportmenu");  // cancelled: nothing more is shown
  EXPECT_EQ(messages_.shown.size(), 1);
}

}  // namespace
}  // namespace korvex::testing
