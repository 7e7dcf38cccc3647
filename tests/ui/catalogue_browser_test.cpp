// The Functions and Constants windows: category filter, search, information
// and insertion at the main window's remembered caret, and "Last insertion".
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "program_fixture.h"

namespace korvex::testing {
namespace {

class CatalogueBrowserTest : public ProgramFixture {
 protected:
  // Opens a browser through its Insert menu entry.
  QWidget* Open(const char* menu_entry, QWidget* window) {
    Choose(menu_entry);
    EXPECT_TRUE(WaitActive(window));
    return window;
  }
  QWidget* Functions() { return Open("functionmenu", windows_->functions); }
  QWidget* Constants() { return Open("constantmenu", windows_->constants); }

  // Types into the main input and leaves the caret at `caret`, then waits
  // until the main window's caret sampler has seen it.
  void PrepareInput(const QString& text, int caret) {
    ASSERT_TRUE(WaitActive(&Main()));
    Type(text);
    Input()->setCursorPosition(caret);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main().caret_position() == caret; }));
  }

  static QStringList Shown(QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
    return names;
  }
  static void ClickItem(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found[0]).center());
  }
};

TEST_F(CatalogueBrowserTest, CategoriesFilterTheListAndCountIt) {
  QWidget* window = Functions();
  auto* category = Child<QComboBox>(window, "category");
  auto* list = Child<QListWidget>(window, "function");
  const Catalogue& catalogue = Main().calculator().catalogues().functions;
  ASSERT_EQ(category->count(), 13);
  EXPECT_EQ(category->currentText(), "All");
  EXPECT_EQ(list->count(), static_cast<int>(catalogue.size()));
  EXPECT_EQ(Child<QLabel>(window, "count")->text(), QString::number(catalogue.size()));

  struct Case {
    QString title;
    std::string letter;
    QString member;
  };
  const Case cases[] = {
      {"Math (Integer)", "mi", "gcd"},
      {"Trigonometric", "t", "sin"},
      {"Statistic", "s", "mean"},
      {"Hyperbolic", "h", "sinh"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title.toStdString());
    category->setCurrentIndex(category->findText(c.title));
    QStringList expected;
    for (size_t i = 0; i < catalogue.size(); ++i)
      if (catalogue.categories()[i] == c.letter)
        expected << QString::fromStdString(catalogue.names()[i]);
    EXPECT_EQ(Shown(list), expected);
    EXPECT_TRUE(expected.contains(c.member));
    EXPECT_EQ(Child<QLabel>(window, "count")->text(), QString::number(expected.size()));
  }
}

TEST_F(CatalogueBrowserTest, SelectionShowsTheFormulaAndInsertsAtTheCaret) {
  struct Case {
    QString name;
    QString formula;
    QString inserted;
    QString input_after;
  };
  const Case cases[] = {
      {"gcd", "gcd[n1;n2]", "gcd[;]", "2*gcd[;]+1"},
      {"sin", "sin[n1]", "sin[]", "2*sin[]+1"},
      {"sum", "sum[n1;n2;...]", "sum[", "2*sum[+1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    Input()->clear();
    PrepareInput("2*+1", 2);
    QWidget* window = Functions();
    auto* list = Child<QListWidget>(window, "function");
    ClickItem(list, c.name);
    EXPECT_EQ(Child<QLabel>(window, "formula")->text(), c.formula);
    const auto index = Main().calculator().catalogues().functions.Find(c.name.toStdString());
    ASSERT_TRUE(index.has_value());
    EXPECT_EQ(Child<QPlainTextEdit>(window, "info")->toPlainText().toStdString(),
              Main().calculator().catalogues().functions.descriptions()[*index]);
    Click(Child<QPushButton>(window, "insert"));
    EXPECT_EQ(Input()->text(), c.input_after);
    EXPECT_EQ(Main().last_insertion(), c.inserted);
    EXPECT_TRUE(Find<QPushButton>("insert")->isEnabled());
    window->hide();
  }
}

TEST_F(CatalogueBrowserTest, EnterInTheListInsertsTheSelectionAtTheCaret) {
  struct Case {
    const char* menu_entry;
    QWidget* window;
    const char* list;
    QString name;
    QString input_after;
  };
  const Case cases[] = {
      {"functionmenu", windows_->functions, "function", "gcd", "2*gcd[;]+1"},
      {"constantmenu", windows_->constants, "constant", "pi", "2*pi+1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    Input()->clear();
    PrepareInput("2*+1", 2);
    QWidget* window = Open(c.menu_entry, c.window);
    // A search typed but not started stays so: Enter in the list is not "Go".
    auto* search = Child<QLineEdit>(window, "search");
    search->setFocus();
    QTest::keyClicks(search, "sin");
    auto* list = Child<QListWidget>(window, c.list);
    ClickItem(list, c.name);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Input()->text(), c.input_after);
    EXPECT_EQ(Input()->cursorPosition(), c.input_after.indexOf("+1"));
    EXPECT_EQ(search->text(), "sin");
    EXPECT_TRUE(messages_.shown.isEmpty());
    search->clear();
    window->hide();
  }
}

TEST_F(CatalogueBrowserTest, SearchFindsExactLowerCaseNamesOrSaysWhy) {
  QWidget* window = Functions();
  auto* search = Child<QLineEdit>(window, "search");
  auto* go = Child<QPushButton>(window, "go");
  auto* list = Child<QListWidget>(window, "function");
  auto* category = Child<QComboBox>(window, "category");
  EXPECT_FALSE(go->isEnabled());

  struct Case {
    QString typed;
    QString category;  // empty when not found
    QString message;
  };
  const Case cases[] = {
      {"GCD", "Math (Integer)", ""},
      {"Sinh", "Hyperbolic", ""},
      {"xyz", "", "Could not find function 'xyz'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    messages_.shown.clear();
    search->setFocus();
    QTest::keyClicks(search, c.typed);
    EXPECT_EQ(search->text(), c.typed.toLower());
    EXPECT_TRUE(go->isEnabled());
    QTest::keyClick(search, Qt::Key_Return);  // "Go" is the default button
    EXPECT_TRUE(search->text().isEmpty());
    EXPECT_FALSE(go->isEnabled());
    if (c.category.isEmpty()) {
      EXPECT_EQ(messages_.shown, QStringList{c.message});
      continue;
    }
    EXPECT_TRUE(messages_.shown.isEmpty());
    EXPECT_EQ(category->currentText(), c.category);
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), c.typed.toLower());
    EXPECT_TRUE(Child<QLabel>(window, "formula")->text().startsWith(c.typed.toLower() + "["));
  }
}

TEST_F(CatalogueBrowserTest, InsertNeedsASelection) {
  QWidget* window = Functions();
  Click(Child<QPushButton>(window, "insert"));
  EXPECT_EQ(messages_.shown, QStringList{"Please select a function first!"});
  EXPECT_TRUE(Main().last_insertion().isEmpty());
  window->hide();
  window = Constants();
  Click(Child<QPushButton>(window, "insert"));
  EXPECT_EQ(messages_.shown.last(), "Please select a constant first!");
}

TEST_F(CatalogueBrowserTest, ConstantsShowTheirValueAndInsertTheirName) {
  PrepareInput("2*", 2);
  QWidget* window = Constants();
  auto* category = Child<QComboBox>(window, "category");
  EXPECT_EQ(category->count(), 11);
  auto* search = Child<QLineEdit>(window, "search");
  search->setFocus();
  QTest::keyClicks(search, "pi");
  Click(Child<QPushButton>(window, "go"));
  EXPECT_EQ(category->currentText(), "Geometric");
  EXPECT_EQ(Child<QLabel>(window, "value")->text(), "pi = 3,14159265358979");
  // A double click inserts as the Insert button does.
  auto* list = Child<QListWidget>(window, "constant");
  const QPoint at = list->visualItemRect(list->currentItem()).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Input()->text(), "2*pi");
  EXPECT_EQ(Main().last_insertion(), "pi");

  search->setFocus();
  QTest::keyClicks(search, "nosuch");
  Click(Child<QPushButton>(window, "go"));
  EXPECT_EQ(messages_.shown, QStringList{"Could not find constant 'nosuch'"});

  window->hide();
  ASSERT_TRUE(WaitActive(&Main()));
  Click("insert");
  Click("solve");
  EXPECT_EQ(Answer(), "= 6,28318530717958");
}

TEST_F(CatalogueBrowserTest, LastInsertionRepeatsTheInsertionAtTheCaret) {
  QTest::keyClick(Input(), Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(messages_.shown, QStringList{"Please insert a function or constant first"});
  EXPECT_TRUE(Input()->text().isEmpty());

  PrepareInput("1+", 2);
  QWidget* window = Functions();
  ClickItem(Child<QListWidget>(window, "function"), "sin");
  Click(Child<QPushButton>(window, "insert"));
  window->hide();
  ASSERT_TRUE(WaitActive(&Main()));
  // The caret is sampled again at 7, behind "1+sin[]"; move it to 0.
  Input()->setCursorPosition(0);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Main().caret_position() == 0; }));
  QTest::keyClick(Input(), Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(Input()->text(), "sin[]1+sin[]");
  EXPECT_EQ(messages_.shown.size(), 1);
}

}  // namespace
}  // namespace korvex::testing
