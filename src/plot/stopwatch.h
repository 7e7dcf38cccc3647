// Stopwatch: microseconds on the steady clock, used to time plot runs.
#pragma once

#include <cstdint>

namespace korvex {

class Stopwatch {
 public:
  void Start();
  std::int64_t Stop();
  std::int64_t Elapsed();
  bool running() const { return running_; }

  // Elapsed time between two readings; a stop reading before the start
  // reading means the clock wrapped.
  static std::int64_t Between(std::int64_t start, std::int64_t stop);
  static std::int64_t NowMicroseconds();

 private:
  bool running_ = false;
  std::int64_t start_time_ = 0;
  std::int64_t stop_time_ = 0;
  std::int64_t elapsed_ = 0;
};

}  // namespace korvex
