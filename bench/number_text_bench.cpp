// Speed of the number texts, the fast paths against the original conversions
// through the C library (namespace reference), and a full verification that
// the fast paths give the reference's texts and values bit for bit.
//
// The verification (BM_VerifyAgainstReference) checks 10 million random values
// on all cores, which takes a while; its counter "mismatches" must be 0. Run
// only the timings with --benchmark_filter=-Verify.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/number_text.h"
#include "engine/number_text_reference.h"

namespace korvex {
namespace {

long double FromFields(std::uint64_t mantissa, int biased, bool negative) {
  unsigned char bytes[sizeof(long double)] = {};
  const auto sign_exponent = static_cast<std::uint16_t>(biased | (negative ? 0x8000 : 0));
  std::memcpy(bytes, &mantissa, 8);
  std::memcpy(bytes + 8, &sign_exponent, 2);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

bool SameValue(const std::optional<long double>& a, const std::optional<long double>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a.has_value() || std::memcmp(&*a, &*b, 10) == 0;
}

// Random values: mostly results of everyday size, some over the whole range,
// whole numbers, subnormals, exact decimal ties and the neighbours of all.
class Values {
 public:
  explicit Values(std::uint64_t seed) : random_(seed) {}

  long double Next() {
    long double value = Pick();
    const std::uint64_t r = random_() % 8;
    if (r == 0) value = std::nextafterl(value, INFINITY);
    if (r == 1) value = std::nextafterl(value, -INFINITY);
    return value;
  }

  long double Everyday() {  // about 1E-30 .. 1E30
    return FromFields(random_() | (1ULL << 63), 16383 - 100 + static_cast<int>(random_() % 200),
                      (random_() & 1) != 0);
  }

 private:
  long double Pick() {
    const bool negative = (random_() & 1) != 0;
    switch (random_() % 16) {
      case 0:
      case 1:  // anywhere in the normal range
        return FromFields(random_() | (1ULL << 63), 1 + static_cast<int>(random_() % 32766),
                          negative);
      case 2:  // subnormal
        return FromFields(random_() >> (random_() % 64), 0, negative);
      case 3: {  // whole
        const long double n = static_cast<long double>(random_() >> (random_() % 64));
        return negative ? -n : n;
      }
      case 4: {  // 16 digits ending in 5 exactly, scaled by powers of two that keep the tie
        const std::uint64_t d = 100000000000000ULL + random_() % 900000000000000ULL;
        const long double tie = static_cast<long double>(2 * d + 1) / 2;
        return negative ? -tie : tie;
      }
      case 5: {  // a 15-digit decimal, the round trip's fixed points
        const long double x =
            static_cast<long double>(100000000000000ULL + random_() % 900000000000000ULL) *
            std::pow(10.0L, static_cast<int>(random_() % 80) - 54);
        return negative ? -x : x;
      }
      default:
        return Everyday();
    }
  }

  std::mt19937_64 random_;
};

std::vector<long double> EverydayValues() {
  Values values(1);
  std::vector<long double> sample(4096);
  for (long double& v : sample) v = values.Everyday();
  return sample;
}

void BM_RoundThroughNumberText_Reference(benchmark::State& state) {
  const std::vector<long double> sample = EverydayValues();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reference::RoundThroughNumberText(sample[i++ & 4095]));
  }
}
BENCHMARK(BM_RoundThroughNumberText_Reference);

void BM_RoundThroughNumberText_Fast(benchmark::State& state) {
  const std::vector<long double> sample = EverydayValues();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(RoundThroughNumberText(sample[i++ & 4095]));
}
BENCHMARK(BM_RoundThroughNumberText_Fast);

// Whole values below 10^15, the cheapest case.
void BM_RoundThroughNumberText_FastWhole(benchmark::State& state) {
  std::vector<long double> sample(4096);
  std::mt19937_64 random(2);
  for (long double& v : sample) v = static_cast<long double>(random() % 1000000);
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(RoundThroughNumberText(sample[i++ & 4095]));
}
BENCHMARK(BM_RoundThroughNumberText_FastWhole);

// Over the whole range the C library's exact conversions get much slower.
void BM_RoundThroughNumberText_ReferenceWholeRange(benchmark::State& state) {
  std::vector<long double> sample(4096);
  std::mt19937_64 random(3);
  for (long double& v : sample)
    v = FromFields(random() | (1ULL << 63), 1 + static_cast<int>(random() % 32766), false);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reference::RoundThroughNumberText(sample[i++ & 4095]));
  }
}
BENCHMARK(BM_RoundThroughNumberText_ReferenceWholeRange);

void BM_RoundThroughNumberText_FastWholeRange(benchmark::State& state) {
  std::vector<long double> sample(4096);
  std::mt19937_64 random(3);
  for (long double& v : sample)
    v = FromFields(random() | (1ULL << 63), 1 + static_cast<int>(random() % 32766), false);
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(RoundThroughNumberText(sample[i++ & 4095]));
}
BENCHMARK(BM_RoundThroughNumberText_FastWholeRange);

void BM_FloatToStr_Reference(benchmark::State& state) {
  const std::vector<long double> sample = EverydayValues();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(reference::FloatToStr(sample[i++ & 4095]));
}
BENCHMARK(BM_FloatToStr_Reference);

void BM_FloatToStr_Fast(benchmark::State& state) {
  const std::vector<long double> sample = EverydayValues();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FloatToStr(sample[i++ & 4095]));
}
BENCHMARK(BM_FloatToStr_Fast);

std::vector<std::string> EverydayTexts() {
  std::vector<std::string> texts;
  for (const long double v : EverydayValues()) texts.push_back(reference::FloatToStr(v));
  return texts;
}

void BM_StrToFloat_Reference(benchmark::State& state) {
  const std::vector<std::string> texts = EverydayTexts();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(reference::StrToFloat(texts[i++ & 4095]));
}
BENCHMARK(BM_StrToFloat_Reference);

void BM_StrToFloat_Fast(benchmark::State& state) {
  const std::vector<std::string> texts = EverydayTexts();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(StrToFloat(texts[i++ & 4095]));
}
BENCHMARK(BM_StrToFloat_Fast);

// The old round trip of engine_bench (one value carried along), fast way.
void BM_NumberTextRoundTripChain_Fast(benchmark::State& state) {
  long double value = 1.0L / 3;
  for (auto _ : state) {
    value = *RoundThroughNumberText(value) * 1.0000001L;
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_NumberTextRoundTripChain_Fast);

// A random text of 1 to 20 digits with an exponent.
std::string RandomText(std::mt19937_64& random) {
  std::string text;
  if (random() % 3 == 0) text += '-';
  const int digits = 1 + static_cast<int>(random() % 20);
  const int separator_at = static_cast<int>(random() % static_cast<std::uint64_t>(digits + 1));
  for (int i = 0; i < digits; ++i) {
    if (i == separator_at) text += ',';
    text += static_cast<char>('0' + random() % 10);
  }
  if (random() % 2) text += 'E' + std::to_string(static_cast<int>(random() % 9900) - 4950);
  return text;
}

constexpr std::int64_t kVerifiedValues = 10'000'000;
constexpr std::int64_t kVerifiedTexts = 2'000'000;

// FloatToStr, RoundThroughNumberText and StrToFloat (of the value's text)
// against the reference for 10 million values, and StrToFloat for 2 million
// random texts, split over the cores.
void BM_VerifyAgainstReference(benchmark::State& state) {
  for (auto _ : state) {
    std::atomic<std::int64_t> mismatches{0};
    const int threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
      workers.emplace_back([&, t] {
        Values values(1000 + static_cast<std::uint64_t>(t));
        std::mt19937_64 random(2000 + static_cast<std::uint64_t>(t));
        std::int64_t found = 0;
        for (std::int64_t i = t; i < kVerifiedValues; i += threads) {
          const long double value = values.Next();
          const std::string expected_text = reference::FloatToStr(value);
          // reference::RoundThroughNumberText(value) reads this text back.
          const std::optional<long double> expected = reference::StrToFloat(expected_text);
          if (FloatToStr(value) != expected_text ||
              !SameValue(RoundThroughNumberText(value), expected) ||
              !SameValue(StrToFloat(expected_text), expected))
            ++found;
        }
        for (std::int64_t i = t; i < kVerifiedTexts; i += threads) {
          const std::string text = RandomText(random);
          if (!SameValue(StrToFloat(text), reference::StrToFloat(text))) ++found;
        }
        mismatches += found;
      });
    }
    for (std::thread& worker : workers) worker.join();
    state.counters["values"] = static_cast<double>(kVerifiedValues);
    state.counters["texts"] = static_cast<double>(kVerifiedTexts);
    state.counters["mismatches"] = static_cast<double>(mismatches.load());
    if (mismatches.load() != 0) state.SkipWithError("the fast paths differ from the reference");
  }
}
BENCHMARK(BM_VerifyAgainstReference)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace korvex
