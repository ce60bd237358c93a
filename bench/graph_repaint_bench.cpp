// Repainting the graph as the graph tool does: a 700 × 500 picture with three
// 10,000-point curves, drawn through the off-screen image.
#include "xy_graph.h"
#include "xy_series_line.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

#include "offscreen_benchmark_main.h"

namespace {

void FillCurves(zc::TXYGraph& graph, int points) {
  const QColor colors[3] = {QColor(0, 0, 160), QColor(99, 186, 157), QColor(255, 15, 135)};
  for (int k = 0; k < 3; ++k) {
    auto* series = new zc::TXYLineSeries();
    series->SetParentGraph(&graph);
    series->SetLinePen(QPen(colors[k], 1));
    series->SetCapacity(points);
    for (int i = 0; i < points; ++i) {
      const double x = -10 + 20.0 * i / points;
      const double y = k == 0 ? std::sin(x) * 8 : k == 1 ? x * x / 5 - 6 : std::tan(x);
      series->AddXY(x, y);
    }
  }
}

void SetToolRanges(zc::TXYGraph& graph) {
  graph.SetClientSize(QSize(700, 500));
  graph.SetGridStyle(zc::gsBoth);
  graph.SetGridPen(QPen(QColor(167, 167, 167)));
  graph.SetSubGrid(true);
  graph.SetSubGridPen(QPen(QColor(217, 217, 217)));
  graph.XAxis().SetMax(10);
  graph.XAxis().SetMin(-10);
  graph.XAxis().SetTickStep(5);
  graph.YAxis().SetMax(10);
  graph.YAxis().SetMin(-10);
  graph.YAxis().SetTickStep(5);
}

void BM_RepaintThreeCurves(benchmark::State& state) {
  zc::TXYGraph graph;
  SetToolRanges(graph);
  FillCurves(graph, static_cast<int>(state.range(0)));
  QImage buffer(graph.ClientSize(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&buffer);
    graph.DrawGraph(painter);
    painter.end();
    benchmark::DoNotOptimize(buffer.constBits());
  }
  state.SetLabel("700x500, 3 line series");
}
BENCHMARK(BM_RepaintThreeCurves)->Arg(10000)->Unit(benchmark::kMillisecond);

// The layout alone (title, axes, scales, ticks, plot area) for comparison.
void BM_LayoutOnly(benchmark::State& state) {
  zc::TXYGraph graph;
  SetToolRanges(graph);
  FillCurves(graph, 10000);
  QImage buffer(graph.ClientSize(), QImage::Format_RGB32);
  QPainter painter(&buffer);
  for (auto _ : state) {
    graph.CalcLayout();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LayoutOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return zc::RunOffscreenBenchmarks<QGuiApplication>(argc, argv); }
