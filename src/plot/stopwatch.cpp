#include "plot/stopwatch.h"

#include <chrono>
#include <limits>

namespace korvex {

std::int64_t Stopwatch::NowMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::int64_t Stopwatch::Between(std::int64_t start, std::int64_t stop) {
  if (stop >= start) return stop - start;
  return (std::numeric_limits<std::int64_t>::max() - start) + stop;
}

void Stopwatch::Start() {
  start_time_ = NowMicroseconds();
  running_ = true;
}

std::int64_t Stopwatch::Stop() {
  stop_time_ = NowMicroseconds();
  elapsed_ = Between(start_time_, stop_time_);
  running_ = false;
  return elapsed_;
}

std::int64_t Stopwatch::Elapsed() {
  if (running_) {
    stop_time_ = NowMicroseconds();
    elapsed_ = Between(start_time_, stop_time_);
  }
  return elapsed_;
}

}  // namespace korvex
