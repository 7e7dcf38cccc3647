// The insertion log: distinct, case-sensitive lines; pouring it into an empty
// expression list; showing and clearing it; missing files and failed writes.
#include "settings/insertion_log.h"

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
using ::testing::Optional;

using InsertionLogTest = DataDirectoryTest;

const std::vector<std::string> kLogFailure = {"Could not save to file 'bin/log.ini'", kReadOnly};

TEST_F(InsertionLogTest, AppendKeepsEachDistinctLineOnceInFirstLoggedOrder) {
  struct Case {
    std::vector<std::string> inserted;
    std::string bytes;
  } cases[] = {
      {{"2+2", "2+2"}, "2+2\r\n"},
      {{"Sin[1]", "sin[1]", "Sin[1]"}, "Sin[1]\r\nsin[1]\r\n"},
      {{"1+1", "3*4", "1+1 ", "1+1"}, "1+1\r\n3*4\r\n1+1 \r\n"},
      // Replacing through the Edit window: old text stays, new text appended.
      {{"x^2", "x^3", "x^2"}, "x^2\r\nx^3\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    std::filesystem::remove(File("log.ini"));  // a missing log starts a new one
    for (const std::string& text : c.inserted) AppendToInsertionLog(data, text, messages);
    EXPECT_EQ(ReadRaw(File("log.ini")), c.bytes);
  }
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(InsertionLogTest, AppendReadsAnyLineEndingAndWritesOnlyWhenNew) {
  WriteRaw(File("log.ini"), "a\nb\rc");
  AppendToInsertionLog(data, "b", messages);
  EXPECT_EQ(ReadRaw(File("log.ini")), "a\nb\rc");  // already there: not rewritten
  AppendToInsertionLog(data, "d", messages);
  EXPECT_EQ(ReadRaw(File("log.ini")), "a\r\nb\r\nc\r\nd\r\n");

  // A failed write: the two messages, and the old log stays whole.
  {
    ScopedWriteFailure read_only;
    AppendToInsertionLog(data, "e", messages);
  }
  EXPECT_EQ(messages.shown, kLogFailure);
  EXPECT_EQ(ReadRaw(File("log.ini")), "a\r\nb\r\nc\r\nd\r\n");

  // Unreadable and unwritable: still only the two messages.
  messages.shown.clear();
  AppendToInsertionLog(missing, "f", messages);
  EXPECT_EQ(messages.shown, kLogFailure);
}

TEST_F(InsertionLogTest, InsertLogFillsOnlyAnEmptyListAndCreatesAMissingLog) {
  WriteRaw(File("log.ini"), "1+1\r\n\r\nsqrt[2]\r\n");
  EXPECT_THAT(InsertLog(data, {}, messages), Optional(ElementsAre("1+1", "", "sqrt[2]")));
  EXPECT_EQ(InsertLog(data, {"5*5"}, messages), std::nullopt);

  WriteRaw(File("log.ini"), "");
  EXPECT_THAT(InsertLog(data, {}, messages), Optional(IsEmpty()));

  std::filesystem::remove(File("log.ini"));
  EXPECT_EQ(InsertLog(data, {}, messages), std::nullopt);
  EXPECT_EQ(ReadRaw(File("log.ini")), "");
  EXPECT_THAT(messages.shown, IsEmpty());

  EXPECT_EQ(InsertLog(missing, {}, messages), std::nullopt);
  EXPECT_EQ(messages.shown, kLogFailure);
}

TEST_F(InsertionLogTest, ShowReadsTheFileOrWritesTheBoxBack) {
  WriteRaw(File("log.ini"), "a\r\nb\r\n");
  EXPECT_THAT(ShowInsertionLog(data, {"stale"}, messages), ElementsAre("a", "b"));
  EXPECT_EQ(ReadRaw(File("log.ini")), "a\r\nb\r\n");

  // Deleted while the box still shows lines from an earlier opening.
  std::filesystem::remove(File("log.ini"));
  EXPECT_THAT(ShowInsertionLog(data, {"a", "b"}, messages), ElementsAre("a", "b"));
  EXPECT_EQ(ReadRaw(File("log.ini")), "a\r\nb\r\n");

  // First opening without a log: an empty one.
  std::filesystem::remove(File("log.ini"));
  EXPECT_THAT(ShowInsertionLog(data, {}, messages), IsEmpty());
  EXPECT_EQ(ReadRaw(File("log.ini")), "");
  EXPECT_THAT(messages.shown, IsEmpty());

  EXPECT_THAT(ShowInsertionLog(missing, {"x"}, messages), ElementsAre("x"));
  EXPECT_EQ(messages.shown, kLogFailure);
}

TEST_F(InsertionLogTest, ClearEmptiesANonEmptyLogAtOnce) {
  // An empty log is not written again.
  WriteRaw(File("log.ini"), "");
  const auto before = std::filesystem::last_write_time(File("log.ini"));
  std::filesystem::last_write_time(File("log.ini"), before - std::chrono::hours(1));
  EXPECT_THAT(ClearInsertionLog(data, {}, messages), IsEmpty());
  EXPECT_EQ(std::filesystem::last_write_time(File("log.ini")), before - std::chrono::hours(1));

  // The box is refreshed from the file first, so a log grown since the dialog
  // opened is cleared too.
  WriteRaw(File("log.ini"), "2+2\r\n3+3\r\n");
  EXPECT_THAT(ClearInsertionLog(data, {}, messages), IsEmpty());
  EXPECT_EQ(ReadRaw(File("log.ini")), "");
  EXPECT_THAT(messages.shown, IsEmpty());

  // Neither readable nor writable: the box's lines cannot be written back
  // (two messages) nor cleared (two more), and the box keeps showing them.
  std::vector<std::string> twice = kLogFailure;
  twice.insert(twice.end(), kLogFailure.begin(), kLogFailure.end());
  EXPECT_THAT(ClearInsertionLog(missing, {"2+2"}, messages), ElementsAre("2+2"));
  EXPECT_EQ(messages.shown, twice);
}

}  // namespace
}  // namespace korvex
