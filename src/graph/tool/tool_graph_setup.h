// The graph as the graph tool shows it: colours, grid, fonts, axis settings
// and its three curves, and the rule by which a new range is applied. The
// graph tool window and the command-line plotter share them, so both draw
// the same picture.
#pragma once

#include "graph_axis.h"

#include <QColor>

#include <array>

namespace zc {

class TXYGraph;
class TXYLineSeries;

inline constexpr int kFormulaRows = 3;

// Curve colours of the three formula rows, and the swatches beside them.
inline constexpr std::array<QRgb, kFormulaRows> CurveColors = {qRgb(0, 0, 160), qRgb(99, 186, 157),
                                                               qRgb(255, 15, 135)};
inline constexpr std::array<QRgb, kFormulaRows> SwatchColors = {qRgb(0, 0, 128), qRgb(0, 128, 128),
                                                                qRgb(255, 128, 255)};

// Sets up `graph` like the tool's and attaches three line series, one per
// formula row, which the graph owns.
std::array<TXYLineSeries*, kFormulaRows> ConfigureToolGraph(TXYGraph& graph);

// Scale combo box index → scale: リニア, 対数, パーセント, π.
TAxisScale ScaleFromComboIndex(int index);

struct TGraphRange {
  double xMax = 10, xMin = -10, xStep = 5;
  double yMax = 10, yMin = -10, yStep = 5;
  TAxisScale xType = asNormal, yType = asNormal;
};

// Applies X max, X min, X step, Y max, Y min, Y step, X scale, Y scale in
// this order; an axis whose new maximum lies at or below its current
// minimum gets its minimum first. When one of them fails, that one property
// gets its previous value back, the rest is skipped, and the failure
// (EXYGraphAxisError) is rethrown; properties already applied keep their
// new values.
void ApplyGraphRange(TXYGraph& graph, const TGraphRange& range);

}  // namespace zc
