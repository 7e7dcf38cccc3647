// Several processes sharing one data folder: read-modify-writes take turns,
// and what a writer killed mid-write leaves behind is swept away.
#include <gtest/gtest.h>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/insertion_log.h"
#include "settings/line_file.h"
#include "settings/mask_file.h"
#include "settings_test_support.h"

namespace korvex {
namespace {

using settings_test::DataDirectoryTest;
using settings_test::ReadRaw;
using settings_test::RecordingMessages;
using settings_test::WriteRaw;

using ConcurrentWritersTest = DataDirectoryTest;

std::string LogLine(int writer, int line) {
  return "w" + std::to_string(writer) + "+" + std::to_string(line);
}

// The exit code of `child`, or -1 when it did not exit normally.
int ExitCode(pid_t child) {
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST_F(ConcurrentWritersTest, EveryProcessAppendingToTheLogKeepsAllItsLines) {
  constexpr int kWriters = 4;
  constexpr int kLines = 50;
  std::vector<pid_t> children;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      RecordingMessages quiet;
      for (int line = 0; line < kLines; ++line)
        AppendToInsertionLog(data, LogLine(writer, line), quiet);
      ::_exit(quiet.shown.empty() ? 0 : 1);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) EXPECT_EQ(ExitCode(child), 0);

  const auto log = ReadLines(File("log.ini"));
  ASSERT_TRUE(log.has_value());
  EXPECT_EQ(log->size(), static_cast<size_t>(kWriters * kLines));
  // Each writer's lines are all there, in the order it appended them.
  for (int writer = 0; writer < kWriters; ++writer) {
    std::vector<std::string> own;
    const std::string prefix = "w" + std::to_string(writer) + "+";
    for (const std::string& line : *log)
      if (line.starts_with(prefix)) own.push_back(line);
    std::vector<std::string> expected;
    for (int line = 0; line < kLines; ++line) expected.push_back(LogLine(writer, line));
    EXPECT_EQ(own, expected) << "writer " << writer;
  }
}

TEST_F(ConcurrentWritersTest, TemporaryFilesOfDeadWritersAreRemovedByTheNextLoad) {
  // A process id that certainly belongs to no running process: a child that
  // has ended and been reaped, like a writer killed before its rename.
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) ::_exit(0);
  ASSERT_EQ(ExitCode(child), 0);

  const std::string dead = "var.ini.tmp" + std::to_string(child);
  const std::string live = "plot.ini.tmp" + std::to_string(::getpid());  // still running
  const std::vector<std::string> kept = {live, "notes.tmp", "var.ini.tmpx", "var.ini.bak"};
  WriteRaw(File(dead), "half a fi");
  for (const std::string& name : kept) WriteRaw(File(name), "mine");
  WriteRaw(File("mask.ini"), "= \r\n\r\n\r\n");

  MaskSettings settings;
  LoadMaskSettings(data, settings, messages);
  EXPECT_FALSE(std::filesystem::exists(File(dead)));
  for (const std::string& name : kept) EXPECT_EQ(ReadRaw(File(name)), "mine") << name;
  EXPECT_EQ(ReadRaw(File("mask.ini")), "= \r\n\r\n\r\n");
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace korvex
