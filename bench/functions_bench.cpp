// Running times of the integer and power functions whose loops grow with
// their parameters: Euclid, primality, prime counting, long products and
// recursions.
#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "engine/function_table.h"
#include "engine/prime_count.h"
#include "settings/helper_programs.h"

namespace {

void Compute(benchmark::State& bench, std::string_view name, std::vector<long double> values) {
  // primepi from 10^8 on runs the helper, as the calculator does.
  const korvex::SpawnedPrimeCounter counter(korvex::PrimeCountHelperPath());
  korvex::FunctionState state;
  state.prime_counter = &counter;
  for (auto _ : bench) benchmark::DoNotOptimize(korvex::ComputeFunction(name, values, state));
}

BENCHMARK_CAPTURE(Compute, gcd_1E15_1, "gcd", {1e15L, 1});
BENCHMARK_CAPTURE(Compute, gcd_fibonacci_neighbours, "gcd",
                  {7540113804746346429.0L, 4660046610375530309.0L});
BENCHMARK_CAPTURE(Compute, prime_largest_below_2_64, "prime", {18446744073709551557.0L});
BENCHMARK_CAPTURE(Compute, prime_above_2_64, "prime", {1e30L});
BENCHMARK_CAPTURE(Compute, primepi_1E6, "primepi", {1e6L})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compute, primepi_1E8, "primepi", {1e8L})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compute, factorial_1754, "factorial", {1754});
BENCHMARK_CAPTURE(Compute, hyperfactorial_76, "hyperfactorial", {76});
// 1E-4000 start values let the recursion run 39999 rounds without overflow.
BENCHMARK_CAPTURE(Compute, linearrecursion_40000, "linearrecursion", {40000, 1e-4000L, 1e-4000L});
BENCHMARK_CAPTURE(Compute, fibonacci_23601, "fibonacci", {23601});
BENCHMARK_CAPTURE(Compute, powertower_1_2_height_1E18, "powertower", {1.2L, 1e18L});

}  // namespace
