// Plotting an expression as the graph tool does: sampling through the
// engine into a line series of the tool's graph. Target: a 5,000-sample
// automatic plot well under 60 ms.
#include "plot_sampling.h"
#include "tool_graph_setup.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "offscreen_benchmark_main.h"

namespace {

void PlotInto(benchmark::State& state, double xMin, double xMax, float spacing, const char* expression) {
  zc::EngineContext context;
  zc::TXYGraph graph;
  const auto series = zc::ConfigureToolGraph(graph);
  zc::ApplyGraphRange(graph, zc::TGraphRange{xMax, xMin, (xMax - xMin) / 4, 10, -10, 5, zc::asNormal, zc::asNormal});
  int samples = 0;
  for (auto _ : state) {
    samples = zc::PlotExpressionInto(context, *series[0], expression, spacing).samples;
    benchmark::DoNotOptimize(samples);
  }
  state.counters["samples"] = samples;
  state.counters["engine_calls"] = samples;
}

// Automatic spacing over −500 … 500: the track bar sits at −80, the spacing
// is 0.2, 2,500 rounds of two samples.
void BM_AutomaticPlot5000Samples(benchmark::State& state) {
  const float spacing = zc::PlotSpacing(zc::kTrackBarMin, zc::TrackBarPositionForRange(500, -500));
  PlotInto(state, -500, 500, spacing, "sin(x)*x^2/1000+x/100");
}
BENCHMARK(BM_AutomaticPlot5000Samples)->Unit(benchmark::kMillisecond);

// The same expression at 10,000 samples (spacing 0.01 over −50 … 50).
void BM_Plot10000Samples(benchmark::State& state) {
  PlotInto(state, -50, 50, zc::PlotSpacing(zc::kTrackBarMin, -99), "sin(x)*x^2/1000+x/100");
}
BENCHMARK(BM_Plot10000Samples)->Unit(benchmark::kMillisecond);

// The tool's pole case: tan x over the default range at the finest spacing.
void BM_TanDefaultRange(benchmark::State& state) {
  PlotInto(state, -10, 10, 0.02f, "tan x");
}
BENCHMARK(BM_TanDefaultRange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return zc::RunOffscreenBenchmarks<QGuiApplication>(argc, argv); }
