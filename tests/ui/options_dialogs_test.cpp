// Mask options and General options: preview, OK/Cancel/Default with their
// files, the effect on the next answer and the status bar, the input
// options, and the insertion log with its page.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "program_fixture.h"

namespace korvex::testing {
namespace {

class OptionsTest : public ProgramFixture {
 protected:
  QWidget* MaskDialog() { return windows_->mask_options; }
  QWidget* GeneralDialog() { return windows_->general_options; }
  QWidget* Open(const char* menu_entry, QWidget* dialog) {
    Choose(menu_entry);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_TRUE(WaitActive(dialog));
    return dialog;
  }
  QWidget* OpenMask() { return Open("maskmenu", MaskDialog()); }
  QWidget* OpenGeneral() { return Open("generalmenu", GeneralDialog()); }
  void Press(QWidget* dialog, const char* button) {
    Click(Child<QPushButton>(dialog, button));
    EXPECT_FALSE(dialog->isVisible()) << button;
    ASSERT_TRUE(WaitActive(&Main()));
  }
  static void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  QString Preview() { return Child<QLabel>(MaskDialog(), "preview")->text(); }
  // Chooses a number system with the keyboard, as a user would.
  void ChooseNumberSystem(const QString& entry) {
    auto* numbersys = Child<QComboBox>(GeneralDialog(), "numbersys");
    const int wanted = numbersys->findText(entry);
    ASSERT_GE(wanted, 0) << entry.toStdString();
    numbersys->setFocus();
    while (numbersys->currentIndex() < wanted) QTest::keyClick(numbersys, Qt::Key_Down);
    while (numbersys->currentIndex() > wanted) QTest::keyClick(numbersys, Qt::Key_Up);
  }
  void StepPrecisionTo(int value) {
    auto* precision = Child<QSpinBox>(GeneralDialog(), "precision");
    precision->setFocus();
    while (precision->value() < value) QTest::keyClick(precision, Qt::Key_Up);
    while (precision->value() > value) QTest::keyClick(precision, Qt::Key_Down);
  }
  QCheckBox* Check(const char* name) { return Child<QCheckBox>(GeneralDialog(), name); }
  // Clicks a check box on its box, not on the empty width beside its text.
  void Tick(const char* name) {
    QCheckBox* check = Check(name);
    ASSERT_NE(check, nullptr) << name;
    const bool was = check->isChecked();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
    ASSERT_NE(check->isChecked(), was) << name;
  }
};

TEST_F(OptionsTest, MaskOkSavesAndShapesTheNextAnswer) {
  QWidget* dialog = OpenMask();
  EXPECT_EQ(Preview(), "= 0");  // nothing solved yet
  dialog->close();

  struct Case {
    QString mask;
    QString expression;
    QString answer;
  };
  const Case cases[] = {
      {"0.00", "2/3", "= 0,67"},           {"#.##", "0,5", "= ,5"},
      {"00000", "42", "= 00042"},          {"0.0;(0.0);'zero'", "0-2", "= (2,0)"},
      {"0.0;(0.0);'zero'", "0", "= zero"}, {"'Total: '0.00", "0-5", "= -Total: 5,00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask.toStdString());
    InsertAndSolve(c.expression);
    dialog = OpenMask();
    Retype(Child<QLineEdit>(dialog, "mask"), c.mask);
    EXPECT_EQ(Preview(), c.answer);  // the preview follows the stored answer
    Press(dialog, "ok");
    EXPECT_EQ(FileLines("mask.ini"), (Lines{"= ", c.mask.toStdString(), ""}));
    EXPECT_EQ(Panel(2), "= " + c.mask);
    InsertAndSolve(c.expression);
    EXPECT_EQ(Answer(), c.answer);
  }
}

TEST_F(OptionsTest, MaskCancelAndCloseDiscardDefaultIsNotSaved) {
  QWidget* dialog = OpenMask();
  Retype(Child<QLineEdit>(dialog, "suffix"), " units");
  EXPECT_EQ(Preview(), "= 0 units");
  Press(dialog, "cancel");
  EXPECT_EQ(FileLines("mask.ini"), (Lines{"= ", "", ""}));
  EXPECT_TRUE(Child<QLineEdit>(dialog, "suffix")->text().isEmpty());
  InsertAndSolve("4");
  EXPECT_EQ(Answer(), "= 4");

  // Saved settings, then Default: the boxes show the defaults, the file
  // keeps the saved ones until OK.
  dialog = OpenMask();
  Retype(Child<QLineEdit>(dialog, "prefix"), "x=");
  Press(dialog, "ok");
  EXPECT_EQ(Panel(2), "x=");
  dialog = OpenMask();
  Click(Child<QPushButton>(dialog, "defaultbutton"));
  EXPECT_EQ(Child<QLineEdit>(dialog, "prefix")->text(), "= ");
  EXPECT_EQ(Preview(), "= 4");
  EXPECT_EQ(FileLines("mask.ini"), (Lines{"x=", "", ""}));
  dialog->close();  // the close box discards like Cancel
  EXPECT_EQ(Child<QLineEdit>(dialog, "prefix")->text(), "x=");
  ASSERT_TRUE(WaitActive(&Main()));
  InsertAndSolve("5");
  EXPECT_EQ(Answer(), "x=5");
}

TEST_F(OptionsTest, ARefusedMaskIsToldUnderItsFieldAndKeepsTheAnswer) {
  InsertAndSolve("3");
  QWidget* dialog = OpenMask();
  const int width = dialog->width();
  auto* mask = Child<QLineEdit>(dialog, "mask");
  auto* refusal = Child<QLabel>(dialog, "maskrefusal");
  ASSERT_NE(refusal, nullptr);
  EXPECT_FALSE(refusal->isVisible());
  // A long preview stays inside the dialog.
  mask->setText(QString(223, QLatin1Char('0')));
  EXPECT_EQ(Preview().size(), 225);
  EXPECT_EQ(dialog->width(), width);
  // Typed past the limit, key by key: told once under the field, never in a box.
  mask->setFocus();
  QTest::keyClicks(mask, QStringLiteral("000"));
  EXPECT_TRUE(refusal->isVisible());
  EXPECT_EQ(refusal->text(), "Format string too long.");
  EXPECT_TRUE(Preview().isEmpty());
  EXPECT_TRUE(messages_.failures.isEmpty());
  EXPECT_EQ(dialog->width(), width);
  QTest::keyClick(mask, Qt::Key_Backspace);
  EXPECT_TRUE(refusal->isVisible());
  QTest::keyClick(mask, Qt::Key_Backspace);
  EXPECT_FALSE(refusal->isVisible());
  EXPECT_FALSE(Preview().isEmpty());
  QTest::keyClicks(mask, QStringLiteral("0"));
  Press(dialog, "ok");
  EXPECT_TRUE(messages_.failures.isEmpty());
  messages_.failures.clear();
  InsertAndSolve("1024");
  EXPECT_EQ(messages_.failures, QStringList{"Format string too long."});
  EXPECT_EQ(Answer(), "= 3");
  EXPECT_EQ(Panel(0), "11 bit");  // the bit count and stored answer are already new
  EXPECT_TRUE(ErrorLog().isEmpty());
  // The dialog still opens, so the mask can be put right.
  dialog = OpenMask();
  Retype(Child<QLineEdit>(dialog, "mask"), "0");
  EXPECT_EQ(Preview(), "= 1024");
  Press(dialog, "ok");
  InsertAndSolve("ans");
  EXPECT_EQ(Answer(), "= 1024");
}

TEST_F(OptionsTest, NumberSystemsAndDecimalOptionsChangeTheNextAnswer) {
  struct Case {
    QString system;
    int precision;
    bool scientific;
    bool point;
    QString expression;
    QString answer;
  };
  const Case cases[] = {
      {"Hexadecimal (base 16)", 32, false, false, "10,5", "0 A 8"},
      {"Binary (base 2)", 32, false, false, "0-5", "1 1011 "},
      {"Hexadecimal (base 16)", 8, false, false, "1/3", "0 0 55"},
      {"Octal (base 8)", 8, false, false, "1/3", "0 0 252"},
      {"Decimal (base 10)", 32, false, true, "3,5", "= 3.5"},
      {"Decimal (base 10)", 32, true, false, "12345", "1,2345*10^4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.system + " " + c.expression).toStdString());
    QWidget* dialog = OpenGeneral();
    Click(Child<QPushButton>(dialog, "defaultbutton"));
    ChooseNumberSystem(c.system);
    const bool decimal = c.system == "Decimal (base 10)";
    EXPECT_EQ(Child<QSpinBox>(dialog, "precision")->isEnabled(), !decimal);
    EXPECT_EQ(Check("scicheck")->isEnabled(), decimal);
    EXPECT_EQ(Check("pointcheck")->isEnabled(), decimal);
    if (!decimal) StepPrecisionTo(c.precision);
    if (c.scientific) Tick("scicheck");
    if (c.point) Tick("pointcheck");
    Press(dialog, "ok");
    EXPECT_EQ(Panel(1), c.system);
    InsertAndSolve(c.expression);
    EXPECT_EQ(Answer(), c.answer);
  }
  EXPECT_EQ(FileLines("general.ini"), (Lines{"1", "0", "1", "1000", "8000", "1", "32", "1", "0"}));
  // "Copy answer" copies the plain number with the separator in force.
  QTest::keyClick(Input(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "12345");
}

TEST_F(OptionsTest, ConversionBeyond48BitsIsReportedAsAConversionError) {
  QWidget* dialog = OpenGeneral();
  ChooseNumberSystem("Hexadecimal (base 16)");
  Press(dialog, "ok");
  InsertAndSolve("2^48-1");
  EXPECT_EQ(Answer(), "0 FFFFFFFFFFFF ");
  InsertAndSolve("2^48");
  EXPECT_EQ(Answer(), "Conversion error, see (View/Error log)");
  EXPECT_EQ(Panel(0), "49 bit");
  EXPECT_TRUE(ErrorLog().endsWith("] Max 48 bit conversion"));
  EXPECT_TRUE(messages_.failures.isEmpty());
}

TEST_F(OptionsTest, GeneralCancelAndDefaultLeaveTheFileAlone) {
  QWidget* dialog = OpenGeneral();
  ChooseNumberSystem("Binary (base 2)");
  Tick("storecheck");
  auto* loop = Child<QSpinBox>(dialog, "loop");
  loop->setFocus();
  QTest::keyClick(loop, Qt::Key_Up);
  EXPECT_EQ(loop->value(), 1500);
  Press(dialog, "cancel");
  EXPECT_EQ(Panel(1), "Decimal (base 10)");
  EXPECT_EQ(FileLines("general.ini"), (Lines{"1", "0", "1", "1000", "8000", "1", "32", "0", "0"}));
  EXPECT_EQ(Child<QComboBox>(dialog, "numbersys")->currentText(), "Decimal (base 10)");
  EXPECT_TRUE(Check("storecheck")->isChecked());

  dialog = OpenGeneral();
  QTest::keyClick(loop, Qt::Key_Up);
  Press(dialog, "ok");
  // The next request reads it.
  const Calculator& calculator = Main().calculator();
  EXPECT_EQ(calculator.Snapshot(calculator.session()).general.loop_limit, 1500);
  dialog = OpenGeneral();
  Click(Child<QPushButton>(dialog, "defaultbutton"));
  EXPECT_EQ(loop->value(), 1000);
  EXPECT_EQ(FileLines("general.ini")[3], "1500");
  Press(dialog, "cancel");
  EXPECT_EQ(loop->value(), 1500);
}

TEST_F(OptionsTest, StoreInputAndAutoCompleteFollowTheirOptions) {
  QWidget* dialog = OpenGeneral();
  Tick("storecheck");
  Tick("autocheck");
  Press(dialog, "ok");
  InsertExpression("1+1");
  EXPECT_EQ(Find<QComboBox>("input")->count(), 0);

  // A name being typed completes from the catalogues.
  Type("2*gc");
  auto* completions = qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
  ASSERT_NE(completions, nullptr);
  QStringList offered;
  for (int row = 0; row < completions->model()->rowCount(); ++row)
    offered << completions->model()->index(row, 0).data().toString();
  ASSERT_FALSE(offered.isEmpty());
  EXPECT_TRUE(offered.front().startsWith("gcd[n1;n2] - ")) << offered.join(",").toStdString();
  QTest::keyClick(completions, Qt::Key_Down);
  QTest::keyClick(completions, Qt::Key_Return);
  EXPECT_EQ(Input()->text(), "2*gcd[");
  EXPECT_EQ(Items(), QStringList{"1+1"});  // choosing did not insert
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  // With the option off nothing is offered.
  Input()->clear();
  dialog = OpenGeneral();
  Tick("autocheck");
  Press(dialog, "ok");
  Type("2*gc");
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(OptionsTest, InsertionLogFollowsLogEvaluateInput) {
  for (const char* text : {"2+2", "2+2", "Sin[1]", "sin[1]"}) InsertExpression(text);
  EXPECT_EQ(FileLines("log.ini"), (Lines{"2+2", "Sin[1]", "sin[1]"}));
  // A replacement through the Edit window is logged when it is new.
  Find<QAction>("edititem")->trigger();
  ASSERT_TRUE(WaitActive(windows_->edit));
  auto* edit = Child<QLineEdit>(windows_->edit, "edit");
  Retype(edit, "3+3");
  Click(Child<QPushButton>(windows_->edit, "replace"));
  EXPECT_EQ(FileLines("log.ini"), (Lines{"2+2", "Sin[1]", "sin[1]", "3+3"}));

  // With logging off, nothing touches log.ini.
  ASSERT_TRUE(WaitActive(&Main()));
  QWidget* dialog = OpenGeneral();
  Tick("logcheck");
  Press(dialog, "ok");
  InsertExpression("9*9");
  EXPECT_EQ(FileLines("log.ini").size(), 4u);

  // "Insert log" refills an empty list only.
  Find<QAction>("insertlog")->trigger();
  EXPECT_EQ(Items(), (QStringList{"2+2", "2+2", "Sin[1]", "3+3", "9*9"}));
  Click("clear");
  Choose("insertlogmenu");
  EXPECT_EQ(Items(), (QStringList{"2+2", "Sin[1]", "sin[1]", "3+3"}));
  EXPECT_EQ(List()->currentRow(), 3);
  for (int row = 0; row < List()->count(); ++row)
    EXPECT_EQ(List()->item(row)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(Find<QPushButton>("solve")->isEnabled());
}

TEST_F(OptionsTest, LogPageShowsAndClearsTheLogAtOnce) {
  // Without log.ini, "Insert log" creates an empty one.
  Find<QAction>("insertlog")->trigger();
  EXPECT_TRUE(Items().isEmpty());
  EXPECT_EQ(FileLines("log.ini"), Lines{});

  InsertExpression("1+2");
  InsertExpression("3*4");
  QWidget* dialog = OpenGeneral();
  auto* log = Child<QPlainTextEdit>(dialog, "log");
  EXPECT_EQ(log->toPlainText(), "1+2\n3*4");
  Click(Child<QPushButton>(dialog, "clear"));
  EXPECT_TRUE(log->toPlainText().isEmpty());
  EXPECT_EQ(std::filesystem::file_size(BinFile("log.ini")), 0u);
  Press(dialog, "cancel");  // does not undo the clearing
  EXPECT_EQ(FileLines("log.ini"), Lines{});

  // A log deleted while the box still shows lines is written back.
  InsertExpression("5-1");
  dialog = OpenGeneral();
  EXPECT_EQ(log->toPlainText(), "5-1");
  Press(dialog, "cancel");
  std::filesystem::remove(BinFile("log.ini"));
  dialog = OpenGeneral();
  EXPECT_EQ(FileLines("log.ini"), Lines{"5-1"});
  Press(dialog, "cancel");
}

}  // namespace
}  // namespace korvex::testing
