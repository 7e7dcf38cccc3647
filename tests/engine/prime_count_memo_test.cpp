// Prime counts carried on from the last one: every count equals the count
// made afresh, whichever way the limit moved and however far.
#include "engine/prime_count_memo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "engine/function_helpers.h"
#include "engine/prime_count.h"

namespace korvex {
namespace {

// Counts that tell a stale memo from a fresh one: a PrimeCounter that
// answers every large limit as the sieve does, and counts its calls.
class CountingCounter : public PrimeCounter {
 public:
  std::optional<std::uint64_t> Count(std::uint64_t limit, const StopFlag* /*stop*/) const override {
    ++calls;
    return CountPrimes(limit);
  }
  mutable int calls = 0;
};

TEST(PrimeCountMemoTest, EachLimitOfASequenceCountsAsAFreshCountDoes) {
  // One memo along all of these, in order.
  const std::vector<std::vector<std::uint64_t>> walks = {
      // The smallest limits, both ways, and the same limit again.
      {0, 1, 2, 3, 4, 10, 9, 2, 1000, 1000, 999},
      // Across a whole segment of odd numbers.
      {524288, 524289, 1},
      // Near steps across the limit from which the counter is asked.
      {99999000, 100000000, 100001001, 99998999, 100000007, 100000006},
      // Far jumps, and the widest near step.
      {150000000, 50000000, 49999999, 1000000, 3000000, 3000001, 2, 1ULL << 30},
      {(1ULL << 30) + 65536},
  };
  PrimeCountMemo memo;
  CountingCounter counter;
  for (const std::vector<std::uint64_t>& walk : walks) {
    for (const std::uint64_t limit : walk) {
      SCOPED_TRACE(limit);
      EXPECT_EQ(PrimesUpTo(limit, nullptr, &counter, &memo), CountPrimes(limit));
    }
  }
  // Only the far jumps to limits the counter takes (1.5 * 10^8 and 2^30)
  // asked it.
  EXPECT_EQ(counter.calls, 2);
}

TEST(PrimeCountMemoTest, SeededWalksAgreeWithTheSieve) {
  std::mt19937_64 random(20261211);
  for (const std::uint64_t base : {0, 5'000'000, 99'000'000}) {
    PrimeCountMemo memo;
    std::uint64_t limit = base;
    for (int step = 0; step < 12; ++step) {
      // Mostly near steps either way, now and then one beyond the gap.
      const std::uint64_t reach = step % 5 == 4 ? 3 * PrimeCountMemo::kNearGap : 70000;
      const std::uint64_t move = random() % reach;
      limit = random() % 2 == 0 || limit < move ? limit + move : limit - move;
      SCOPED_TRACE(limit);
      EXPECT_EQ(PrimesUpTo(limit, nullptr, nullptr, &memo), CountPrimes(limit));
    }
  }
}

}  // namespace
}  // namespace korvex
