// The statistics functions over any number of values, checked as the number
// texts the engine writes back, and the failures that abandon a call.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"
#include "engine/number_text.h"
#include "engine/stop_flag.h"

#include "test_support.h"

namespace korvex {
namespace {

std::string Compute(const std::string& call) { return testing::ComputeCall(call); }
std::string FailureOf(const std::string& call) { return testing::FailureOfCall(call); }

TEST(StatisticsFunctions, SumsAndExtremes) {
  const struct {
    const char* call;
    const char* result;
  } cases[] = {
      {"count[4;8;15]", "3"},
      {"count[1E400]", "1"},  // the values are not read
      {"sum[1;2;3;4]", "10"},
      {"sum[0.1;0.2]", "0,3"},
      // Each value is rounded to double first: the 1E-16 is lost.
      {"sum[1.0000000000000001;-1]", "0"},
      // The sum itself is extended: in double 1E16 + 1 would lose the 1.
      {"sum[1E16;1;-1E16]", "1"},
      {"mean[1;2;3;4]", "2,5"},
      {"mean[-7]", "-7"},
      {"min[3;-1;2]", "-1"},
      {"max[3;-1;2]", "3"},
      {"min[5]", "5"},
      {"max[-2;-2;-9]", "-2"},
      {"sumsquares[3;4]", "25"},
      {"sumsquares[1E300;1E300]", "2E600"},
      {"norm[3;4]", "5"},
      {"norm[1E200;1E200]", "1,4142135623731E200"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(StatisticsFunctions, MedianSortsTheValues) {
  const struct {
    const char* call;
    const char* result;
  } cases[] = {
      {"median[3;1;2]", "2"},
      {"median[4;1;3;2]", "2,5"},
      {"median[1.5;2.7;3.2]", "2,7"},
      {"median[5]", "5"},
      {"median[9;-3]", "3"},
      {"median[2;2;1;2]", "2"},
      {"median[10;9;8;7;6;5;4;3;2;1]", "5,5"},
      {"median[1;100;2;99;3]", "3"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(StatisticsFunctions, VariancesAndDeviations) {
  const struct {
    const char* call;
    const char* result;
  } cases[] = {
      {"statvar[2;4;4;4;5;5;7;9]", "32"},
      {"popvar[2;4;4;4;5;5;7;9]", "4"},
      {"popstddev[2;4;4;4;5;5;7;9]", "2"},
      {"var[2;4;4;4;5;5;7;9]", "4,57142857142857"},
      {"stddev[2;4;4;4;5;5;7;9]", "2,1380899352994"},
      {"popvar[5]", "0"},
      {"popstddev[5]", "0"},
      {"var[1;3]", "2"},
      // Rounding in the one-pass form leaves these a hair below zero;
      // they must not turn into a negative variance or NAN.
      {"statvar[0.3;0.3;0.3;0.3;0.3]", "0"},
      {"var[0.3;0.3;0.3;0.3;0.3]", "0"},
      {"stddev[0.3;0.3;0.3;0.3;0.3]", "0"},
      {"popstddev[0.3;0.3;0.3;0.3;0.3]", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(StatisticsFunctions, ArithmeticFailuresAbandonTheCall) {
  const struct {
    const char* call;
    const char* failure;
  } cases[] = {
      {"var[5]", kInvalidOperation},  // 0 / 0
      {"stddev[5]", kInvalidOperation},
      // A value beyond the double range cannot be copied into the list.
      {"sum[1E400]", kOverflow},
      {"max[1;-1E400]", kOverflow},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.call), c.failure) << c.call;
}

// The median as it was computed with an insertion sort (quadratic).
long double InsertionSortMedian(const std::vector<long double>& args) {
  std::vector<double> values(args.begin(), args.end());
  const size_t n = values.size();
  if (n == 0) return 0;
  for (size_t i = 1; i < n; ++i) {
    const double value = values[i];
    size_t j = i;
    for (; j > 0 && values[j - 1] > value; --j) values[j] = values[j - 1];
    values[j] = value;
  }
  if (n % 2 == 1) return values[(n + 1) / 2 - 1];
  return Multiply(Add(values[n / 2 - 1], values[n / 2]), 0.5L);
}

// The value, or the failure's text.
std::string Outcome(long double (*median)(const std::vector<long double>&),
                    const std::vector<long double>& values) {
  try {
    const long double value = median(values);
    char bits[32];
    std::snprintf(bits, sizeof bits, "%La", value);  // the sign of zero and NAN too
    return bits;
  } catch (const ArithmeticFailure& failure) {
    return failure.what();
  }
}

long double EngineMedian(const std::vector<long double>& values) {
  FunctionState state;
  return ComputeFunction("median", values, state);
}

TEST(StatisticsFunctions, MedianMatchesTheInsertionSortOnRandomLists) {
  std::mt19937_64 random(31);
  for (int list = 0; list < 400; ++list) {
    // Lengths around the sort's run and pass sizes; few distinct values, so
    // equal ones and zeros of both signs meet; now and then a NAN or INF.
    const size_t n = 1 + random() % (list % 4 == 0 ? 3000 : 100);
    std::vector<long double> values;
    for (size_t i = 0; i < n; ++i) {
      const int kind = static_cast<int>(random() % 40);
      if (kind == 0) {
        values.push_back(list % 3 == 0 ? NAN : INFINITY);
      } else if (kind < 4) {
        values.push_back(random() % 2 ? 0.0L : -0.0L);
      } else {
        values.push_back(static_cast<long double>(static_cast<int>(random() % 50) - 25) / 4);
      }
    }
    EXPECT_EQ(Outcome(EngineMedian, values), Outcome(InsertionSortMedian, values)) << list;
  }
}

TEST(StatisticsFunctions, MedianOfManyValuesIsQuick) {
  std::vector<long double> descending;
  for (int i = 100000; i > 0; --i) descending.push_back(i);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FloatToStr(EngineMedian(descending)), "50000,5");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  std::vector<long double> values(100001, 7);
  values[0] = -1;
  values[100000] = 1E300L;
  EXPECT_EQ(FloatToStr(EngineMedian(values)), "7");
}

TEST(StatisticsFunctions, MedianEndsOnAStopRequest) {
  std::vector<long double> values;
  for (int i = 1000000; i > 0; --i) values.push_back(i);
  StopFlag flag;
  flag.Request();
  FunctionState state;
  state.stop = &flag;
  EXPECT_THROW(ComputeFunction("median", values, state), Cancelled);
  // Without the request the same state computes it.
  flag.Clear();
  EXPECT_EQ(FloatToStr(ComputeFunction("median", values, state)), "500000,5");
}

}  // namespace
}  // namespace korvex
