// Every command of the built korvex-cli with its standard output on a full
// device, with standard input closed or a directory, and writing into a
// closed pipe: a failed write or read is said and ends with a failure.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "built_program_fixture.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFullOutput =
    "korvex-cli: cannot write to standard output: No space left on device\n";

struct Finished {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string err;
};

class StandardStreamsTest : public BuiltProgramFixture {
 protected:
  StandardStreamsTest() : BuiltProgramFixture("streams") {}

  // Runs korvex-cli with `args` after --data-dir is put behind the command;
  // `arrange` sets up standard input and output.
  Finished Started(std::vector<std::string> args,
                   const std::function<void(posix_spawn_file_actions_t&)>& arrange) {
    if (!args.empty() && !args[0].starts_with('-') && args[0] != "help")
      args.insert(args.begin() + 1, {"--data-dir", root_.string()});
    args.insert(args.begin(), program_.string());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const fs::path err = root_ / "err.txt";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    arrange(files);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = 0;
    Finished run;
    const int spawned = posix_spawn(&child, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    EXPECT_EQ(spawned, 0) << program_;
    if (spawned != 0) return run;
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::ifstream in(err);
    std::ostringstream text;
    text << in.rdbuf();
    run.err = text.str();
    return run;
  }

  static void InputFrom(posix_spawn_file_actions_t& files, const char* path) {
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, path, O_RDONLY, 0);
  }
  static void OutputTo(posix_spawn_file_actions_t& files, const char* path) {
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, path, O_WRONLY, 0);
  }
};

// A line of every kind of output each command writes.
const std::vector<std::vector<std::string>> kEveryOutput = {
    {"solve", "2+2"},
    {"solve", "--steps", "2+3*4"},
    {"plot", "x"},
    {"plot", "--table", "x"},
    {"plot", "--stats", "x"},
    {"plot", "--csv", "x"},
    {"report", "2+2"},
    {"report", "--format", "md", "--plot", "x"},
    {"bench"},
    {"help"},
    {"help", "plot"},
    {"--help"},
    {"--version"},
};

TEST_F(StandardStreamsTest, AFullOutputIsSaidAndFails) {
  for (const std::vector<std::string>& args : kEveryOutput) {
    const Finished run = Started(args, [](posix_spawn_file_actions_t& files) {
      InputFrom(files, "/dev/null");
      OutputTo(files, "/dev/full");
    });
    EXPECT_EQ(run.status, 1) << args[0] << ' ' << args.back();
    EXPECT_TRUE(run.err.ends_with(kFullOutput)) << args[0] << ' ' << args.back() << '\n' << run.err;
  }
  // Answers read from standard input as well.
  const std::string lines = (root_ / "lines.txt").string();
  std::ofstream(lines) << "2+2\n3*3\n";
  const Finished piped = Started({"solve"}, [&](posix_spawn_file_actions_t& files) {
    InputFrom(files, lines.c_str());
    OutputTo(files, "/dev/full");
  });
  EXPECT_EQ(piped.status, 1);
  EXPECT_TRUE(piped.err.ends_with(kFullOutput)) << piped.err;
}

TEST_F(StandardStreamsTest, AnUnreadableInputIsSaidAndIsAUsageFailure) {
  const struct {
    const char* name;
    std::function<void(posix_spawn_file_actions_t&)> input;
    const char* message;
  } inputs[] = {
      {"closed",
       [](posix_spawn_file_actions_t& files) {
         posix_spawn_file_actions_addclose(&files, STDIN_FILENO);
       },
       "korvex-cli: cannot read standard input: Bad file descriptor\n"},
      {"directory", [](posix_spawn_file_actions_t& files) { InputFrom(files, "/"); },
       "korvex-cli: cannot read standard input: Is a directory\n"},
  };
  for (const auto& input : inputs) {
    const auto arrange = [&](posix_spawn_file_actions_t& files) {
      input.input(files);
      OutputTo(files, "/dev/null");
    };
    const Finished solve = Started({"solve"}, arrange);
    EXPECT_EQ(solve.status, 2) << input.name;
    EXPECT_EQ(solve.err, input.message) << input.name;
    // The commands that take their input from the arguments never read it.
    for (const std::vector<std::string>& args : kEveryOutput) {
      if (args[0] == "bench") continue;  // the longest run, and it reads no input either
      const Finished run = Started(args, arrange);
      EXPECT_EQ(run.status, 0) << input.name << ' ' << args[0] << ' ' << args.back();
      EXPECT_EQ(run.err, "") << input.name << ' ' << args[0];
    }
  }
}

TEST_F(StandardStreamsTest, AClosedPipeEndsQuietlyAsABrokenPipe) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ::close(ends[0]);
  const Finished run = Started({"plot", "--table", "x"}, [&](posix_spawn_file_actions_t& files) {
    InputFrom(files, "/dev/null");
    posix_spawn_file_actions_adddup2(&files, ends[1], STDOUT_FILENO);
  });
  ::close(ends[1]);
  EXPECT_EQ(run.status, 128 + SIGPIPE);
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace korvex
