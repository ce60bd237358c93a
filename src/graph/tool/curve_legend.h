// A legend for the tool's curves: each expression in its curve's colour, in
// a box in a corner of the plot area that the axis labels leave free. Drawn
// on the graph's own painter after the graph, so every picture format shows
// it the same way.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

class QFontMetrics;
class QPainter;

namespace zc {

class TXYGraph;

struct TLegendEntry {
  QString text;
  QColor color;
};

// The room for a legend line: the plot area's width less the box's inset
// and padding, so the box stays inside the plot.
int CurveLegendTextWidth(const TXYGraph& graph);

// The legend's lines as drawn: each text, cut with "…" at its end where it
// is wider than CurveLegendTextWidth. The entries keep their full texts.
std::vector<QString> CurveLegendLines(const TXYGraph& graph, const QFontMetrics& metrics,
                                      const std::vector<TLegendEntry>& entries);

// Where the legend box goes, for text lines measured with `metrics`: the
// top-right corner of the plot area, or the next corner (top-left,
// bottom-right, bottom-left) when the axis labels run through it. Needs
// the graph's layout of the drawing in progress (or the last one).
QRect CurveLegendRect(const TXYGraph& graph, const QFontMetrics& metrics, const std::vector<TLegendEntry>& entries);

// Draws the legend with the Y axis's label font; nothing without entries.
void DrawCurveLegend(const TXYGraph& graph, QPainter& painter, const std::vector<TLegendEntry>& entries);

}  // namespace zc
