// The sieve-or-counter choice, and the counter that runs korvex-primecount
// as a child process which a stop request simply ends.
#include "engine/prime_count.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <string>
#include <thread>

#include "engine/function_helpers.h"

extern char** environ;

namespace korvex {
namespace {

constexpr int kPollMilliseconds = 10;
// At most 20 digits and a newline; a helper that talks on is not answering.
constexpr std::size_t kLongestAnswer = 21;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

class SpawnAttributes {
 public:
  SpawnAttributes() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawnattr_init(&attributes_);
  }
  ~SpawnAttributes() {
    ::posix_spawnattr_destroy(&attributes_);
    ::posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  posix_spawn_file_actions_t* actions() { return &actions_; }
  posix_spawnattr_t* attributes() { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

// The started helper. Whatever way the count ends (an answer, a stop, an
// exception), the child is gone and reaped when this goes.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  ~Child() {
    if (pid_ > 0) Kill();
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  void Kill() {
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }

  enum class End { kRunning, kSucceeded, kFailed };
  // Reaps the child once it has ended. A process that ignores SIGCHLD has
  // its children reaped by the kernel, so their status is unknown: the
  // answer they wrote is all there is to go by.
  End Poll() {
    int status = 0;
    const pid_t reaped = ::waitpid(pid_, &status, WNOHANG);
    if (reaped == 0 || (reaped < 0 && errno == EINTR)) return End::kRunning;
    pid_ = -1;
    if (reaped < 0) return errno == ECHILD ? End::kSucceeded : End::kFailed;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? End::kSucceeded : End::kFailed;
  }

 private:
  pid_t pid_;
};

// Digits with at most one newline after them, and no more than fit.
std::optional<std::uint64_t> ParseAnswer(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stopped, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stopped != end) return std::nullopt;
  return value;
}

}  // namespace

PrimeCounter::~PrimeCounter() = default;

std::optional<std::uint64_t> SpawnedPrimeCounter::Count(std::uint64_t limit,
                                                        const StopFlag* stop) const {
  ThrowIfStopRequested(stop);
  // Close-on-exec, so no other child this process starts meanwhile (from
  // another thread) holds the write end open and keeps us from seeing the
  // end of the answer.
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
  Descriptor read_end(ends[0]);
  Descriptor write_end(ends[1]);

  SpawnAttributes spawn;
  // The read end is closed before the write end goes onto stdout, so the
  // dup2 still has its source if the pipe took descriptor 1 itself.
  ::posix_spawn_file_actions_addclose(spawn.actions(), read_end.get());
  ::posix_spawn_file_actions_adddup2(spawn.actions(), write_end.get(), STDOUT_FILENO);
  // A program may block signals on the thread that counts and take them on
  // another; the helper must not keep that mask, or a terminal's Ctrl+C
  // would not reach it.
  sigset_t no_signals;
  ::sigemptyset(&no_signals);
  ::posix_spawnattr_setsigmask(spawn.attributes(), &no_signals);
  ::posix_spawnattr_setflags(spawn.attributes(), POSIX_SPAWN_SETSIGMASK);

  // The helper checks that its parent is still this process: the death
  // signal it asks for would come too late for a parent that ended before.
  std::string program = helper_.string();
  std::string limit_text = std::to_string(limit);
  std::string parent_text = std::to_string(::getpid());
  char* arguments[] = {program.data(), limit_text.data(), parent_text.data(), nullptr};
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), spawn.actions(), spawn.attributes(), arguments,
                    environ) != 0)
    return std::nullopt;
  // The helper's death signal follows this thread, not the process; the
  // thread stays here until the helper has been reaped, so that is the same.
  Child child(pid);
  write_end.Close();

  std::string text;
  bool answered = false;  // the helper closed its end of the pipe
  for (;;) {
    if (stop != nullptr && stop->requested()) {
      child.Kill();
      throw Cancelled();
    }
    if (answered) {
      // A helper may close its output and run on; waiting for it polls like
      // the pipe does, so a stop still ends it.
      const Child::End end = child.Poll();
      if (end == Child::End::kRunning) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
        continue;
      }
      if (end == Child::End::kFailed) return std::nullopt;
      return ParseAnswer(std::move(text));
    }
    pollfd ready{read_end.get(), POLLIN, 0};
    const int polled = ::poll(&ready, 1, kPollMilliseconds);
    if (polled < 0 && errno != EINTR) return std::nullopt;
    if (polled <= 0) continue;
    char buffer[64];
    const ssize_t count = ::read(read_end.get(), buffer, sizeof buffer);
    if (count < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return std::nullopt;
    }
    if (count == 0) {
      answered = true;
      continue;
    }
    text.append(buffer, static_cast<std::size_t>(count));
    if (text.size() > kLongestAnswer) return std::nullopt;
  }
}

namespace {

std::uint64_t CountAfresh(std::uint64_t limit, const StopFlag* stop, const PrimeCounter* counter) {
  if (counter != nullptr && limit >= kLibraryCountFrom) {
    if (const auto counted = counter->Count(limit, stop)) return *counted;
  }
  return CountPrimes(limit, kSievePrimeLimit, stop);
}

}  // namespace

std::uint64_t PrimesUpTo(std::uint64_t limit, const StopFlag* stop, const PrimeCounter* counter,
                         PrimeCountMemo* memo) {
  if (memo == nullptr) return CountAfresh(limit, stop, counter);
  const std::optional<std::uint64_t> near = memo->CountNear(limit, stop);
  const std::uint64_t count = near ? *near : CountAfresh(limit, stop, counter);
  memo->Remember(limit, count);
  return count;
}

}  // namespace korvex
