// The library cannot be interrupted, so a large count runs in a child
// process that a stop request simply ends; the parent only waits for its
// answer on a pipe.
#include "engine/prime_count.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <primecount.hpp>
#include <string>

#include "engine/function_helpers.h"

namespace korvex {
namespace {

constexpr int kPollMilliseconds = 10;

// In the child: count, write the decimal answer, leave without running the
// parent's exit handlers.
[[noreturn]] void CountInChild(std::uint64_t limit, int answer) {
  std::string text;
  try {
    text = primecount::pi(std::to_string(limit));
  } catch (...) {
    ::_exit(1);
  }
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(answer, data, left);
    if (written <= 0) ::_exit(1);
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  ::_exit(0);
}

void EndChild(pid_t child) {
  ::kill(child, SIGKILL);
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// Nothing when the child could not be started or gave no answer; the caller
// then sieves.
std::optional<std::uint64_t> CountInChildProcess(std::uint64_t limit, const StopFlag* stop) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    return std::nullopt;
  }
  if (child == 0) {
    ::close(pipe_ends[0]);
    CountInChild(limit, pipe_ends[1]);
  }
  ::close(pipe_ends[1]);
  std::string text;
  bool complete = false;
  while (!complete) {
    if (stop != nullptr && stop->requested()) {
      ::close(pipe_ends[0]);
      EndChild(child);
      throw Cancelled();
    }
    pollfd ready{pipe_ends[0], POLLIN, 0};
    const int polled = ::poll(&ready, 1, kPollMilliseconds);
    if (polled < 0 && errno != EINTR) break;
    if (polled <= 0) continue;
    char buffer[64];
    const ssize_t count = ::read(pipe_ends[0], buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      complete = true;  // the child closed its end
    } else {
      text.append(buffer, static_cast<std::size_t>(count));
    }
  }
  ::close(pipe_ends[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::uint64_t PrimesUpTo(std::uint64_t limit, const StopFlag* stop) {
  if (limit >= kLibraryCountFrom) {
    if (const auto counted = CountInChildProcess(limit, stop)) return *counted;
  }
  return CountPrimes(limit, kSievePrimeLimit, stop);
}

}  // namespace korvex
