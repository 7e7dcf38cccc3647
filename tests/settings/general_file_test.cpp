// general.ini: the file written on first start, the check-box lines, the
// guarded number lines with their ranges, short files, and failures.
#include "settings/general_file.h"

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

using GeneralFileTest = DataDirectoryTest;

// Every field away from its default, so "left as it was" is visible.
GeneralSettings NonDefault() {
  GeneralSettings s;
  s.log_input = false;
  s.auto_complete = true;
  s.store_input = false;
  s.loop_limit = 2500;
  s.reminder_interval = 3000;
  s.number_system = 4;
  s.precision = 12;
  s.scientific = true;
  s.point = true;
  return s;
}

TEST_F(GeneralFileTest, MissingFileIsWrittenWithTheDefaultsAndReadBack) {
  GeneralSettings settings;
  LoadGeneralSettings(data, settings, messages);
  EXPECT_EQ(ReadRaw(File("general.ini")), "1\r\n0\r\n1\r\n1000\r\n8000\r\n1\r\n32\r\n0\r\n0\r\n");
  EXPECT_EQ(settings, GeneralSettings());
  EXPECT_THAT(messages.shown, IsEmpty());

  ASSERT_TRUE(SaveGeneralSettings(data, NonDefault(), messages));
  EXPECT_EQ(ReadRaw(File("general.ini")), "0\r\n1\r\n0\r\n2500\r\n3000\r\n4\r\n12\r\n1\r\n1\r\n");
  GeneralSettings loaded;
  LoadGeneralSettings(data, loaded, messages);
  EXPECT_EQ(loaded, NonDefault());
}

TEST(GeneralFileLines, EachLineIsReadOnItsOwn) {
  const Lines written = GeneralSettingsToLines(GeneralSettings());
  struct Case {
    size_t line;  // 0-based
    std::string text;
    GeneralSettings expected;
  };
  auto with = [](auto change) {
    GeneralSettings s;
    change(s);
    return s;
  };
  // Read over NonDefault(): a kept number shows its non-default value.
  auto kept = [](int GeneralSettings::*field) {
    GeneralSettings s;
    s.*field = NonDefault().*field;
    return s;
  };
  const Case cases[] = {
      // Check boxes: on only for exactly "1".
      {1, "1", with([](GeneralSettings& s) { s.auto_complete = true; })},
      {0, "1 ", with([](GeneralSettings& s) { s.log_input = false; })},
      {2, "true", with([](GeneralSettings& s) { s.store_input = false; })},
      {7, "1", with([](GeneralSettings& s) { s.scientific = true; })},
      {8, "01", with([](GeneralSettings&) {})},
      // Number lines: whole decimal numbers only; anything else keeps the value.
      {3, "2000", with([](GeneralSettings& s) { s.loop_limit = 2000; })},
      {3, "abc", kept(&GeneralSettings::loop_limit)},
      {3, "", kept(&GeneralSettings::loop_limit)},
      {3, "1500x", kept(&GeneralSettings::loop_limit)},
      {3, " 1500", kept(&GeneralSettings::loop_limit)},
      {3, "1500,5", kept(&GeneralSettings::loop_limit)},
      {3, "99999999999", kept(&GeneralSettings::loop_limit)},
      {3, "+2000", with([](GeneralSettings& s) { s.loop_limit = 2000; })},
      {3, "+-2000", kept(&GeneralSettings::loop_limit)},
      {4, "4000", with([](GeneralSettings& s) { s.reminder_interval = 4000; })},
      {4, "4s", kept(&GeneralSettings::reminder_interval)},
      {5, "0", with([](GeneralSettings& s) { s.number_system = 0; })},
      {5, "x", kept(&GeneralSettings::number_system)},
      {6, "9", with([](GeneralSettings& s) { s.precision = 9; })},
      {6, "9.0", kept(&GeneralSettings::precision)},
      // Out of range: pinned to the nearest end; between steps: kept as read.
      {3, "999", with([](GeneralSettings& s) { s.loop_limit = 1000; })},
      {3, "20000", with([](GeneralSettings& s) { s.loop_limit = 10000; })},
      {3, "1250", with([](GeneralSettings& s) { s.loop_limit = 1250; })},
      {4, "-5", with([](GeneralSettings& s) { s.reminder_interval = 1000; })},
      {4, "10001", with([](GeneralSettings& s) { s.reminder_interval = 10000; })},
      {5, "-1", with([](GeneralSettings& s) { s.number_system = 0; })},
      {5, "7", with([](GeneralSettings& s) { s.number_system = 4; })},
      {6, "65", with([](GeneralSettings& s) { s.precision = 64; })},
      {6, "7", with([](GeneralSettings& s) { s.precision = 8; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line + 1) + ": '" + c.text + "'");
    Lines lines = written;
    lines[c.line] = c.text;
    GeneralSettings settings = NonDefault();
    ApplyGeneralSettingsLines(lines, settings);
    EXPECT_EQ(settings, c.expected);
  }
}

TEST_F(GeneralFileTest, ShortFilesLeaveTheMissingLinesAsTheyWere) {
  struct Case {
    std::string bytes;
    GeneralSettings expected;  // loaded over NonDefault()
  };
  GeneralSettings first_four = NonDefault();
  first_four.log_input = true;
  first_four.auto_complete = false;
  first_four.store_input = true;
  first_four.loop_limit = 1500;
  GeneralSettings all_but_point = GeneralSettings();
  all_but_point.point = true;
  const Case cases[] = {
      {"", NonDefault()},
      {"1\n0\r1\r\n1500", first_four},  // any line ending, last one unended
      {"1\r\n0\r\n1\r\n1000\r\n8000\r\n1\r\n32\r\n0\r\n", all_but_point},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    WriteRaw(File("general.ini"), c.bytes);
    GeneralSettings settings = NonDefault();
    LoadGeneralSettings(data, settings, messages);
    EXPECT_EQ(settings, c.expected);
    EXPECT_EQ(ReadRaw(File("general.ini")), c.bytes);
  }
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(GeneralFileTest, FailedWritesShowTheTwoMessagesAndLoseNothing) {
  GeneralSettings settings = NonDefault();
  LoadGeneralSettings(missing, settings, messages);
  EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/general.ini'", kReadOnly));
  EXPECT_EQ(settings, NonDefault());

  messages.shown.clear();
  const std::string old = "0\r\n0\r\n0\r\n5000\r\n5000\r\n2\r\n16\r\n0\r\n0\r\n";
  WriteRaw(File("general.ini"), old);
  {
    ScopedWriteFailure read_only;
    EXPECT_FALSE(SaveGeneralSettings(data, GeneralSettings(), messages));
  }
  EXPECT_THAT(messages.shown, ElementsAre("Could not save to file 'bin/general.ini'", kReadOnly));
  EXPECT_EQ(ReadRaw(File("general.ini")), old);
}

}  // namespace
}  // namespace korvex
