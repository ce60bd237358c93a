#include "plot_sampling.h"

#include "graph_series.h"
#include "xy_graph.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace zc {

int TrackBarPositionForRange(double xMax, double xMin) {
  const double width = xMax - xMin;
  if (std::isnan(width)) return kTrackBarMin;
  const double position = std::round(width / 50.0) - 100.0;
  return static_cast<int>(std::clamp(position, static_cast<double>(kTrackBarMin), static_cast<double>(kTrackBarMax)));
}

float PlotSpacing(int trackBarMinimum, int trackBarPosition) {
  const float h = static_cast<float>(std::abs(trackBarMinimum) + trackBarPosition) / 100.0f;
  return h == 0.0f ? 0.02f : h;
}

TSampleCount SampleExpression(const SampleEvaluator& evaluate, std::string_view expression, double xMin, double xMax,
                              float spacing, const SampleSink& sink) {
  TSampleCount count;
  if (!std::isfinite(xMin) || !std::isfinite(xMax) || xMin > xMax) return count;
  double h = spacing > 0.0f ? static_cast<double>(spacing) : 0.02;
  if ((xMax - xMin) / (2.0 * h) > kMaxPlotRounds) h = (xMax - xMin) / (2.0 * kMaxPlotRounds);

  NameValueList variables;
  TCalcResult result;  // one record for all samples
  const auto sample = [&](double x) {
    // The engine reads x back from its text, as for any variable.
    const std::string entry = "x=" + ResultText(static_cast<long double>(x));
    if (variables.empty()) {
      variables.push_back(entry);
    } else {
      // Keep "x" first; the engine appends "ANS" after it.
      variables.front() = entry;
    }
    evaluate(expression, variables, result);
    if (result.dwStatusCode != status::kSuccess) return 0.0;
    ++count.computed;
    return static_cast<double>(result.dwSource);
  };

  double x = xMin;
  while (x <= xMax) {
    // The second sample of the last round lies beyond the range; next to
    // the largest number there is no such x, and the range's end takes
    // its place.
    const double x2 = std::isfinite(x + h) ? x + h : xMax;
    const double y1 = sample(x);
    const double y2 = sample(x2);
    sink(x, y1);
    sink(x2, y2);
    count.samples += 2;
    const double next = x + 2.0 * h;
    if (!(next > x)) break;  // the step vanished against x: nothing more to see
    x = next;
  }
  return count;
}

TSampleCount SampleExpression(EngineContext& context, std::string_view expression, double xMin, double xMax,
                              float spacing, const SampleSink& sink) {
  return SampleExpression(
      [&context](std::string_view text, NameValueList& variables, TCalcResult& result) {
        CalcExpression(context, text, variables, result);
      },
      expression, xMin, xMax, spacing, sink);
}

TSampleCount PlotExpressionInto(EngineContext& context, TXYGraphSeries& series, std::string_view expression,
                                float spacing) {
  series.Clear();
  if (expression.empty() || series.ParentGraph() == nullptr) return {};
  const TGraphAxis& xAxis = series.ParentGraph()->XAxis();
  return SampleExpression(context, expression, xAxis.Min(), xAxis.Max(), spacing,
                          [&series](double x, double y) { series.AddXY(x, y); });
}

}  // namespace zc
