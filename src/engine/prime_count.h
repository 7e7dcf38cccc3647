// The prime-counting function for every 64-bit limit: small limits are
// sieved here, large ones counted by the prime-counting library, which
// answers up to 2^64 in seconds where a sieve would take days.
#pragma once

#include <cstdint>

#include "engine/stop_flag.h"

namespace korvex {

// From here on the library counts; below, the sieve is quicker than
// starting it.
inline constexpr std::uint64_t kLibraryCountFrom = 100'000'000;

// The number of primes p <= limit. A stop request ends the count within
// milliseconds by throwing Cancelled.
std::uint64_t PrimesUpTo(std::uint64_t limit, const StopFlag* stop);

}  // namespace korvex
