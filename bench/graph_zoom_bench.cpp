// One wheel step in the graph tool with three curves: the new range through
// SetGraphRange (the label-driven layout correction included), the three
// curves sampled again through the engine, and the repaint. Target: under
// 60 ms a step. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QPointF>

#include "engine_context.h"
#include "graph_tool_window.h"
#include "graph_view.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include "offscreen_benchmark_main.h"
#include "quiet_prompts.h"

namespace {

// Zooms in and out in turn around a point off centre, so the range stays
// near the one set and every iteration is one step.
void ZoomSteps(benchmark::State& state, double xMax, double xMin, double xStep) {
  zc::EngineContext context;
  context.angleMode = zc::AngleMode::Rad;
  zc::QuietPrompts quiet;
  zc::TForm5 form(context, quiet);
  form.show();
  QApplication::processEvents();
  form.SetGraphRange(xMax, xMin, xStep, 10, -10, 5, zc::asNormal, zc::asNormal);
  form.RadioGroup1Buttons->button(2)->click();  // three rows
  const char* expressions[] = {"sin(x*20)*5", "x^2/5-5", "tan(x*20)"};
  for (int i = 0; i < 3; ++i) form.PlotExpression(QString::fromLatin1(expressions[i]), i);
  form.View().repaint();
  const QRect plot = form.Graph().PlotArea();
  const QPointF cursor(plot.left() + plot.width() * 0.37, plot.top() + plot.height() * 0.61);

  int samples = 0;
  bool in = true;
  for (auto _ : state) {
    form.ZoomAt(cursor, in ? 0.8 : 1.25, in ? 0.8 : 1.25);
    form.View().repaint();
    in = !in;
    samples = form.Series(0).DataCount() + form.Series(1).DataCount() + form.Series(2).DataCount();
  }
  state.counters["samples"] = samples;
}

// The opening range: about 1,000 samples a curve.
void BM_ZoomStepThreeCurves(benchmark::State& state) { ZoomSteps(state, 10, -10, 5); }
BENCHMARK(BM_ZoomStepThreeCurves)->Unit(benchmark::kMillisecond);

// The widest automatic sampling: about 5,000 samples a curve.
void BM_ZoomStepThreeCurvesWide(benchmark::State& state) { ZoomSteps(state, 2500, -2500, 1000); }
BENCHMARK(BM_ZoomStepThreeCurvesWide)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return zc::RunOffscreenBenchmarks<QApplication>(argc, argv); }
