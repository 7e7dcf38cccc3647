// The prime-counting function for every 64-bit limit: small limits are
// sieved here, large ones handed to a counter that answers up to 2^64 in
// seconds where a sieve would take days.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

#include "engine/prime_count_memo.h"
#include "engine/stop_flag.h"

namespace korvex {

// From here on the counter counts; below, the sieve is quicker than
// starting it.
inline constexpr std::uint64_t kLibraryCountFrom = 100'000'000;

// Counts primes for large limits. Whoever builds the engine hands one in
// (FunctionState::prime_counter), so the engine knows nothing of where a
// counter comes from.
class PrimeCounter {
 public:
  virtual ~PrimeCounter();
  // The number of primes p <= limit, or nothing when this counter could not
  // tell; the caller then sieves. A stop request ends the count within
  // milliseconds by throwing Cancelled.
  virtual std::optional<std::uint64_t> Count(std::uint64_t limit, const StopFlag* stop) const = 0;
};

// Runs the helper program at `helper` (korvex-primecount) for each count:
// the library it uses cannot be interrupted, but a process can be ended.
class SpawnedPrimeCounter final : public PrimeCounter {
 public:
  explicit SpawnedPrimeCounter(std::filesystem::path helper) : helper_(std::move(helper)) {}

  // Nothing when the helper cannot be started or gives no valid answer.
  std::optional<std::uint64_t> Count(std::uint64_t limit, const StopFlag* stop) const override;
  const std::filesystem::path& helper() const { return helper_; }

 private:
  std::filesystem::path helper_;
};

// The number of primes p <= limit: from `memo`'s last count when that lies
// near, else `counter` (when there is one) from kLibraryCountFrom on, the
// sieve below that or when the counter has no answer; the memo keeps the
// count. A stop request ends the count within milliseconds by throwing
// Cancelled.
std::uint64_t PrimesUpTo(std::uint64_t limit, const StopFlag* stop, const PrimeCounter* counter,
                         PrimeCountMemo* memo = nullptr);

}  // namespace korvex
