// Counting primes from the last count: a sieve of the segment between.
#include "engine/prime_count_memo.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "engine/function_helpers.h"

namespace korvex {
namespace {

std::uint64_t IntegerSqrt(std::uint64_t n) {
  auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
  while (root > 0 && root > n / root) --root;
  while (root + 1 <= n / (root + 1)) ++root;
  return root;
}

// Odd numbers per pass of the segment sieve: 32 KiB of bits.
constexpr std::uint64_t kSegmentOdds = std::uint64_t{1} << 18;

}  // namespace

std::uint64_t CountPrimesBetween(std::uint64_t low, std::uint64_t high,
                                 const std::vector<std::uint32_t>& odd_primes,
                                 const StopFlag* stop) {
  std::uint64_t count = low < 2 && high >= 2 ? 1 : 0;
  // The odd numbers n = 2j + 1 with low < n <= high, by their index j; 1
  // (j = 0) is no prime.
  const std::uint64_t first = std::max<std::uint64_t>(low / 2 + (low % 2 == 0 ? 0 : 1), 1);
  if (high < 3) return count;
  const std::uint64_t last = (high - 1) / 2;
  std::vector<std::uint64_t> bits(kSegmentOdds / 64);
  for (std::uint64_t begin = first; begin <= last; begin += kSegmentOdds) {
    ThrowIfStopRequested(stop);
    const std::uint64_t end = std::min(last, begin + kSegmentOdds - 1);  // inclusive
    std::fill(bits.begin(), bits.end(), 0);
    for (const std::uint32_t prime : odd_primes) {
      const std::uint64_t p = prime;
      const std::uint64_t square_index = p * p / 2;
      if (square_index > end) break;
      // The first odd multiple of p at index >= begin, from p^2 on: odd
      // multiples of p are p apart in index, starting at p / 2.
      std::uint64_t j = square_index;
      if (j < begin) j = begin + (p - (begin - p / 2) % p) % p;
      for (; j <= end; j += p) bits[(j - begin) >> 6] |= std::uint64_t{1} << ((j - begin) & 63);
    }
    const std::uint64_t size = end - begin + 1;
    for (std::uint64_t w = 0; w < size / 64; ++w) count += 64 - std::popcount(bits[w]);
    if (size % 64 != 0) {
      const std::uint64_t used = (std::uint64_t{1} << (size % 64)) - 1;
      count += std::popcount(~bits[size / 64] & used);
    }
  }
  return count;
}

const std::vector<std::uint32_t>& PrimeCountMemo::OddPrimesTo(std::uint64_t bound) {
  if (bound <= primes_bound_) return odd_primes_;
  // Grown by doubling, so a rising plot sieves its primes a few times only.
  const std::uint64_t target = std::max(bound, 2 * primes_bound_);
  std::vector<bool> composite(target / 2 + 1);
  odd_primes_.clear();
  for (std::uint64_t n = 3; n <= target; n += 2) {
    if (composite[n / 2]) continue;
    odd_primes_.push_back(static_cast<std::uint32_t>(n));
    for (std::uint64_t m = n * n; m <= target; m += 2 * n) composite[m / 2] = true;
  }
  primes_bound_ = target;
  return odd_primes_;
}

std::optional<std::uint64_t> PrimeCountMemo::CountNear(std::uint64_t limit, const StopFlag* stop) {
  if (!known_ || limit > kLargestLimit || limit_ > kLargestLimit) return std::nullopt;
  if (limit == limit_) return count_;
  const std::uint64_t low = std::min(limit, limit_);
  const std::uint64_t high = std::max(limit, limit_);
  if (high - low > kNearGap) return std::nullopt;
  const std::uint64_t between = CountPrimesBetween(low, high, OddPrimesTo(IntegerSqrt(high)), stop);
  return limit > limit_ ? count_ + between : count_ - between;
}

}  // namespace korvex
