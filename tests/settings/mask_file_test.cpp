// mask.ini: the file written on first start, reading with every line ending,
// hand-shortened files, and read and write failures.
#include "settings/mask_file.h"

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

using MaskFileTest = DataDirectoryTest;

TEST_F(MaskFileTest, MissingFileIsWrittenFromTheCurrentValuesAndReadBack) {
  MaskSettings settings;
  LoadMaskSettings(data, settings, messages);
  EXPECT_EQ(ReadRaw(File("mask.ini")), "= \r\n\r\n\r\n");
  EXPECT_EQ(settings, MaskSettings());
  EXPECT_THAT(messages.shown, IsEmpty());

  // Later, the dialog's values (not the defaults) are what recreates the file.
  std::filesystem::remove(File("mask.ini"));
  MaskSettings edited{"  x = ", "0.00", " m "};
  LoadMaskSettings(data, edited, messages);
  EXPECT_EQ(ReadRaw(File("mask.ini")), "  x = \r\n0.00\r\n m \r\n");
  EXPECT_EQ(edited, (MaskSettings{"  x = ", "0.00", " m "}));
}

TEST_F(MaskFileTest, ReadsLinesWithAnyEndingAndKeepsMissingFieldsAsTheyWere) {
  struct Case {
    std::string bytes;
    MaskSettings expected;  // loaded over {"old ", "#", "!"}
  } cases[] = {
      {"> \r\n0.0\r\n kg\r\n", {"> ", "0.0", " kg"}},
      {"> \n0.0\n kg\n", {"> ", "0.0", " kg"}},
      {"> \r0.0\r kg\r", {"> ", "0.0", " kg"}},
      {"> \r\n0.0\n kg", {"> ", "0.0", " kg"}},  // mixed, last line unended
      {"\r\n\r\n\r\n", {"", "", ""}},
      {"  \r\n\r\n", {"  ", "", "!"}},            // two lines: suffix stays
      {"= ", {"= ", "#", "!"}},                   // one line
      {"", {"old ", "#", "!"}},                   // empty file: everything stays
      {"a\r\nb\r\nc\r\nd\r\n", {"a", "b", "c"}},  // extra lines ignored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    WriteRaw(File("mask.ini"), c.bytes);
    MaskSettings settings{"old ", "#", "!"};
    LoadMaskSettings(data, settings, messages);
    EXPECT_EQ(settings, c.expected);
    EXPECT_EQ(ReadRaw(File("mask.ini")), c.bytes);  // a readable file is never rewritten
  }
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(MaskFileTest, SaveWritesThreeLinesAndStatusTextJoinsThem) {
  const MaskSettings settings{"= ", "'Total: '0.00", " EUR"};
  ASSERT_TRUE(SaveMaskSettings(data, settings, messages));
  EXPECT_EQ(ReadRaw(File("mask.ini")), "= \r\n'Total: '0.00\r\n EUR\r\n");
  EXPECT_EQ(MaskStatusText(settings), "= 'Total: '0.00 EUR");
  MaskSettings loaded{"", "", ""};
  LoadMaskSettings(data, loaded, messages);
  EXPECT_EQ(loaded, settings);
}

TEST_F(MaskFileTest, FailedWritesShowTheTwoMessagesAndLoseNothing) {
  // Unreadable and unwritable: one attempt, the values stay.
  MaskSettings settings{"p", "m", "s"};
  LoadMaskSettings(missing, settings, messages);
  EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/mask.ini'", kReadOnly));
  EXPECT_EQ(settings, (MaskSettings{"p", "m", "s"}));

  // A failed save keeps the old file whole.
  messages.shown.clear();
  WriteRaw(File("mask.ini"), "old\r\n0\r\n\r\n");
  {
    ScopedWriteFailure read_only;
    EXPECT_FALSE(SaveMaskSettings(data, MaskSettings{"new", "", ""}, messages));
  }
  EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/mask.ini'", kReadOnly));
  EXPECT_EQ(ReadRaw(File("mask.ini")), "old\r\n0\r\n\r\n");
  // and leaves nothing else behind in bin.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ / "bin"),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace korvex
