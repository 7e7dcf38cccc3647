// Stopwatch: a microsecond timer over an injectable monotonic clock, used to
// time plot runs, the stays in the Reminder dialog and the reminder interval.
#pragma once

#include <cstdint>

namespace korvex {

// A monotonic clock reading in microseconds.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMicroseconds() const = 0;
  // The same time, cheaper to read and good to a few milliseconds, for a
  // decision taken at every plot sample; by default the clock itself.
  virtual const Clock& Coarse() const { return *this; }
};

// The process's steady clock; stateless, shared by every stopwatch.
const Clock& SteadyClock();

// A clock that only moves when told to, for tests and simulations.
class ManualClock : public Clock {
 public:
  explicit ManualClock(std::int64_t now = 0) : now_(now) {}
  std::int64_t NowMicroseconds() const override { return now_; }
  void Set(std::int64_t now) { now_ = now; }
  void Advance(std::int64_t microseconds) { now_ += microseconds; }

 private:
  std::int64_t now_;
};

class Stopwatch {
 public:
  explicit Stopwatch(const Clock& clock = SteadyClock()) : clock_(&clock) {}

  void Start();
  std::int64_t Stop();
  // While running: the time since Start, and the stopwatch keeps running.
  // Otherwise the result of the last Stop.
  std::int64_t Elapsed();
  bool running() const { return running_; }

  // Elapsed time between two readings; a stop reading before the start
  // reading means the clock wrapped.
  static std::int64_t Between(std::int64_t start, std::int64_t stop);

 private:
  const Clock* clock_;
  bool running_ = false;
  std::int64_t start_time_ = 0;
  std::int64_t stop_time_ = 0;
  std::int64_t elapsed_ = 0;
};

}  // namespace korvex
