// Library functions through zeltacalc-plugin-host, warm: the host is already
// running, so a call costs the pipe round trip plus loading, calling and
// unloading the library in the host. The graph tool samples a plugin
// function thousands of times per plot; a call should stay under 50 µs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <string>

#include "calc_expression.h"
#include "engine_context.h"
#include "named_values.h"
#include "plugin_host.h"

namespace {

const std::string kExamplePlugin = ZC_BENCH_BIN_DIR "/plugins/libzeltacalc_example.so";

void Warm(benchmark::State& state, zc::EngineContext& context) {
  zc::NameValueList variables;
  zc::TCalcResult result;
  zc::CalcExpression(context, "sumsq(1)", variables, result);
  if (result.dwStatusCode != 1 || context.pluginHost.ProcessId() <= 0) {
    state.SkipWithError(("the plugin host does not answer: " + result.dwErrorMsg).c_str());
  }
}

zc::EngineContext ContextWithExample() {
  zc::EngineContext context;
  context.appDir = ZC_BENCH_BIN_DIR "/";
  context.pluginHost.SetProgram(zc::PluginHostProgramIn(ZC_BENCH_BIN_DIR));
  auto function = std::make_unique<zc::TUserFunction>();
  function->aName = "sumsq";
  function->aRunType = 1;
  function->aDLLPath = "plugins/libzeltacalc_example.so";
  function->aDLLProc = "SumOfSquares";
  context.userFunctions.push_back(std::move(function));
  return context;
}

double ChildrenCpuMicroseconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto micro = [](const timeval& t) { return t.tv_sec * 1e6 + static_cast<double>(t.tv_usec); };
  return micro(usage.ru_utime) + micro(usage.ru_stime);
}

// The host's processor time per call, counted once the host has ended. On
// a busy machine the wall time mostly measures waiting for a processor;
// this and the benchmark's CPU column (the calculator's side) do not.
class HostCpuCounter {
 public:
  explicit HostCpuCounter(benchmark::State& state) : state_(state), before_(ChildrenCpuMicroseconds()) {}
  void Report(zc::EngineContext& context) {
    context.pluginHost.Stop();
    state_.counters["host_cpu_us"] = benchmark::Counter(ChildrenCpuMicroseconds() - before_,
                                                        benchmark::Counter::kAvgIterations);
  }

 private:
  benchmark::State& state_;
  double before_;
};

// One graph-tool sample of a plugin function: x set, the line evaluated.
void BM_PluginFunctionThroughTheEngine(benchmark::State& state) {
  zc::EngineContext context = ContextWithExample();
  HostCpuCounter hostCpu(state);
  Warm(state, context);
  zc::NameValueList variables;
  long double x = 0;
  for (auto _ : state) {
    zc::SetVariableNumber("x", x += 0.001L, variables);
    zc::TCalcResult result;
    zc::CalcExpression(context, "sumsq(x,3)", variables, result);
    if (result.dwStatusCode != 1) {
      state.SkipWithError(result.dwErrorMsg.c_str());
      break;
    }
    benchmark::DoNotOptimize(result.dwSource);
  }
  hostCpu.Report(context);
}
BENCHMARK(BM_PluginFunctionThroughTheEngine)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The host alone: request, load, call, unload, reply.
void BM_PluginHostRoundTrip(benchmark::State& state) {
  zc::EngineContext context = ContextWithExample();
  HostCpuCounter hostCpu(state);
  Warm(state, context);
  const zc::PluginCall call{kExamplePlugin, "SumOfSquares", ZC_BENCH_BIN_DIR "/"};
  const zc::TExtendeds arguments{3, 4};
  for (auto _ : state) benchmark::DoNotOptimize(context.pluginHost.Call(call, arguments));
  hostCpu.Report(context);
}
BENCHMARK(BM_PluginHostRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A library that is not there: the round trip without loading anything.
void BM_PluginHostRoundTripWithoutLoading(benchmark::State& state) {
  zc::EngineContext context = ContextWithExample();
  HostCpuCounter hostCpu(state);
  Warm(state, context);
  const zc::PluginCall call{ZC_BENCH_BIN_DIR "/plugins/missing.so", "SumOfSquares", ZC_BENCH_BIN_DIR "/"};
  const zc::TExtendeds arguments{3, 4};
  for (auto _ : state) benchmark::DoNotOptimize(context.pluginHost.Call(call, arguments));
  hostCpu.Report(context);
}
BENCHMARK(BM_PluginHostRoundTripWithoutLoading)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
