// other.ini: only an exact "1" asks for the start screen, the request is
// consumed before it is honoured, and anything else leaves the file alone.
#include "settings/other_file.h"

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

using OtherFileTest = DataDirectoryTest;

TEST_F(OtherFileTest, OnlyAnExactOneAsksAndIsConsumed) {
  struct Case {
    const char* bytes;  // nullptr: no file
    bool show;
    std::string after;
  } cases[] = {
      {nullptr, false, "0\r\n"},         {"1\r\n", true, "0\r\n"},    {"1", true, "0\r\n"},
      {"1\n0\n", true, "0\r\n"},         {"1 \r\n", false, "1 \r\n"}, {"yes\r\n", false, "yes\r\n"},
      {" 1\r\n", false, " 1\r\n"},       {"0\r\n", false, "0\r\n"},   {"", false, ""},
      {"\r\n1\r\n", false, "\r\n1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes ? ::testing::PrintToString(c.bytes) : "no file");
    std::filesystem::remove(File("other.ini"));
    if (c.bytes) WriteRaw(File("other.ini"), c.bytes);
    EXPECT_EQ(LoadOtherSettings(data, messages), c.show);
    EXPECT_EQ(ReadRaw(File("other.ini")), c.after);
  }
  EXPECT_THAT(messages.shown, IsEmpty());

  // The next start after an honoured request shows nothing.
  WriteRaw(File("other.ini"), "1\r\n");
  EXPECT_TRUE(LoadOtherSettings(data, messages));
  EXPECT_FALSE(LoadOtherSettings(data, messages));
}

TEST_F(OtherFileTest, UnwritableFileShowsTheMessagesAndStillHonoursTheRequest) {
  WriteRaw(File("other.ini"), "1\r\n");
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start);
    messages.shown.clear();
    bool show;
    {
      ScopedWriteFailure read_only;
      show = LoadOtherSettings(data, messages);
    }
    EXPECT_TRUE(show);
    EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/other.ini'", kReadOnly));
    EXPECT_EQ(ReadRaw(File("other.ini")), "1\r\n");
  }

  // Unreadable and unwritable: the messages, no start screen.
  messages.shown.clear();
  EXPECT_FALSE(LoadOtherSettings(missing, messages));
  EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/other.ini'", kReadOnly));
}

}  // namespace
}  // namespace korvex
