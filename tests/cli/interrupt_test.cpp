// Ctrl+C on a running korvex-cli: the built program is started as a child,
// interrupted while it calculates, and its output and status read back.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "built_program_fixture.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class InterruptTest : public BuiltProgramFixture {
 protected:
  InterruptTest() : BuiltProgramFixture("interrupt") {}

  struct Run {
    int status = -1;
    std::string out;
    std::string err;
  };

  // Starts korvex-cli with `args`, sends SIGINT after `delay` and waits.
  Run Interrupted(std::vector<std::string> args, std::chrono::milliseconds delay) {
    args.insert(args.begin() + 1, {"--data-dir", root_.string()});
    args.insert(args.begin(), program_.string());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const fs::path out = root_ / "out.txt";
    const fs::path err = root_ / "err.txt";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = 0;
    Run run;
    const int spawned = posix_spawn(&child, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    EXPECT_EQ(spawned, 0) << program_;
    if (spawned != 0) return run;
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGINT);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
  }
};

TEST_F(InterruptTest, SolveStopsPrintsItsStepsAndEndsWith130) {
  const Run run = Interrupted({"solve", "--steps", "(1+2)*primepi[{1E18}]", "5"},
                              std::chrono::milliseconds(500));
  EXPECT_EQ(run.status, 130);
  // The step made before the stop, and nothing of the next expression.
  EXPECT_EQ(run.out, "Step 1 (add): (3)*primepi[1E18]\n");
  EXPECT_EQ(run.err, "Operation was canceled.\n");
}

TEST_F(InterruptTest, PlotStopsAndPrintsThePointsSoFar) {
  const Run run = Interrupted(
      {"plot", "--csv", "--start", "0", "--stop", "100000000", "--increment", "1", "x*2"},
      std::chrono::milliseconds(500));
  EXPECT_EQ(run.status, 130);
  EXPECT_EQ(run.err, "Operation was canceled.\n");
  // Whole lines from x = 0 on, each y = 2x.
  std::istringstream lines(run.out);
  std::string line;
  long expected_x = 0;
  while (std::getline(lines, line)) {
    EXPECT_EQ(line, std::to_string(expected_x) + "," + std::to_string(2 * expected_x));
    ++expected_x;
  }
  EXPECT_GT(expected_x, 0);
  EXPECT_LT(expected_x, 100000001);
}

}  // namespace
}  // namespace korvex
