// The signals that meet the terminal prompt. While the editor waits for a
// key the terminal is in the editor's own modes, perhaps with the preview
// row shown: a signal that ends or stops the program (Ctrl+C, Ctrl+\,
// Ctrl+Z, kill, hang-up) first gives the terminal back as the shell left
// it, without the row, and then does what it did before. A continue and a
// resize are noted for the reading thread, which redraws.
#pragma once

#include <signal.h>
#include <termios.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

#include "cli/preview_line.h"

namespace korvex {

inline constexpr std::array<int, 5> kPromptEndingSignals = {SIGINT, SIGQUIT, SIGTERM, SIGHUP,
                                                            SIGTSTP};
inline constexpr std::array<int, 2> kPromptRedrawSignals = {SIGCONT, SIGWINCH};

// Handles those signals while it lives. A signal the program ignores stays
// ignored. One at a time: a signal handler reaches it through a global.
class PromptSignals {
 public:
  explicit PromptSignals(int terminal_fd);
  ~PromptSignals();
  PromptSignals(const PromptSignals&) = delete;
  PromptSignals& operator=(const PromptSignals&) = delete;

  // The editor takes the terminal, whose modes are now `outside`, and
  // gives it back.
  void EditingBegins(const termios& outside);
  void EditingEnds();

  // Where the shown preview stands; nothing while none is shown, or after a
  // signal took it off. Set only while the signals are held (HeldSignals),
  // together with the bytes that drew or cleared the row.
  std::optional<PreviewPlacement> shown() const;
  void set_shown(std::optional<PreviewPlacement> place);

  // Whether the program was continued after a stop, or the terminal
  // resized, since the last call.
  bool TakeContinued() { return continued_.exchange(false); }
  bool TakeResized() { return resized_.exchange(false); }

  // For the handlers.
  void BeforeLeaving(int signal);
  void Noted(int signal);
  const struct sigaction& previous(int signal) const;

 private:
  const int terminal_fd_;
  // rows_down in the high half, column in the low; 0 while none is shown.
  std::atomic<std::uint64_t> shown_{0};
  std::atomic<bool> editing_{false};
  std::atomic<bool> continued_{false};
  std::atomic<bool> resized_{false};
  termios outside_{};
  static constexpr std::size_t kHandled = kPromptEndingSignals.size() + kPromptRedrawSignals.size();
  std::array<struct sigaction, kHandled> previous_{};
  std::array<bool, kHandled> installed_{};
};

// Holds back the ending signals on the calling thread while it lives, so
// one arriving while the terminal is written waits until the write and
// what PromptSignals knows agree.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t previous_{};
};

}  // namespace korvex
