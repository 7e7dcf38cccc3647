// The Reminder's pause: the worker waits on its own request's state, never
// on a window, and a stop ends the wait within milliseconds.
#include "core/request_control.h"

#include <chrono>

namespace korvex {
namespace {

// A stop may come from a signal handler, which cannot notify; the wait
// looks at the stop flag this often.
constexpr std::chrono::milliseconds kStopPoll{10};

}  // namespace

void RequestControl::Begin() {
  stop_.Clear();
  position_.store(0, std::memory_order_relaxed);
  const std::lock_guard lock(mutex_);
  reminder_ = Reminder::kNone;
}

bool RequestControl::WaitForReminderAnswer(const std::function<void()>& ask) {
  {
    const std::lock_guard lock(mutex_);
    reminder_ = Reminder::kWaiting;
  }
  ask();
  std::unique_lock lock(mutex_);
  while (reminder_ == Reminder::kWaiting && !stop_.requested()) answered_.wait_for(lock, kStopPoll);
  const bool go_on = reminder_ == Reminder::kGoOn && !stop_.requested();
  reminder_ = Reminder::kNone;
  return go_on;
}

void RequestControl::AnswerReminder(bool go_on) {
  {
    const std::lock_guard lock(mutex_);
    if (reminder_ != Reminder::kWaiting) return;
    reminder_ = go_on ? Reminder::kGoOn : Reminder::kStop;
  }
  answered_.notify_all();
}

bool RequestControl::reminder_pending() const {
  const std::lock_guard lock(mutex_);
  return reminder_ == Reminder::kWaiting;
}

}  // namespace korvex
