#include "curve_legend.h"

#include "device_pen.h"
#include "xy_graph.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

namespace zc {

namespace {

constexpr int kInset = 6;    // from the plot border
constexpr int kPadding = 4;  // inside the box

// The strips where the axes write their labels, across the whole plot.
std::array<QRect, 2> LabelStrips(const TXYGraph& graph) {
  const TGraphAxis& x = graph.XAxis();
  const TGraphAxis& y = graph.YAxis();
  const QRect plot = graph.PlotArea();
  const int xLabels = x.LabelSpace() + x.GetMaxLabelsHeight();
  const int yLabels = y.LabelSpace() + y.GetMaxLabelsWidth();
  return {QRect(plot.left(), x.AxisPos(), plot.width(), xLabels + 1),
          QRect(y.AxisPos() - yLabels, plot.top(), yLabels + 1, plot.height())};
}

}  // namespace

int CurveLegendTextWidth(const TXYGraph& graph) {
  return std::max(graph.PlotArea().width() - 2 * kInset - 2 * kPadding, 0);
}

std::vector<QString> CurveLegendLines(const TXYGraph& graph, const QFontMetrics& metrics,
                                      const std::vector<TLegendEntry>& entries) {
  const int width = CurveLegendTextWidth(graph);
  std::vector<QString> lines;
  lines.reserve(entries.size());
  for (const TLegendEntry& entry : entries) lines.push_back(metrics.elidedText(entry.text, Qt::ElideRight, width));
  return lines;
}

QRect CurveLegendRect(const TXYGraph& graph, const QFontMetrics& metrics, const std::vector<TLegendEntry>& entries) {
  int width = 0;
  for (const QString& line : CurveLegendLines(graph, metrics, entries))
    width = std::max(width, metrics.horizontalAdvance(line));
  const QSize size(width + 2 * kPadding, static_cast<int>(entries.size()) * metrics.height() + 2 * kPadding);
  const QRect plot = graph.PlotArea();
  const int left = plot.left() + kInset;
  const int right = RightEdge(plot) - kInset - size.width();
  const int top = plot.top() + kInset;
  const int bottom = BottomEdge(plot) - kInset - size.height();
  const std::array<QRect, 4> corners = {QRect(QPoint(right, top), size), QRect(QPoint(left, top), size),
                                        QRect(QPoint(right, bottom), size), QRect(QPoint(left, bottom), size)};
  const std::array<QRect, 2> strips = LabelStrips(graph);
  for (const QRect& corner : corners) {
    if (std::none_of(strips.begin(), strips.end(), [&](const QRect& strip) { return strip.intersects(corner); }))
      return corner;
  }
  return corners.front();
}

void DrawCurveLegend(const TXYGraph& graph, QPainter& painter, const std::vector<TLegendEntry>& entries) {
  if (entries.empty()) return;
  const QFont& font = graph.YAxis().LabelFont();
  const QFontMetrics metrics = graph.MetricsFor(font);
  const QRect box = CurveLegendRect(graph, metrics, entries);
  painter.save();
  painter.setClipping(false);
  painter.setPen(PenForDevice(painter, QPen(QColor(128, 128, 128), 0)));
  painter.setBrush(QColor(Qt::white));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  painter.setFont(font);
  const std::vector<QString> lines = CurveLegendLines(graph, metrics, entries);
  int y = box.top() + kPadding;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    painter.setPen(entries[i].color);
    painter.drawText(QPoint(box.left() + kPadding, y + metrics.ascent()), lines[i]);
    y += metrics.height();
  }
  painter.restore();
}

}  // namespace zc
