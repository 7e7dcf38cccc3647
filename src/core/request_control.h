// A running request's stop, progress and pause: the one state the worker
// and the thread that started the request share, all of it atomic or behind
// this object's own lock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>

#include "engine/stop_flag.h"

namespace korvex {

class RequestControl {
 public:
  // Every request starts running, with no stop asked for and position 0.
  void Begin();

  // Safe from any thread and from a signal handler.
  void RequestStop() { stop_.Request(); }
  const StopFlag& stop_flag() const { return stop_; }
  bool stop_requested() const { return stop_.requested(); }

  // The newest series' point count, written by the worker and read by a
  // timer of the window thread.
  void set_position(std::size_t position) { position_.store(position, std::memory_order_relaxed); }
  std::size_t position() const { return position_.load(std::memory_order_relaxed); }

  // On the worker, when the Reminder is due: calls `ask` (which shows the
  // question elsewhere and returns at once), then pauses until the answer
  // comes (AnswerReminder) or a stop is requested. True to go on. The pause
  // begins before `ask`, so an answer given at once is not missed.
  bool WaitForReminderAnswer(const std::function<void()>& ask);
  // From the thread that shows the Reminder.
  void AnswerReminder(bool go_on);
  bool reminder_pending() const;

 private:
  enum class Reminder { kNone, kWaiting, kGoOn, kStop };

  StopFlag stop_;
  std::atomic<std::size_t> position_{0};
  mutable std::mutex mutex_;
  std::condition_variable answered_;
  Reminder reminder_ = Reminder::kNone;
};

}  // namespace korvex
