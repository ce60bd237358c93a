#include "tool_graph_setup.h"

#include "graph_error.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include <QFont>
#include <QPen>

#include <functional>

namespace zc {

namespace {
QFont PixelFont(const char* family, int pixels) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  return font;
}
}  // namespace

std::array<TXYLineSeries*, kFormulaRows> ConfigureToolGraph(TXYGraph& graph) {
  graph.SetBackColor(Qt::white);
  graph.SetGridStyle(gsBoth);
  graph.SetGridPen(QPen(QColor(167, 167, 167)));
  graph.SetSubGrid(true);
  graph.SetSubGridPen(QPen(QColor(217, 217, 217)));
  graph.SetPiSymbol(QStringLiteral("Pi"));
  graph.SetTitleFont(PixelFont("Arial", 16));

  TGraphAxis& x = graph.XAxis();
  x.SetAutoMax(false);
  x.SetMax(10);
  x.SetTickStep(2);
  x.SetLabelDecimal(0);
  x.SetLabelsOnAxis(false);
  x.SetLabelFont(PixelFont("Tahoma", 12));
  x.SetTitleFont(PixelFont("Arial", 16));
  x.SetAxisTitleLoc(tlFixed);
  x.SetTitleAngle(270);
  x.SetTitle(QString());

  TGraphAxis& y = graph.YAxis();
  y.SetAutoMax(false);
  y.SetAutoMin(false);
  y.SetMax(10);
  y.SetTicksCount(5);
  y.SetTickStep(2);
  y.SetLabelDecimal(0);
  y.SetLabelsOnAxis(false);
  y.SetLabelFont(PixelFont("Arial", 12));
  y.SetTitle(QString());

  std::array<TXYLineSeries*, kFormulaRows> series{};
  for (int i = 0; i < kFormulaRows; ++i) {
    auto* line = new TXYLineSeries(QStringLiteral("Series%1").arg(i + 1));
    line->SetLinePen(QPen(QColor(CurveColors[static_cast<std::size_t>(i)])));
    line->SetDisContinue(false);
    line->SetParentGraph(&graph);  // the graph owns it from here
    series[static_cast<std::size_t>(i)] = line;
  }
  return series;
}

TAxisScale ScaleFromComboIndex(int index) {
  switch (index) {
    case 1: return asLog;
    case 2: return asPercent;
    case 3: return asPi;
    default: return asNormal;
  }
}

void ApplyGraphRange(TXYGraph& graph, const TGraphRange& range) {
  TGraphAxis& x = graph.XAxis();
  TGraphAxis& y = graph.YAxis();
  struct Step {
    std::function<void()> apply;
    std::function<void()> restore;
  };
  const double oldXMax = x.Max(), oldXMin = x.Min(), oldXStep = x.TickStep();
  const double oldYMax = y.Max(), oldYMin = y.Min(), oldYStep = y.TickStep();
  const TAxisScale oldXType = x.AxisScale(), oldYType = y.AxisScale();
  const Step xMax{[&] { x.SetMax(range.xMax); }, [&] { x.SetMax(oldXMax); }};
  const Step xMin{[&] { x.SetMin(range.xMin); }, [&] { x.SetMin(oldXMin); }};
  const Step yMax{[&] { y.SetMax(range.yMax); }, [&] { y.SetMax(oldYMax); }};
  const Step yMin{[&] { y.SetMin(range.yMin); }, [&] { y.SetMin(oldYMin); }};
  // The maximum goes first, unless it would land at or below the current
  // minimum: then the minimum moves out of its way first, so a range that
  // lies wholly below the current one is not refused half-way.
  const bool xMinFirst = !(range.xMax > oldXMin);
  const bool yMinFirst = !(range.yMax > oldYMin);
  const Step steps[] = {
      xMinFirst ? xMin : xMax,
      xMinFirst ? xMax : xMin,
      {[&] { x.SetTickStep(range.xStep); }, [&] { x.SetTickStep(oldXStep); }},
      yMinFirst ? yMin : yMax,
      yMinFirst ? yMax : yMin,
      {[&] { y.SetTickStep(range.yStep); }, [&] { y.SetTickStep(oldYStep); }},
      {[&] { x.SetAxisScale(range.xType); }, [&] { x.SetAxisScale(oldXType); }},
      {[&] { y.SetAxisScale(range.yType); }, [&] { y.SetAxisScale(oldYType); }},
  };
  for (const Step& step : steps) {
    try {
      step.apply();
    } catch (const EXYGraphAxisError&) {
      try {
        step.restore();
      } catch (const EXYGraphAxisError&) {
        // The previous value is stored even when the axis cannot apply it
        // together with the new values already in place; the failure the
        // user needs to see is the first one.
      }
      throw;
    }
  }
}

}  // namespace zc
