// Stopwatch readings with the wrap rule, and the Plot info figures.
#include "plot/plot_timing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "plot/stopwatch.h"

namespace korvex {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(Stopwatch, ElapsedAndWrap) {
  struct Case {
    std::int64_t start, stop, elapsed;
  };
  const Case cases[] = {
      {1000, 1000, 0},  // same reading: nothing elapsed, not a wrap
      {1000, 4500, 3500},
      {kMax - 10, 5, 15},  // the clock wrapped
      {kMax, kMax - 1, kMax - 1},
  };
  for (const Case& c : cases) {
    ManualClock clock(c.start);
    Stopwatch watch(clock);
    watch.Start();
    clock.Set(c.stop);
    EXPECT_EQ(watch.Stop(), c.elapsed) << c.start << " " << c.stop;
  }
}

TEST(Stopwatch, ElapsedWhileRunningAndAfterStop) {
  ManualClock clock(100);
  Stopwatch watch(clock);
  EXPECT_EQ(watch.Elapsed(), 0);
  watch.Start();
  clock.Advance(40);
  EXPECT_EQ(watch.Elapsed(), 40);
  EXPECT_TRUE(watch.running());
  clock.Advance(60);
  EXPECT_EQ(watch.Stop(), 100);
  clock.Advance(500);
  EXPECT_EQ(watch.Elapsed(), 100);  // stopped: the last result
  EXPECT_FALSE(watch.running());
}

TEST(FillPlotFigures, TextsThroughSinglePrecision) {
  struct Case {
    std::int64_t net;
    std::size_t count;
    const char *done, *ms, *sec, *per_mu, *per_ms;
  };
  const Case cases[] = {
      {1520, 201, "1520 mu", "1,52 ms", "0,0015 sec", "7,5622 mu", "0,0076 ms"},
      {123456789, 1, "123456789 mu", "123456,7891 ms", "123,4568 sec", "123456789 mu",
       "123456,7891 ms"},
      {40, 3, "40 mu", "0,04 ms", "0 sec", "13,3333 mu", "0,0133 ms"},
      // No points: nothing to divide by.
      {0, 0, "0 mu", "0 ms", "0 sec", "n/a", "n/a"},
  };
  for (const Case& c : cases) {
    PlotInfo info;
    FillPlotFigures(info, c.net, c.count);
    EXPECT_EQ(info.calculations_done, std::to_string(c.count));
    EXPECT_EQ(info.done_mu, c.done) << c.net;
    EXPECT_EQ(info.done_ms, c.ms) << c.net;
    EXPECT_EQ(info.done_sec, c.sec) << c.net;
    EXPECT_EQ(info.per_calculation_mu, c.per_mu) << c.net;
    EXPECT_EQ(info.per_calculation_ms, c.per_ms) << c.net;
    EXPECT_EQ(info.function, "n/a");
  }
}

}  // namespace
}  // namespace korvex
