// The graph-tool pattern: a private list holding x as its 15-digit text,
// one CalcExpression per sample, ANS written back into the list. Measured
// side by side with muparser parsing the expression for every sample (as
// we do) and parsing it once. Prints our time divided by muparser's.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "calc_expression.h"
#include "engine_context.h"
#include "named_values.h"

// Counts heap allocations, to show that the common path makes none.
static std::atomic<long long> allocations{0};
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Expression {
  const char* name;
  const char* ours;
  const char* muparser;
};

// The third one: 60 characters, 10 operators, 4 function calls.
const Expression kExpressions[] = {
    {"square_plus_sine", "x^2+sin(x)", "x^2+sin(x)"},
    {"root_quotient", "sqr(x*x+1)/(1+x)", "sqrt(x*x+1)/(1+x)"},
    {"sixty_characters", "2.5625*sin(x)+cos(x/3.75)-x^3+abs(x-1.2575)+sqr(x*x+4.75251)",
     "2.5625*sin(x)+cos(x/3.75)-x^3+abs(x-1.2575)+sqrt(x*x+4.75251)"},
};

constexpr int kSamples = 1000;
long double Sample(int i) { return 0.1L + 9.9L * static_cast<long double>(i % kSamples) / kSamples; }

void Ours(benchmark::State& state, const Expression& expression) {
  zc::EngineContext context;
  context.angleMode = zc::AngleMode::Rad;  // muparser works in radians
  zc::NameValueList variables;
  int i = 0;
  long long failures = 0;
  const long long before = allocations.load();
  for (auto _ : state) {
    zc::SetVariableNumber("x", Sample(i++), variables);
    zc::TCalcResult result;
    zc::CalcExpression(context, expression.ours, variables, result);
    if (result.dwStatusCode != 1) ++failures;
    benchmark::DoNotOptimize(result.dwSource);
  }
  state.counters["allocs/sample"] = benchmark::Counter(
      static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
  if (failures != 0) state.SkipWithError("evaluation failed");
}

void OursReusingTheRecord(benchmark::State& state, const Expression& expression) {
  zc::EngineContext context;
  context.angleMode = zc::AngleMode::Rad;
  zc::NameValueList variables;
  zc::TCalcResult result;
  int i = 0;
  const long long before = allocations.load();
  for (auto _ : state) {
    zc::SetVariableNumber("x", Sample(i++), variables);
    result.dwAnswers.clear();
    zc::CalcExpression(context, expression.ours, variables, result);
    benchmark::DoNotOptimize(result.dwSource);
  }
  state.counters["allocs/sample"] = benchmark::Counter(
      static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
}

void MuParserReparse(benchmark::State& state, const Expression& expression) {
  mu::Parser parser;
  double x = 0;
  parser.DefineVar("x", &x);
  int i = 0;
  for (auto _ : state) {
    x = static_cast<double>(Sample(i++));
    parser.SetExpr(expression.muparser);
    benchmark::DoNotOptimize(parser.Eval());
  }
}

void MuParserOnce(benchmark::State& state, const Expression& expression) {
  mu::Parser parser;
  double x = 0;
  parser.DefineVar("x", &x);
  parser.SetExpr(expression.muparser);
  int i = 0;
  for (auto _ : state) {
    x = static_cast<double>(Sample(i++));
    benchmark::DoNotOptimize(parser.Eval());
  }
}

// The calculus tool's integral: 10,000 trapezoid strips, 10,001 samples.
void IntegralLoop(benchmark::State& state) {
  zc::EngineContext context;
  context.angleMode = zc::AngleMode::Rad;
  for (auto _ : state) {
    zc::NameValueList variables = {"ANS=0"};
    const long double a = 0;
    const long double b = 10;
    const int strips = 10000;
    const long double h = (b - a) / strips;
    long double sum = 0;
    for (int i = 0; i <= strips; ++i) {
      zc::SetVariableNumber("x", a + h * i, variables);
      zc::TCalcResult result;
      zc::CalcExpression(context, "x^2+sin(x)", variables, result);
      const long double weight = (i == 0 || i == strips) ? 0.5L : 1.0L;
      sum += weight * result.dwSource;
    }
    benchmark::DoNotOptimize(sum * h);
  }
}

// The console after a long session: 40,000 distinct assignments, one line
// each, into one variable list.
void DistinctAssignments(benchmark::State& state) {
  zc::EngineContext context;
  std::vector<std::string> lines;
  for (int i = 0; i < 40000; ++i) lines.push_back("v" + std::to_string(i) + "=" + std::to_string(i));
  for (auto _ : state) {
    zc::NameValueList variables;
    for (const std::string& line : lines) {
      zc::TCalcResult result;
      zc::CalcExpression(context, line, variables, result);
    }
    benchmark::DoNotOptimize(variables.size());
  }
}

// One line that reads a variable among n others: the same cost for 10 names
// as for 100,000.
void LookupAmong(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  zc::EngineContext context;
  zc::NameValueList variables;
  for (int i = 0; i < count; ++i) variables.push_back("v" + std::to_string(i) + "=" + std::to_string(i));
  const std::string line = "v" + std::to_string(count / 2) + "*2";
  for (auto _ : state) {
    zc::TCalcResult result;
    zc::CalcExpression(context, line, variables, result);
    benchmark::DoNotOptimize(result.dwSource);
  }
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    std::printf("\nOur CPU time per sample divided by muparser's (target <= 0.5, aim 0.25);\n"
                "CPU time, because wall time on a shared machine mostly measures the neighbours:\n");
    for (const Expression& e : kExpressions) {
      const std::string name = e.name;
      const double ours = Time("ours/" + name);
      const double reparse = Time("muparser_reparse/" + name);
      const double once = Time("muparser_parse_once/" + name);
      if (ours <= 0 || reparse <= 0) continue;
      std::printf("  %-18s ours %8.0f ns   muparser re-parse %8.0f ns   ratio %.3f   "
                  "(muparser parse-once %6.0f ns)\n",
                  e.name, ours, reparse, ours / reparse, once);
    }
  }

 private:
  double Time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? -1 : it->second;
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const Expression& e : kExpressions) {
    const std::string name = e.name;
    benchmark::RegisterBenchmark(("ours/" + name).c_str(), Ours, e);
    benchmark::RegisterBenchmark(("ours_reusing_record/" + name).c_str(), OursReusingTheRecord, e);
    benchmark::RegisterBenchmark(("muparser_reparse/" + name).c_str(), MuParserReparse, e);
    benchmark::RegisterBenchmark(("muparser_parse_once/" + name).c_str(), MuParserOnce, e);
  }
  benchmark::RegisterBenchmark("integral_10001_samples", IntegralLoop)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("assignments_40000", DistinctAssignments)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("lookup_among", LookupAmong)->Arg(10)->Arg(100000);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
