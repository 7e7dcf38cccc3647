// The preview under the `korvex-cli solve` prompt: the built program runs
// on a pseudo-terminal, keys are typed at it, and a test screen shows what
// the user would see.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/terminal_screen.h"

#include "built_program_fixture.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// How the program is started: its terminal type (nothing: TERM unset), the
// terminal's size, and whether standard input and output are files.
struct TerminalSetup {
  std::optional<std::string> term = "xterm";
  int rows = 24;
  int columns = 80;
  std::optional<std::string> input_file = std::nullopt;
  bool output_to_file = false;
};

// `korvex-cli solve` as the session leader of a terminal of its own.
class ProgramOnTerminal {
 public:
  ProgramOnTerminal(const fs::path& program, const fs::path& data_dir, const TerminalSetup& setup)
      : screen_(setup.rows, setup.columns) {
    Start(program, data_dir, setup);
  }
  ~ProgramOnTerminal() {
    if (child_ > 0) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    if (terminal_ >= 0) ::close(terminal_);
    if (master_ >= 0) ::close(master_);
  }
  ProgramOnTerminal(const ProgramOnTerminal&) = delete;
  ProgramOnTerminal& operator=(const ProgramOnTerminal&) = delete;

  void Type(std::string_view keys) {
    ASSERT_EQ(::write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Reads what the program shows until `done` holds for the screen; false
  // after five seconds without.
  bool WaitFor(const std::function<bool(const TerminalScreen&)>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done(screen_)) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left <= 0ms || !ReadShown(static_cast<int>(left.count()))) return false;
    }
    return true;
  }

  bool WaitForRow(int row, const std::string& text) {
    return WaitFor([&](const TerminalScreen& screen) { return screen.Row(row) == text; });
  }

  // Waits for the prompt (with `line` typed) on `row` with the terminal in
  // the editor's own mode: keys typed before would meet the terminal's line
  // editing.
  bool WaitForPrompt(int row, const std::string& line = "> ") {
    if (!WaitForRow(row, line)) return false;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    termios modes{};
    while (std::chrono::steady_clock::now() < deadline) {
      if (::tcgetattr(terminal_, &modes) == 0 && (modes.c_lflag & ICANON) == 0) return true;
      ReadShown(1);
    }
    return false;
  }

  void Signal(int signal) { ::kill(child_, signal); }

  // Shows `text` as another program on the terminal (the shell) would.
  void WriteToScreen(std::string_view text) {
    ASSERT_EQ(::write(terminal_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  // Reads until nothing more has come for a while: a preview, if one were
  // drawn, comes within milliseconds.
  void Settle() {
    while (ReadShown(200)) {
    }
  }

  // The program's exit status, or minus the signal that ended it.
  int Ended() {
    int status = 0;
    const pid_t child = child_;
    child_ = -1;
    if (::waitpid(child, &status, 0) != child) return -1000;
    Settle();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  }

  // The screen's rows from the top, up to the last that is not blank.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int row = 0; row < screen_.rows(); ++row) rows.push_back(screen_.Row(row));
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
  }

  const TerminalScreen& screen() const { return screen_; }
  const std::string& shown() const { return shown_; }

 private:
  void Start(const fs::path& program, const fs::path& data_dir, const TerminalSetup& setup) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(::grantpt(master_), 0);
    ASSERT_EQ(::unlockpt(master_), 0);
    const std::string name = ::ptsname(master_);
    const winsize size{static_cast<unsigned short>(setup.rows),
                       static_cast<unsigned short>(setup.columns), 0, 0};
    ASSERT_EQ(::ioctl(master_, TIOCSWINSZ, &size), 0);
    // The test's own view of the terminal's modes.
    terminal_ = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(terminal_, 0);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    // Opened after the new session starts, the terminal becomes its
    // controlling one, so Ctrl+C reaches the program.
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, name.c_str(), O_RDWR, 0);
    if (setup.input_file)
      posix_spawn_file_actions_addopen(&files, STDIN_FILENO, setup.input_file->c_str(), O_RDONLY,
                                       0);
    else
      posix_spawn_file_actions_adddup2(&files, STDERR_FILENO, STDIN_FILENO);
    if (setup.output_to_file)
      posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, (data_dir / "out.txt").c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
    else
      posix_spawn_file_actions_adddup2(&files, STDERR_FILENO, STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    std::vector<std::string> args = {program.string(), "solve", "--data-dir", data_dir.string()};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    // The user's own key bindings and screen size must not count.
    std::vector<std::string> environment = {"EDITRC=/dev/null"};
    for (char** variable = environ; *variable != nullptr; ++variable) {
      const std::string_view entry(*variable);
      if (!entry.starts_with("TERM=") && !entry.starts_with("EDITRC=") &&
          !entry.starts_with("LINES=") && !entry.starts_with("COLUMNS="))
        environment.emplace_back(entry);
    }
    if (setup.term) environment.push_back("TERM=" + *setup.term);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const int spawned =
        ::posix_spawn(&child_, argv[0], &files, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    ASSERT_EQ(spawned, 0) << program;
  }

  bool ReadShown(int timeout_ms) {
    pollfd ready{master_, POLLIN, 0};
    if (::poll(&ready, 1, timeout_ms) <= 0) return false;
    char buffer[512];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count <= 0) return false;
    shown_.append(buffer, static_cast<size_t>(count));
    screen_.Feed(std::string_view(buffer, static_cast<size_t>(count)));
    return true;
  }

  pid_t child_ = -1;
  int master_ = -1;
  int terminal_ = -1;
  TerminalScreen screen_;
  std::string shown_;
};

class PromptPreviewTest : public BuiltProgramFixture {
 protected:
  PromptPreviewTest() : BuiltProgramFixture("prompt") {}

  std::unique_ptr<ProgramOnTerminal> Start(const TerminalSetup& setup = {}) {
    return std::make_unique<ProgramOnTerminal>(program_, root_, setup);
  }
};

TEST_F(PromptPreviewTest, ShowsTheLinesPreviewUnderItAndEntersAsBefore) {
  const auto program = Start();
  ASSERT_TRUE(program->WaitForPrompt(0));
  program->Type("2+3*4");
  EXPECT_TRUE(program->WaitForRow(1, "= 14")) << program->screen().Text();
  program->Type("\r");
  ASSERT_TRUE(program->WaitForPrompt(2)) << program->screen().Text();

  // Each key replaces the preview; a key that leaves the line as it is
  // keeps it.
  const struct {
    const char* keys;
    const char* line;
    const char* preview;
  } steps[] = {
      {"ans/2", "> ans/2", "= 7"},
      {"\x02", "> ans/2", "= 7"},  // Ctrl+B
      {"0", "> ans/02", "= 7"},
      {"\x05+", "> ans/02+", "Syntax error: Invalid argument '7+'"},  // Ctrl+E
      {"\x15", "> ", ""},                                             // Ctrl+U
      {"1/0", "> 1/0", "Syntax error: Could not calculate '1/0'"},
  };
  for (const auto& step : steps) {
    program->Type(step.keys);
    EXPECT_TRUE(program->WaitFor([&](const TerminalScreen& screen) {
      return screen.Row(2) == step.line && screen.Row(3) == step.preview;
    })) << testing::PrintToString(std::string(step.keys))
        << "\n"
        << program->screen().Text();
  }
  program->Type("\r");
  ASSERT_TRUE(program->WaitForPrompt(6)) << program->screen().Text();
  program->Type("\x04");
  EXPECT_EQ(program->Ended(), 1);
  // The session reads as it did without previews.
  const std::vector<std::string> expected = {
      "> 2+3*4", "= 14", "> 1/0", "Syntax error: Could not calculate '1/0'", "1/0", "^~~", "> ^D"};
  EXPECT_EQ(program->Rows(), expected) << program->screen().Text();
  EXPECT_EQ(program->screen().unknown(), std::vector<std::string>());
}

TEST_F(PromptPreviewTest, WrappedLineAtTheBottomOfTheScreen) {
  const auto program = Start({.rows = 6, .columns = 20});
  // Blank lines bring the prompt down to the last row.
  ASSERT_TRUE(program->WaitForPrompt(0));
  for (int row = 1; row < 6; ++row) {
    program->Type("\r");
    ASSERT_TRUE(program->WaitForPrompt(row)) << program->screen().Text();
  }
  program->Type("1+2+3+4+5+6+7+8+9+10");
  // The screen scrolls to make room under the line's second row.
  EXPECT_TRUE(program->WaitForRow(5, "= 55")) << program->screen().Text();
  EXPECT_EQ(program->screen().Row(3), "> 1+2+3+4+5+6+7+8+9+");
  EXPECT_EQ(program->screen().Row(4), "10");
  // Ctrl+A takes the cursor to the line's first row; the preview stays
  // under the last.
  program->Type("\x01");
  EXPECT_TRUE(program->WaitFor([](const TerminalScreen& screen) {
    return screen.cursor_row() == 3 && screen.cursor_column() == 2 && screen.Row(5) == "= 55";
  })) << program->screen().Text();
  program->Type("\r");
  ASSERT_TRUE(program->WaitForPrompt(5)) << program->screen().Text();
  const std::vector<std::string> expected = {"> ", "> 1+2+3+4+5+6+7+8+9+", "10", "= 55", "> "};
  const std::vector<std::string> rows = program->Rows();
  ASSERT_GE(rows.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(rows.end() - 5, rows.end()), expected)
      << program->screen().Text();
  EXPECT_EQ(program->screen().unknown(), std::vector<std::string>());
}

TEST_F(PromptPreviewTest, CtrlCEndsTheProgramAsBeforeWithoutLeavingThePreview) {
  const auto program = Start();
  ASSERT_TRUE(program->WaitForPrompt(0));
  program->Type("2+3*4");
  ASSERT_TRUE(program->WaitForRow(1, "= 14")) << program->screen().Text();
  program->Type("\x03");
  EXPECT_EQ(program->Ended(), -SIGINT);
  EXPECT_EQ(program->Rows(), std::vector<std::string>{"> 2+3*4"}) << program->screen().Text();
  // The shell's next prompt starts on a fresh line.
  EXPECT_EQ(program->screen().cursor_row(), 1);
  EXPECT_EQ(program->screen().cursor_column(), 0);
}

// The test's terminal has no job control, so Ctrl+Z cannot stop the
// program: it goes on editing. A stop from outside (SIGSTOP), during which
// a shell writes its lines, ends with the line drawn anew on a fresh row.
TEST_F(PromptPreviewTest, AfterCtrlZOrAStopTheLineAndPreviewComeBack) {
  const auto program = Start();
  ASSERT_TRUE(program->WaitForPrompt(0));
  program->Type("2+3*4");
  ASSERT_TRUE(program->WaitForRow(1, "= 14")) << program->screen().Text();
  program->Type("\x1a");
  ASSERT_TRUE(program->WaitForPrompt(0, "> 2+3*4")) << program->screen().Text();
  program->Type("+1");
  EXPECT_TRUE(program->WaitFor([](const TerminalScreen& screen) {
    return screen.Row(0) == "> 2+3*4+1" && screen.Row(1) == "= 15";
  })) << program->screen().Text();

  program->Signal(SIGSTOP);
  program->Settle();
  program->WriteToScreen("\r\n[1]+  Stopped\r\n");
  program->Signal(SIGCONT);
  EXPECT_TRUE(program->WaitFor([](const TerminalScreen& screen) {
    return screen.Row(1) == "[1]+  Stopped" && screen.Row(2) == "> 2+3*4+1" &&
           screen.Row(3) == "= 15";
  })) << program->screen().Text();
  program->Type("\r");
  ASSERT_TRUE(program->WaitForPrompt(4)) << program->screen().Text();
  EXPECT_EQ(program->screen().Row(3), "= 15");
  EXPECT_EQ(program->screen().unknown(), std::vector<std::string>());
}

TEST_F(PromptPreviewTest, TerminalsThatCannotShowItGetNothingExtra) {
  // An unknown type is taken as a dumb terminal, after a word about it.
  const struct {
    std::optional<std::string> term;
    std::string before;
  } cases[] = {
      {"dumb", ""},
      {std::nullopt, ""},
      {"no-such-terminal",
       "No entry for terminal type \"no-such-terminal\";\r\nusing dumb terminal settings.\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term.value_or("TERM unset"));
    const auto program = Start({.term = c.term});
    const int prompt_row = c.before.empty() ? 0 : 2;
    ASSERT_TRUE(program->WaitForPrompt(prompt_row)) << program->screen().Text();
    program->Type("2+3*4");
    program->Settle();
    program->Type("\r");
    ASSERT_TRUE(program->WaitForPrompt(prompt_row + 2)) << program->screen().Text();
    program->Type("\x04");
    EXPECT_EQ(program->Ended(), 0);
    EXPECT_EQ(program->shown(), c.before + "> 2+3*4\r\n= 14\r\n> ^D\r\n");
  }
}

// Lines read from a file, or answers going to one: no prompt, no preview,
// the output as it always was.
TEST_F(PromptPreviewTest, InputOrOutputThatIsNoTerminalStaysPlain) {
  std::ofstream(root_ / "in.txt") << "2+3*4\n1/0\n";
  const struct {
    bool input_from_file;
    std::string typed;
    int status;
    std::string err;
  } cases[] = {
      // Errors still go to the terminal, with the failure's place.
      {true, "", 1, "Syntax error: Could not calculate '1/0'\r\n1/0\r\n^~~\r\n"},
      {false, "2+3*4\r\x04", 0, "2+3*4\r\n"},  // the terminal's own echo
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input_from_file ? "input from a file" : "input typed");
    const auto program =
        Start({.input_file =
                   c.input_from_file ? std::optional((root_ / "in.txt").string()) : std::nullopt,
               .output_to_file = true});
    program->Type(c.typed);
    EXPECT_EQ(program->Ended(), c.status);
    EXPECT_EQ(ReadFile(root_ / "out.txt"), "= 14\n");
    EXPECT_EQ(program->shown(), c.err);
  }
}

}  // namespace
}  // namespace korvex
