// Stopwatch readings and the wrap rule.
#include "plot/stopwatch.h"

#include <time.h>

#include <chrono>
#include <limits>

namespace korvex {
namespace {

// The steady clock's time at the kernel's last tick: a read costs a few
// nanoseconds where the precise one costs tens.
class CoarseMicrosecondClock : public Clock {
 public:
  std::int64_t NowMicroseconds() const override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
  }
};

class SteadyMicrosecondClock : public Clock {
 public:
  std::int64_t NowMicroseconds() const override {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  const Clock& Coarse() const override { return coarse_; }

 private:
  CoarseMicrosecondClock coarse_;
};

}  // namespace

const Clock& SteadyClock() {
  static const SteadyMicrosecondClock clock;
  return clock;
}

std::int64_t Stopwatch::Between(std::int64_t start, std::int64_t stop) {
  // Formed in unsigned arithmetic: readings far apart (or negative ones from
  // a manual clock) must not overflow.
  if (stop >= start)
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(stop) -
                                     static_cast<std::uint64_t>(start));
  const auto wrapped = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) -
                       static_cast<std::uint64_t>(start) + static_cast<std::uint64_t>(stop);
  return static_cast<std::int64_t>(wrapped);
}

void Stopwatch::Start() {
  start_time_ = clock_->NowMicroseconds();
  running_ = true;
}

std::int64_t Stopwatch::Stop() {
  stop_time_ = clock_->NowMicroseconds();
  elapsed_ = Between(start_time_, stop_time_);
  running_ = false;
  return elapsed_;
}

std::int64_t Stopwatch::Elapsed() {
  if (running_) {
    stop_time_ = clock_->NowMicroseconds();
    elapsed_ = Between(start_time_, stop_time_);
  }
  return elapsed_;
}

}  // namespace korvex
