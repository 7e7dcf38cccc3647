// Feedback while typing: the preview line under the input, the input's
// colours and marks, and the switch that turns the preview off for good.
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>

#include "program_fixture.h"
#include "ui/input_highlighter.h"
#include "ui/live_preview.h"
#include "ui/preview_line.h"

namespace korvex::testing {
namespace {

class LivePreviewTest : public ProgramFixture {
 protected:
  PreviewLine* Line() { return Find<PreviewLine>("previewline"); }
  InputHighlighter* Highlighter() { return Main().live_preview()->highlighter(); }
  // Types `text` into an empty input and waits for its preview.
  QString PreviewOf(const QString& text) {
    Input()->clear();
    Type(text);
    const bool shown =
        QTest::qWaitFor([this] { return Line()->kind() != Preview::Kind::kNothing; }, 10000);
    return shown ? Line()->text() : QStringLiteral("<nothing shown>");
  }
  // The format drawn over the text's characters [start, start + length).
  QTextCharFormat FormatAt(int start, int length) {
    for (const QTextLayout::FormatRange& range : Highlighter()->formats())
      if (range.start == start && range.length == length) return range.format;
    return {};
  }
  bool Wavy(int start, int length) {
    for (const QTextLayout::FormatRange& range : Highlighter()->formats())
      if (range.start <= start && range.start + range.length >= start + length &&
          range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
        return true;
    return false;
  }
  // Every file of the data folder with its size and time.
  QStringList DataFiles() {
    QStringList files;
    QDirIterator it(QString::fromStdString(Directory().string()), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QFileInfo info(it.next());
      files << info.filePath() + " " + QString::number(info.size()) + " " +
                   QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
  }
};

TEST_F(LivePreviewTest, ShowsWhatEnterWouldGiveAndChangesNothingElse) {
  InsertAndSolve("5");
  const QString answer = Answer();
  const QStringList items = Items();
  const QString errors = ErrorLog();
  const QString steps = SolutionText();
  const long double stored = Main().calculator().stored_answer();
  const QStringList files = DataFiles();

  EXPECT_EQ(PreviewOf("2+3*4"), "= 14");
  EXPECT_EQ(PreviewOf("ans*3"), "= 15");
  EXPECT_EQ(PreviewOf("gcd[12]"), "Function error: Function 'gcd' need 2 parameter(s), got 1");
  EXPECT_EQ(PreviewOf("1/0").isEmpty(), false);

  EXPECT_EQ(Answer(), answer);
  EXPECT_EQ(Items(), items);
  EXPECT_EQ(ErrorLog(), errors);
  EXPECT_EQ(SolutionText(), steps);
  EXPECT_EQ(Main().calculator().stored_answer(), stored);
  EXPECT_EQ(DataFiles(), files);
  // An emptied input shows nothing.
  Input()->clear();
  EXPECT_EQ(Line()->kind(), Preview::Kind::kNothing);
}

TEST_F(LivePreviewTest, MarksUnknownNamesUnbalancedBracketsAndTheFailurePlace) {
  PreviewOf("2+foo[1]");
  EXPECT_TRUE(Wavy(2, 3));   // foo
  EXPECT_FALSE(Wavy(0, 1));  // 2
  PreviewOf("2*(1+3");
  EXPECT_TRUE(Wavy(2, 1));  // the "(" left open
  EXPECT_FALSE(Wavy(4, 1));
  // A failure the scanner cannot see is marked where the engine found it.
  EXPECT_EQ(PreviewOf("gcd[12]+1"), "Function error: Function 'gcd' need 2 parameter(s), got 1");
  EXPECT_TRUE(Wavy(0, 7));
}

TEST_F(LivePreviewTest, ColoursTokensByKindAndPairsTheBracketAtTheCaret) {
  Type("2+pi*gcd[4;6]");
  const QColor number = FormatAt(0, 1).foreground().color();
  const QColor op = FormatAt(1, 1).foreground().color();
  const QColor constant = FormatAt(2, 2).foreground().color();
  const QColor function = FormatAt(5, 3).foreground().color();
  const QColor bracket = FormatAt(8, 1).foreground().color();
  const QList<QColor> colours{number, op, constant, function, bracket};
  for (int a = 0; a < colours.size(); ++a)
    for (int b = a + 1; b < colours.size(); ++b) EXPECT_NE(colours[a], colours[b]) << a << b;
  // The caret stands after "]": both brackets of the call are highlighted.
  const QColor highlight = Input()->palette().color(QPalette::Highlight);
  EXPECT_EQ(FormatAt(12, 1).background().color(), highlight);
  EXPECT_EQ(FormatAt(8, 1).background().color(), highlight);
  Input()->setCursorPosition(0);
  EXPECT_NE(FormatAt(8, 1).background().color(), highlight);
}

TEST_F(LivePreviewTest, KindColoursStandOutOnLightAndDarkBases) {
  for (const QColor base : {QColor(Qt::white), QColor(30, 30, 30)}) {
    QPalette palette;
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, base.lightness() < 128 ? Qt::white : Qt::black);
    for (const InputTokenKind kind :
         {InputTokenKind::kNumber, InputTokenKind::kConstant, InputTokenKind::kVariable,
          InputTokenKind::kFunction, InputTokenKind::kOperator, InputTokenKind::kBracket,
          InputTokenKind::kLiteral}) {
      const QColor colour = InputHighlighter::KindColour(kind, palette);
      EXPECT_GE(std::abs(colour.lightness() - base.lightness()), 80)
          << static_cast<int>(kind) << " on " << base.name().toStdString();
    }
  }
}

TEST_F(LivePreviewTest, SketchesThePlotWhileThePlotBoxIsTicked) {
  Find<QCheckBox>("plotcheck")->setChecked(true);
  const QString text = PreviewOf("x^2");
  EXPECT_EQ(Line()->kind(), Preview::Kind::kSketch);
  EXPECT_EQ(text, "y from 0 to 100");
  EXPECT_EQ(Line()->sketch().size(), 201u);
  // x is the plot variable now, not an unknown name.
  EXPECT_FALSE(Wavy(0, 1));
  EXPECT_EQ(Main().calculator().plots().chart().series_count(), 0u);
}

TEST_F(LivePreviewTest, TurnedOffInGeneralOptionsStaysOffAfterARestart) {
  Choose("generalmenu");
  QWidget* dialog = windows_->general_options;
  ASSERT_TRUE(WaitActive(dialog));
  auto* check = Child<QCheckBox>(dialog, "previewcheck");
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(check->isChecked());
  Child<QTabWidget>(dialog, "generalbox")->setCurrentWidget(check->parentWidget());
  check->click();
  Click(Child<QPushButton>(dialog, "ok"));
  EXPECT_EQ(FileLines("preferences.ini"), Lines{"live_preview=0"});
  // general.ini keeps its own lines only.
  for (const std::string& line : FileLines("general.ini"))
    EXPECT_EQ(line.find("preview"), std::string::npos);

  Type("2+3");
  QTest::qWait(300);
  EXPECT_FALSE(Line()->isVisible());
  EXPECT_EQ(Line()->kind(), Preview::Kind::kNothing);

  windows_.reset();
  windows_ = std::make_unique<ProgramWindows>(Directory(), messages_, shell_);
  Main().start_up_hooks().show_splash = nullptr;
  Main().show();
  ASSERT_TRUE(WaitActive(&Main()));
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Panel(1).isEmpty(); }));
  EXPECT_FALSE(Main().live_preview()->enabled());
  Type("2+3");
  QTest::qWait(300);
  EXPECT_EQ(Line()->kind(), Preview::Kind::kNothing);
}

TEST_F(LivePreviewTest, SimpleModeShowsThePreviewToo) {
  Choose("simplemodemenu");
  SimpleWindow* simple = windows_->simple;
  ASSERT_TRUE(WaitActive(simple));
  auto* input = Child<QLineEdit>(simple, "input");
  input->setFocus();
  QTest::keyClicks(input, "6*7");
  auto* line = Child<PreviewLine>(simple, "previewline");
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([line] { return line->text() == "= 42"; }, 10000));
  EXPECT_TRUE(Items().isEmpty());
}

}  // namespace
}  // namespace korvex::testing
