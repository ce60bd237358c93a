// Sampling an expression of x through the calculation engine for the graph
// tool and the command-line plotter, and the spacing rules of the "プロット
// 間隔" track bar. No widgets: the same sampling draws the tool's curves,
// the plotter's pictures and the benchmark's.
#pragma once

#include "calc_expression.h"

#include <functional>
#include <string_view>

namespace zc {

class TXYGraphSeries;

// The track bar runs from −100 ("< FINE") to 100 ("RUDE >").
inline constexpr int kTrackBarMin = -100;
inline constexpr int kTrackBarMax = 100;

// Where automatic spacing puts the track bar for an X range:
// round((max − min) / 50) − 100, kept within the bar.
int TrackBarPositionForRange(double xMax, double xMin);

// The sample spacing of a track bar position: (|minimum| + position) / 100
// in single precision, 0.02 where that is 0 (0.02 at "< FINE", 2.0 at
// "RUDE >").
float PlotSpacing(int trackBarMinimum, int trackBarPosition);

// Rounds beyond this many never run: a huge X range with fine spacing would
// otherwise keep the window busy for hours. Wider ranges get a wider
// spacing instead, so the curve still spans the whole range.
inline constexpr double kMaxPlotRounds = 100000;

// The engine call of one sample; CalcExpression in the program, a stand-in
// in tests.
using SampleEvaluator =
    std::function<void(std::string_view expression, NameValueList& variables, TCalcResult& result)>;
// Receives each sample as it is made.
using SampleSink = std::function<void(double x, double y)>;

struct TSampleCount {
  int samples = 0;   // points delivered
  int computed = 0;  // of them, the ones the engine computed (not put at 0)
  // Samples were taken and not one of them could be computed: the curve
  // is a flat stand-in on the x axis, not the function.
  bool NoneComputed() const { return samples > 0 && computed == 0; }
};

// Samples `expression` from xMin while x ≤ xMax, two points per round: x and
// x + h (xMax where x + h is beyond the largest number), then x advances by
// 2h. A private variable list holds only "x" (the engine adds "ANS"); a
// sample whose status is not success lies at y = 0.
// A thrown engine failure ends the sampling; the samples made so far stay
// delivered.
TSampleCount SampleExpression(const SampleEvaluator& evaluate, std::string_view expression, double xMin, double xMax,
                              float spacing, const SampleSink& sink);
TSampleCount SampleExpression(EngineContext& context, std::string_view expression, double xMin, double xMax,
                              float spacing, const SampleSink& sink);

// Clears `series` and fills it with the samples of `expression` over its
// graph's current X range; an empty expression only clears it.
TSampleCount PlotExpressionInto(EngineContext& context, TXYGraphSeries& series, std::string_view expression,
                                float spacing);

}  // namespace zc
