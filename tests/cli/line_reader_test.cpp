// The terminal prompt of `korvex-cli solve`, typed at through a
// pseudo-terminal: line editing, history and the end of input.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "cli/line_reader.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;

// The program's side is a terminal (`in` and `out`); the test's side types
// keys and reads what the program shows.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    const int terminal = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
    if (terminal < 0) return;
    terminal_ = terminal;

    in_ = ::fdopen(terminal, "r");
    out_ = ::fdopen(::dup(terminal), "w");
  }
  ~PseudoTerminal() {
    if (in_ != nullptr) std::fclose(in_);
    if (out_ != nullptr) std::fclose(out_);
    if (master_ >= 0) ::close(master_);
  }

  bool ok() const { return in_ != nullptr && out_ != nullptr; }
  std::FILE* in() const { return in_; }
  std::FILE* out() const { return out_; }

  void Type(const std::string& keys) {
    ASSERT_EQ(::write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Reads what the program shows until `text` appears after what earlier
  // calls consumed; false after five seconds without it.
  bool WaitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (true) {
      const size_t found = shown_.find(text, consumed_);
      if (found != std::string::npos) {
        consumed_ = found + text.size();
        return true;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left <= 0ms || !ReadShown(static_cast<int>(left.count()))) return false;
    }
  }

  // Waits until the reader has taken the terminal out of its own line
  // editing: it shows its prompt a moment before, and keys typed in between
  // (a Ctrl+D above all) would be handled by the terminal, not the reader.
  bool WaitForReaderMode() {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    termios modes{};
    while (std::chrono::steady_clock::now() < deadline) {
      if (::tcgetattr(terminal_, &modes) == 0 && (modes.c_lflag & ICANON) == 0) return true;
      std::this_thread::sleep_for(1ms);
    }
    return false;
  }

  // Forgets everything shown so far. The pseudo-terminal hands output on
  // with a delay, so it waits until nothing more has come for a while: a
  // late redraw of the last prompt must not pass for the next one.
  void Drain() {
    while (ReadShown(100)) {
    }
    consumed_ = shown_.size();
  }

 private:
  bool ReadShown(int timeout_ms) {
    pollfd ready{master_, POLLIN, 0};
    if (::poll(&ready, 1, timeout_ms) <= 0) return false;
    char buffer[256];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count <= 0) return false;
    shown_.append(buffer, static_cast<size_t>(count));
    return true;
  }

  int master_ = -1;
  int terminal_ = -1;  // the program's side, owned by in_
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  std::string shown_;
  size_t consumed_ = 0;
};

TEST(TerminalLineReader, EditsRecallsHistoryAndEndsAtCtrlD) {
  PseudoTerminal terminal;
  if (!terminal.ok()) GTEST_SKIP() << "no pseudo-terminal available";
  // The user's own key bindings and terminal must not change the keys below.
  ::setenv("EDITRC", "/dev/null", 1);
  ::setenv("TERM", "dumb", 1);
  const auto reader = MakeTerminalLineReader("calc> ", terminal.in(), terminal.out());

  const struct {
    const char* keys;
    std::optional<std::string> line;
  } steps[] = {
      {"1+1\r", "1+1"},       // typed and entered
      {"12\x02+\r", "1+2"},   // Ctrl+B moves back over the 2
      {"   \r", "   "},       // blank: returned, but not kept
      {"\x10\r", "1+2"},      // Ctrl+P recalls the last kept line
      {"\x10\x10\r", "1+1"},  // a recalled repeat is not kept again
      {"2\x04\r", "2"},       // Ctrl+D ends only an empty line
      {"3\t4\r", "34"},       // Tab adds nothing
      {"\x04", std::nullopt},
  };
  for (const auto& step : steps) {
    terminal.Drain();
    auto line = std::async(std::launch::async, [&] { return reader->ReadLine(); });
    // Keys typed before the prompt is up would meet the terminal's own line
    // editing, not the reader's.
    const bool prompted = terminal.WaitFor("calc> ") && terminal.WaitForReaderMode();
    if (prompted) terminal.Type(step.keys);
    if (!prompted || line.wait_for(5s) != std::future_status::ready) {
      // Ends the reader's wait so that the test can fail instead of hanging.
      terminal.Type("\x04\x04\r\x04");
      FAIL() << "no line for keys " << ::testing::PrintToString(std::string(step.keys));
    }
    EXPECT_EQ(line.get(), step.line) << ::testing::PrintToString(std::string(step.keys));
  }
  // The prompt's line is ended, so the shell's prompt starts on a new one.
  EXPECT_TRUE(terminal.WaitFor("\n"));
}

}  // namespace
}  // namespace korvex
