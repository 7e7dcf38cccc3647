// Speed of the token engine: number texts, a typical solve with user
// variables, and deeply nested groups.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/engine.h"
#include "engine/prime_count.h"
#include "settings/helper_programs.h"

namespace korvex {
namespace {

class NullSink : public ErrorSink {
 public:
  void ReportError(const std::string&, const std::string&) override {}
};

void BM_NumberTextRoundTrip(benchmark::State& state) {
  long double value = 1.0L / 3;
  for (auto _ : state) {
    const std::string text = FloatToStr(value);
    value = *StrToFloat(text) * 1.0000001L;
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_NumberTextRoundTrip);

void BM_SolveWithUserVariables(benchmark::State& state) {
  NullSink sink;
  Engine engine(sink);
  const VariableTable variables = {{"x", "3"}};
  engine.environment().variables = &variables;
  for (auto _ : state) {
    const bool ok = engine.Solve("x-10(x+8(x-6(x+4(x-2(x10x)2+x)4-x)6+x)8-x)10+x");
    if (!ok) state.SkipWithError("solve failed");
    benchmark::DoNotOptimize(engine.tokens().front());
  }
}
BENCHMARK(BM_SolveWithUserVariables);

// v = v+v+...+v with `terms` terms: the substitution runs into the loop
// control limit after producing about limit * terms tokens.
void BM_SelfReferencingVariable(benchmark::State& state) {
  NullSink sink;
  Engine engine(sink);
  std::string expression = "v";
  for (int64_t i = 1; i < state.range(0); ++i) expression += "+v";
  const VariableTable variables = {{"v", expression}};
  engine.environment().variables = &variables;
  for (auto _ : state) {
    if (engine.Solve("v")) state.SkipWithError("the loop control limit was not reached");
  }
}
BENCHMARK(BM_SelfReferencingVariable)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// primepi of 10^12 and 10^18 as the function counts them, the helper's start
// included (10^18 takes the library tens of seconds; a sieve would take days).
void BM_PrimeCount(benchmark::State& state) {
  const std::uint64_t limit =
      state.range(0) == 12 ? 1'000'000'000'000ULL : 1'000'000'000'000'000'000ULL;
  const std::uint64_t known = state.range(0) == 12 ? 37'607'912'018ULL : 24'739'954'287'740'860ULL;
  const SpawnedPrimeCounter counter(PrimeCountHelperPath());
  for (auto _ : state) {
    if (PrimesUpTo(limit, nullptr, &counter) != known) state.SkipWithError("wrong count");
  }
}
BENCHMARK(BM_PrimeCount)->Arg(12)->Arg(18)->Iterations(1)->Unit(benchmark::kSecond);

void BM_SolveNestedGroups(benchmark::State& state) {
  const int depth = static_cast<int>(state.range(0));
  std::string text;
  for (int i = 0; i < depth; ++i) text += "(1+";
  text += "1";
  text.append(static_cast<size_t>(depth), ')');
  NullSink sink;
  Engine engine(sink);
  for (auto _ : state) {
    const bool ok = engine.Solve(text);
    if (!ok) state.SkipWithError("solve failed");
  }
  state.SetComplexityN(depth);
}
BENCHMARK(BM_SolveNestedGroups)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex
