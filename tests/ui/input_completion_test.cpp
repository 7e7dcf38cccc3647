// The main input's completion: which names the name at the caret completes
// to, and the pop-up that shows them with their descriptions, driven from
// the keyboard and the mouse.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QPushButton>

#include "engine/catalogue.h"
#include "program_fixture.h"
#include "ui/input_completion.h"

namespace korvex::testing {
namespace {

QString Applied(const QString& text, const Completion& completion) {
  return text.left(completion.from) + completion.replacement + text.mid(completion.to);
}

TEST(CompletionCandidates, CompleteTheNameBeforeTheCaret) {
  const Catalogue functions = Catalogue::FromLines(
      {"gcd#mi#2#Greatest common divisor", "sin#t#1#Sine", "sinh#h#1#Hyperbolic sine",
       "sum#s#0#Sum of all values", "pi#m#1#A function and a constant of one name"});
  const Catalogue constants = Catalogue::FromLines(
      {"pi#g#3,14159265358979#Ratio of circle", "pisquare#g#9,86960440108936#Pi squared"});
  const std::vector<CompletionName> names = CompletionNames(functions, constants);
  struct Case {
    QString text;
    int caret;
    QStringList history;
    // What each candidate shows and the text and caret after choosing it.
    QStringList lines;
    QStringList results;
    std::vector<int> carets;
  };
  const Case cases[] = {
      {"gc", 2, {}, {"gcd[n1;n2] - Greatest common divisor"}, {"gcd["}, {4}},
      // The caret inside the text; a bracket after it is not doubled.
      {"2*gc+1", 4, {}, {"gcd[n1;n2] - Greatest common divisor"}, {"2*gcd[+1"}, {6}},
      {"gc[4;6]", 2, {}, {"gcd[n1;n2] - Greatest common divisor"}, {"gcd[4;6]"}, {4}},
      // A whole function name still opens its bracket; a whole constant
      // name changes nothing and is not offered.
      {"1+sin",
       5,
       {},
       {"sin[n1] - Sine", "sinh[n1] - Hyperbolic sine"},
       {"1+sin[", "1+sinh["},
       {6, 7}},
      {"su", 2, {}, {"sum[n1;n2;...] - Sum of all values"}, {"sum["}, {4}},
      // A name in both catalogues is offered once, as the function.
      {"2*pi",
       4,
       {},
       {"pi[n1] - A function and a constant of one name",
        "pisquare = 9,86960440108936 - Pi squared"},
       {"2*pi[", "2*pisquare"},
       {5, 10}},
      // Earlier inputs first, only with the caret at the end.
      {"gc",
       2,
       {"gcd[4;6]", "gc", "sin[1]"},
       {"gcd[4;6]", "gcd[n1;n2] - Greatest common divisor"},
       {"gcd[4;6]", "gcd["},
       {8, 4}},
      {"gc+1", 2, {"gc+1+2"}, {"gcd[n1;n2] - Greatest common divisor"}, {"gcd[+1"}, {4}},
      // Names compare exactly; digits, operators and brackets end a name.
      {"Gc", 2, {}, {}, {}, {}},
      {"2*", 2, {}, {}, {}, {}},
      {"12", 2, {}, {}, {}, {}},
      {"", 0, {}, {}, {}, {}},
      // A caret outside the text is taken as its end.
      {"gc", 99, {}, {"gcd[n1;n2] - Greatest common divisor"}, {"gcd["}, {4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString() + " caret " + std::to_string(c.caret));
    QStringList lines, results;
    std::vector<int> carets;
    for (const Completion& completion : CompletionCandidates(c.text, c.caret, names, c.history)) {
      lines << CompletionLine(completion);
      results << Applied(c.text, completion);
      carets.push_back(completion.caret);
    }
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(results, c.results);
    EXPECT_EQ(carets, c.carets);
  }
}

class CompletionPopupTest : public ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    SetAutoComplete(true);
  }
  // Through General options, as a user turns it on or off.
  void SetAutoComplete(bool on) {
    Choose("generalmenu");
    QWidget* dialog = windows_->general_options;
    ASSERT_TRUE(WaitActive(dialog));
    auto* check = Child<QCheckBox>(dialog, "autocheck");
    if (check->isChecked() != on) check->click();
    Click(Child<QPushButton>(dialog, "ok"));
    ASSERT_TRUE(WaitActive(&Main()));
  }
  // Types `typed` with the caret between `before` and `after`.
  void TypeAt(const QString& before, const QString& after, const QString& typed) {
    Input()->clear();
    Type(before + after);
    Input()->setCursorPosition(static_cast<int>(before.size()));
    QTest::keyClicks(Input(), typed);
  }
  static QAbstractItemView* Popup() {
    return qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
  }
  static QStringList PopupLines() {
    QStringList lines;
    if (QAbstractItemView* popup = Popup())
      for (int row = 0; row < popup->model()->rowCount(); ++row)
        lines << popup->model()->index(row, 0).data().toString();
    return lines;
  }
  // A key where a user's goes: to the pop-up while it is open.
  void Key(Qt::Key key) {
    QWidget* target = QApplication::activePopupWidget();
    if (target == nullptr) target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key);
    ASSERT_TRUE(WaitIdle());
  }
  // A pop-up line as the catalogues give it.
  QString FunctionLine(const std::string& name, const QString& parameters) {
    const Catalogue& functions = Main().calculator().catalogues().functions;
    return QString::fromStdString(name) + parameters + " - " +
           Field(functions, name, functions.descriptions());
  }
  QString ConstantLine(const std::string& name) {
    const Catalogue& constants = Main().calculator().catalogues().constants;
    return QString::fromStdString(name) + " = " + Field(constants, name, constants.thirds()) +
           " - " + Field(constants, name, constants.descriptions());
  }
  static QString Field(const Catalogue& catalogue, const std::string& name,
                       const std::vector<std::string>& field) {
    const auto index = catalogue.Find(name);
    return index ? QString::fromStdString(field[*index])
                 : "<no " + QString::fromStdString(name) + ">";
  }
};

TEST_F(CompletionPopupTest, EnterOrTabInsertsTheChosenNameAndKeepsTheFocus) {
  struct Case {
    QString before, after, typed;
    std::vector<Qt::Key> keys;
    QString text;
    int caret;
  };
  const Case cases[] = {
      {"", "", "gc", {Qt::Key_Down, Qt::Key_Return}, "gcd[", 4},
      {"", "", "gc", {Qt::Key_Tab}, "gcd[", 4},
      {"", "", "gc", {Qt::Key_Down, Qt::Key_Enter}, "gcd[", 4},
      {"2*", "+1", "gc", {Qt::Key_Down, Qt::Key_Return}, "2*gcd[+1", 6},
      {"", "[4;6]", "gc", {Qt::Key_Tab}, "gcd[4;6]", 4},
      {"2*", "", "lights", {Qt::Key_Tab}, "2*lightspeed", 12},
      // Up from nothing picks the last entry; the second Down wraps to none,
      // where Enter closes the pop-up and leaves the text.
      {"", "", "sinh", {Qt::Key_Up, Qt::Key_Return}, "sinhc[", 6},
      {"", "", "gc", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, "gc", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.before + "|" + c.typed + "|" + c.after).toStdString());
    TypeAt(c.before, c.after, c.typed);
    ASSERT_NE(Popup(), nullptr);
    for (Qt::Key key : c.keys) Key(key);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(Input()->text(), c.text);
    EXPECT_EQ(Input()->cursorPosition(), c.caret);
    EXPECT_TRUE(Input()->hasFocus());
    // The key went to the pop-up only: nothing was inserted or solved.
    EXPECT_TRUE(Items().isEmpty());
    EXPECT_TRUE(Answer().isEmpty());
  }
  // Once closed, Enter inserts the expression again, and Ctrl+Z in the
  // input takes a completion back.
  Key(Qt::Key_Return);
  EXPECT_EQ(Items(), QStringList{"gc"});
  TypeAt("", "", "gc");
  Key(Qt::Key_Tab);
  ASSERT_EQ(Input()->text(), "gcd[");
  QTest::keyClick(Input(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Input()->text(), "gc");
  EXPECT_EQ(Items(), QStringList{"gc"});
}

TEST_F(CompletionPopupTest, EntriesExplainTheNameAndEscapeLeavesTheText) {
  TypeAt("", "", "gc");
  ASSERT_NE(Popup(), nullptr);
  EXPECT_EQ(PopupLines(), QStringList{FunctionLine("gcd", "[n1;n2]")});
  Key(Qt::Key_Escape);
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(Input()->text(), "gc");
  EXPECT_TRUE(Input()->hasFocus());
  EXPECT_TRUE(Items().isEmpty());

  // Constants show their value; earlier inputs come first, as typed.
  Input()->clear();
  InsertExpression("2*lightyear");
  TypeAt("", "", "2*light");
  EXPECT_EQ(PopupLines(),
            (QStringList{"2*lightyear", ConstantLine("lightspeed"), ConstantLine("lightyear")}));
  Key(Qt::Key_Escape);

  // With the option off, nothing pops up and Enter inserts at once.
  SetAutoComplete(false);
  TypeAt("", "", "gc");
  EXPECT_EQ(Popup(), nullptr);
  Key(Qt::Key_Return);
  EXPECT_EQ(Items(), (QStringList{"2*lightyear", "gc"}));
}

TEST_F(CompletionPopupTest, AClickOnAnEntryInsertsIt) {
  TypeAt("2*", "+1", "gc");
  QAbstractItemView* popup = Popup();
  ASSERT_NE(popup, nullptr);
  const QModelIndex entry = popup->model()->index(0, 0);
  QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(entry).center());
  EXPECT_TRUE(QTest::qWaitFor([] { return Popup() == nullptr; }));
  EXPECT_EQ(Input()->text(), "2*gcd[+1");
  EXPECT_EQ(Input()->cursorPosition(), 6);
  EXPECT_TRUE(Items().isEmpty());
}

}  // namespace
}  // namespace korvex::testing
