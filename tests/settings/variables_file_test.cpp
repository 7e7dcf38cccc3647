// var.ini: loading replaces the table, saving writes one line per row, and an
// unreadable or unwritable file keeps the table's rows.
#include "settings/variables_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings_test_support.h"

namespace korvex {
namespace {

using settings_test::DataDirectoryTest;
using settings_test::kReadOnly;
using settings_test::ReadRaw;
using settings_test::ScopedWriteFailure;
using settings_test::WriteRaw;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using VariablesFileTest = DataDirectoryTest;

TEST_F(VariablesFileTest, LoadReplacesTheTableByEveryLineOfTheFile) {
  struct Case {
    std::string bytes;
    VariableTable expected;
  } cases[] = {
      {"r#5\r\narea#pi*r^2\r\n", {{"r", "5"}, {"area", "pi*r^2"}}},
      {"a#1#2\n\n#b#3\rv#", {{"a", "1"}, {"", ""}, {"b", "3"}, {"v", ""}}},
      {"\r\nx#1\r\n", {{"", ""}, {"x", "1"}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    WriteRaw(File("var.ini"), c.bytes);
    VariableTable table = {{"old", "1"}, {"older", "2"}};
    LoadVariables(data, table, messages);
    EXPECT_EQ(table, c.expected);
    EXPECT_EQ(ReadRaw(File("var.ini")), c.bytes);
    // "OK" then close: the same rows come back.
    ASSERT_TRUE(SaveVariables(data, table, messages));
    LoadVariables(data, table, messages);
    EXPECT_EQ(table, c.expected);
  }
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(VariablesFileTest, UnreadableFileIsWrittenFromTheTableWhichKeepsItsRows) {
  VariableTable empty;
  LoadVariables(data, empty, messages);
  EXPECT_EQ(ReadRaw(File("var.ini")), "");  // first start: an empty file
  EXPECT_TRUE(empty.empty());

  std::filesystem::remove(File("var.ini"));
  VariableTable table = {{"x", "3"}, {"y", "x+1"}};
  LoadVariables(data, table, messages);
  EXPECT_EQ(ReadRaw(File("var.ini")), "x#3\r\ny#x+1\r\n");
  EXPECT_EQ(table, (VariableTable{{"x", "3"}, {"y", "x+1"}}));
  EXPECT_THAT(messages.shown, IsEmpty());

  // Neither readable nor writable: the messages, and the rows stay.
  LoadVariables(missing, table, messages);
  EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/var.ini'", kReadOnly));
  EXPECT_EQ(table, (VariableTable{{"x", "3"}, {"y", "x+1"}}));
}

TEST_F(VariablesFileTest, SaveWritesOneLinePerRowAndNothingForAnEmptyTable) {
  struct Case {
    VariableTable table;
    std::string bytes;
  } cases[] = {
      {{{"a", "1+2"}, {"neg", "-3"}}, "a#1+2\r\nneg#-3\r\n"},
      {{{"v", ""}, {"", ""}}, "v#\r\n#\r\n"},
      {{}, ""},
      {{{"", ""}}, ""},  // the window's one empty row
      // A blank first row does not hide the rows after it.
      {{{"", ""}, {"later", "1"}}, "#\r\nlater#1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteRaw(File("var.ini"), "stale#1\r\n");
    ASSERT_TRUE(SaveVariables(data, c.table, messages));
    EXPECT_EQ(ReadRaw(File("var.ini")), c.bytes);
  }

  WriteRaw(File("var.ini"), "old#1\r\n");
  VariableTable table = {{"new", "2"}};
  {
    ScopedWriteFailure read_only;
    EXPECT_FALSE(SaveVariables(data, table, messages));
  }
  EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/var.ini'", kReadOnly));
  EXPECT_EQ(ReadRaw(File("var.ini")), "old#1\r\n");
  EXPECT_EQ(table, (VariableTable{{"new", "2"}}));

  ClearVariables(table);
  EXPECT_TRUE(table.empty());
}

TEST(UserVariableLines, ParseAndFormatTheFileLayout) {
  const VariableTable table =
      ParseVariableLines({"v#", "a#1#2", "#b#3", "", "x##y", "name#2(1+x)"});
  const VariableTable expected = {{"v", ""}, {"a", "1"}, {"b", "3"},
                                  {"", ""},  {"x", "y"}, {"name", "2(1+x)"}};
  EXPECT_EQ(table, expected);
  EXPECT_EQ(FormatVariableLines({{"x", "3"}, {"y", "x+1"}}),
            (std::vector<std::string>{"x#3", "y#x+1"}));
  EXPECT_TRUE(FormatVariableLines({{"", ""}}).empty());
  EXPECT_TRUE(FormatVariableLines({}).empty());
  EXPECT_EQ(FormatVariableLines({{"", ""}, {"y", "2"}}), (std::vector<std::string>{"#", "y#2"}));
}

}  // namespace
}  // namespace korvex
