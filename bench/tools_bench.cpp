// Math tools: the prime tool's answers for large numbers, the quadratic
// factorisation search, and one integral sampled through the engine.
#include <benchmark/benchmark.h>

#include "calc_expression.h"
#include "numeric_calculus.h"
#include "prime_math.h"
#include "quadratic_math.h"

namespace {

void BM_PrimeTestWithAnEmptyCache(benchmark::State& state) {
  for (auto _ : state) {
    zc::PrimeCache cache;
    benchmark::DoNotOptimize(zc::IsPrime(999999999989, cache));
  }
}
BENCHMARK(BM_PrimeTestWithAnEmptyCache)->Unit(benchmark::kMillisecond);

void BM_PrimeTestFillingTheCacheToItsBound(benchmark::State& state) {
  for (auto _ : state) {
    zc::PrimeCache cache;
    benchmark::DoNotOptimize(zc::IsPrime(99999999999973, cache));
  }
}
BENCHMARK(BM_PrimeTestFillingTheCacheToItsBound)->Unit(benchmark::kMillisecond);

void BM_Factorize(benchmark::State& state) {
  const std::int64_t value = state.range(0);
  for (auto _ : state) {
    zc::PrimeCache cache;
    benchmark::DoNotOptimize(zc::Factorize(value, cache));
  }
}
BENCHMARK(BM_Factorize)
    ->Arg(2305843009213693951)   // 2^61 - 1, a prime
    ->Arg(4611685975477714963)   // 2147483629 * 2147483647
    ->Arg(4611686014132420609)   // (2^31 - 1)^2
    ->Unit(benchmark::kMillisecond);

void BM_FactoriseQuadraticWithManyDivisors(benchmark::State& state) {
  // 2095133040 has 1600 divisors; no factorisation exists, so every pair is tried.
  for (auto _ : state) {
    benchmark::DoNotOptimize(zc::Factorise(2095133040, 1, -2095133040));
  }
}
BENCHMARK(BM_FactoriseQuadraticWithManyDivisors)->Unit(benchmark::kMillisecond);

void BM_IntegralOfSine(benchmark::State& state) {
  zc::EngineContext context;
  context.angleMode = zc::AngleMode::Rad;
  const std::string expression = "sin(x)";
  std::int64_t strips = 0;
  for (auto _ : state) {
    zc::NameValueList variables;
    const auto sum = zc::IntegrateTrapezoid(
        [&](long double x) {
          zc::SetNameValue(variables, "x", zc::ResultText(x));
          zc::TCalcResult result;
          zc::CalcExpression(context, expression, variables, result);
          return result;
        },
        0, 1, zc::IntegralStep(0, 1, std::nullopt), [&](int) {
          ++strips;
          return true;
        });
    benchmark::DoNotOptimize(sum);
  }
  state.counters["strips"] = benchmark::Counter(static_cast<double>(strips) / state.iterations());
}
BENCHMARK(BM_IntegralOfSine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
