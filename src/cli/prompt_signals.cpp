#include "cli/prompt_signals.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace korvex {
namespace {

// A signal handler can reach nothing but a global: the PromptSignals
// alive, and only while it lives.
std::atomic<PromptSignals*> active_signals{nullptr};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

// The ending signals first, then the redrawing ones.
constexpr auto kHandledSignals = [] {
  std::array<int, kPromptEndingSignals.size() + kPromptRedrawSignals.size()> all{};
  const auto after_ending =
      std::copy(kPromptEndingSignals.begin(), kPromptEndingSignals.end(), all.begin());
  std::copy(kPromptRedrawSignals.begin(), kPromptRedrawSignals.end(), after_ending);
  return all;
}();

std::size_t IndexOf(int signal) {
  const auto found = std::find(kHandledSignals.begin(), kHandledSignals.end(), signal);
  return found == kHandledSignals.end() ? 0
                                        : static_cast<std::size_t>(found - kHandledSignals.begin());
}

bool IsPlainHandler(const struct sigaction& action) {
  return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler != SIG_DFL &&
         action.sa_handler != SIG_IGN;
}

void OnEndingSignal(int signal) {
  const int saved_errno = errno;
  PromptSignals* signals = active_signals.load();
  if (signals != nullptr) signals->BeforeLeaving(signal);
  // What the signal did before: ends the program, or stops it until it is
  // continued, when this handler catches the next one again.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  struct sigaction ours {};
  sigaction(signal, signals != nullptr ? &signals->previous(signal) : &fallback, &ours);
  sigset_t just_this;
  sigemptyset(&just_this);
  sigaddset(&just_this, signal);
  raise(signal);
  pthread_sigmask(SIG_UNBLOCK, &just_this, nullptr);
  pthread_sigmask(SIG_BLOCK, &just_this, nullptr);
  sigaction(signal, &ours, nullptr);
  // Still here (continued, or the stop did not apply): the prompt takes the
  // terminal back.
  if (signals != nullptr) signals->Noted(SIGCONT);
  errno = saved_errno;
}

void OnRedrawSignal(int signal) {
  const int saved_errno = errno;
  if (PromptSignals* signals = active_signals.load()) {
    signals->Noted(signal);
    const struct sigaction& previous = signals->previous(signal);
    if (IsPlainHandler(previous)) previous.sa_handler(signal);
  }
  errno = saved_errno;
}

sigset_t EndingSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kPromptEndingSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

PromptSignals::PromptSignals(int terminal_fd) : terminal_fd_(terminal_fd) {
  active_signals.store(this);
  struct sigaction action {};
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kHandledSignals.size(); ++i) {
    const int signal = kHandledSignals[i];
    if (sigaction(signal, nullptr, &previous_[i]) != 0 || previous_[i].sa_handler == SIG_IGN)
      continue;
    action.sa_handler = i < kPromptEndingSignals.size() ? OnEndingSignal : OnRedrawSignal;
    installed_[i] = sigaction(signal, &action, nullptr) == 0;
  }
}

PromptSignals::~PromptSignals() {
  for (std::size_t i = 0; i < kHandledSignals.size(); ++i)
    if (installed_[i]) sigaction(kHandledSignals[i], &previous_[i], nullptr);
  active_signals.store(nullptr);
}

void PromptSignals::EditingBegins(const termios& outside) {
  const HeldSignals held;
  outside_ = outside;
  editing_.store(true);
  // A continue or resize before this line belongs to the earlier one.
  continued_.store(false);
  resized_.store(false);
}

void PromptSignals::EditingEnds() { editing_.store(false); }

std::optional<PreviewPlacement> PromptSignals::shown() const {
  const std::uint64_t packed = shown_.load();
  if (packed == 0) return std::nullopt;
  return PreviewPlacement{static_cast<int>(packed >> 32), static_cast<int>(packed & 0xFFFFFFFFu)};
}

void PromptSignals::set_shown(std::optional<PreviewPlacement> place) {
  shown_.store(place ? static_cast<std::uint64_t>(place->rows_down) << 32 |
                           static_cast<std::uint32_t>(place->column)
                     : 0);
}

void PromptSignals::BeforeLeaving(int signal) {
  if (const std::optional<PreviewPlacement> place = shown()) {
    char sequence[kMaxEraseBytes];
    const std::size_t length = EraseSequence(*place, sequence);
    std::size_t written = 0;
    while (written < length) {
      const ssize_t count = ::write(terminal_fd_, sequence + written, length - written);
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) break;
      written += static_cast<std::size_t>(count);
    }
    shown_.store(0);
  }
  if (!editing_.load()) return;
  ::tcsetattr(terminal_fd_, TCSADRAIN, &outside_);
  // Ending, the shell's next prompt starts on a line of its own rather than
  // after the half-typed expression; a stop comes back to the same line.
  if (signal == SIGTSTP) return;
  const char newline[] = "\r\n";
  while (::write(terminal_fd_, newline, sizeof newline - 1) < 0 && errno == EINTR) {
  }
}

void PromptSignals::Noted(int signal) { (signal == SIGCONT ? continued_ : resized_).store(true); }

const struct sigaction& PromptSignals::previous(int signal) const {
  return previous_[IndexOf(signal)];
}

HeldSignals::HeldSignals() {
  const sigset_t held = EndingSignalSet();
  pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace korvex
