// The last prime count an engine made, so that primepi along a plot, whose
// limits move a little from sample to sample, sieves only the numbers
// between one limit and the next.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/stop_flag.h"

namespace korvex {

class PrimeCountMemo {
 public:
  // Limits at most this far from the last one are counted from it: a
  // segment of odd numbers this long takes about a millisecond, what asking
  // the counter for a large limit costs.
  static constexpr std::uint64_t kNearGap = std::uint64_t{1} << 21;
  // From the square root of this on the primes to sieve with would take more
  // memory than the count is worth keeping.
  static constexpr std::uint64_t kLargestLimit = std::uint64_t{1} << 48;

  // The number of primes p <= limit when the last count lies near enough;
  // nothing otherwise. A stop request throws Cancelled.
  std::optional<std::uint64_t> CountNear(std::uint64_t limit, const StopFlag* stop);
  // An exact count, made any way, for the next limit to start from.
  void Remember(std::uint64_t limit, std::uint64_t count) {
    known_ = true;
    limit_ = limit;
    count_ = count;
  }

 private:
  // The odd primes up to `bound` (at least), kept for the next segments.
  const std::vector<std::uint32_t>& OddPrimesTo(std::uint64_t bound);

  bool known_ = false;
  std::uint64_t limit_ = 0;
  std::uint64_t count_ = 0;
  std::uint64_t primes_bound_ = 0;
  std::vector<std::uint32_t> odd_primes_;
};

// The number of primes p with low < p <= high (low < high), by a sieve of the
// odd numbers between with `odd_primes`, every odd prime up to the square
// root of high in order. A stop request throws Cancelled.
std::uint64_t CountPrimesBetween(std::uint64_t low, std::uint64_t high,
                                 const std::vector<std::uint32_t>& odd_primes,
                                 const StopFlag* stop);

}  // namespace korvex
