// The stop request of a running calculation: set from another thread (or a
// signal handler) and polled by the evaluation loop and the long function
// loops, which then abandon the request by throwing Cancelled.
#pragma once

#include <atomic>
#include <stdexcept>

namespace korvex {

inline constexpr const char* kCanceledMessage = "Operation was canceled.";

class StopFlag {
 public:
  // Lock-free, so a signal handler may call it.
  void Request() { requested_.store(true, std::memory_order_relaxed); }
  void Clear() { requested_.store(false, std::memory_order_relaxed); }
  bool requested() const { return requested_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> requested_{false};
  static_assert(std::atomic<bool>::is_always_lock_free);
};

class Cancelled : public std::runtime_error {
 public:
  Cancelled() : std::runtime_error(kCanceledMessage) {}
};

// For loops that may run long: ends the request when a stop was asked for.
inline void ThrowIfStopRequested(const StopFlag* stop) {
  if (stop != nullptr && stop->requested()) throw Cancelled();
}

}  // namespace korvex
