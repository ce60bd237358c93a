#include "xy_graph.h"

#include "device_pen.h"
#include "graph_series.h"
#include "store_changed.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QVector>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace zc {

namespace {

QFont DefaultTitleFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(12);
  return font;
}

// Restores the graph's current canvas when a drawing ends, also by an
// exception out of the layout.
class TCanvasScope {
 public:
  TCanvasScope(QPainter*& slot, QPainter& painter) : FSlot(slot), FPrevious(slot) {
    FSlot = &painter;
  }
  ~TCanvasScope() { FSlot = FPrevious; }
  TCanvasScope(const TCanvasScope&) = delete;
  TCanvasScope& operator=(const TCanvasScope&) = delete;

 private:
  QPainter*& FSlot;
  QPainter* FPrevious;
};

}  // namespace

TXYGraph::TXYGraph(QObject* parent)
    : QObject(parent),
      FGridPen(QColor(128, 128, 128), 0),
      FSubGridPen(QColor(128, 128, 128), 0),
      FTitleFont(DefaultTitleFont()) {
  ReseedRandom();
  FXAxis = std::make_unique<TGraphAxis>(*this, aoHorizontal);
  FYAxis = std::make_unique<TGraphAxis>(*this, aoVertical);
}

TXYGraph::~TXYGraph() {
  FDestroying = true;
  while (!FSeriesList.empty()) delete FSeriesList.back();
}

void TXYGraph::Invalidate() {
  if (!FDestroying) emit changed();
}

void TXYGraph::ReseedRandom() {
  FRandom.seed(static_cast<std::mt19937::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
}

// --- simple properties ------------------------------------------------------------

void TXYGraph::SetClientSize(const QSize& size) {
  if (StoreChanged(FClientSize, size)) Invalidate();
}
void TXYGraph::SetColor(const QColor& value) {
  if (StoreChanged(FColor, value)) Invalidate();
}
void TXYGraph::SetBackColor(const QColor& value) {
  if (StoreChanged(FBackColor, value)) Invalidate();
}
void TXYGraph::SetAutoAspectRatio(bool value) {
  if (StoreChanged(FAutoAspectRatio, value)) Invalidate();
}
void TXYGraph::SetAxesFront(bool value) {
  if (StoreChanged(FAxesFront, value)) Invalidate();
}
void TXYGraph::SetAntialiasSeries(bool value) {
  if (StoreChanged(FAntialiasSeries, value)) Invalidate();
}
void TXYGraph::SetBitmapScale(double value) {
  if (!(value > 0) || !std::isfinite(value)) return;
  if (StoreChanged(FBitmapScale, value)) Invalidate();
}
void TXYGraph::SetPiSymbol(const QString& value) {
  if (StoreChanged(FPiSymbol, value)) Invalidate();
}
void TXYGraph::SetTitleAlignment(TTitleAlignment value) {
  if (StoreChanged(FTitleAlignment, value)) Invalidate();
}

void TXYGraph::SetGridStyle(TGraphGridStyle value) {
  if (value == FGridStyle) return;
  FGridStyle = value;
  if (value == gsNone) FSubGrid = false;
  Invalidate();
}

void TXYGraph::SetSubGrid(bool value) {
  if (value == FSubGrid || (value && FGridStyle == gsNone)) return;
  FSubGrid = value;
  Invalidate();
}

void TXYGraph::SetGridPen(const QPen& value) {
  FGridPen = value;
  Invalidate();
}
void TXYGraph::SetSubGridPen(const QPen& value) {
  FSubGridPen = value;
  Invalidate();
}
void TXYGraph::SetTitleFont(const QFont& value) {
  FTitleFont = value;
  Invalidate();
}
void TXYGraph::SetTitle(const QStringList& value) {
  FTitle = value;
  Invalidate();
}

// --- series ----------------------------------------------------------------------------

void TXYGraph::AttachSeries(TXYGraphSeries* series) { FSeriesList.push_back(series); }

void TXYGraph::DetachSeries(TXYGraphSeries* series) {
  const auto found = std::find(FSeriesList.begin(), FSeriesList.end(), series);
  if (found != FSeriesList.end()) FSeriesList.erase(found);
}

void TXYGraph::AddSeries(TXYGraphSeries* series) {
  if (series != nullptr) series->SetParentGraph(this);
}

void TXYGraph::RemoveSeries(TXYGraphSeries* series) {
  if (series != nullptr && series->ParentGraph() == this) series->SetParentGraph(nullptr);
}

namespace {
[[noreturn]] void SeriesIndexError(int index) {
  char text[160];
  std::snprintf(text, sizeof text, ListIndexMessage, index);
  throw EListError(text);
}
}  // namespace

TXYGraphSeries* TXYGraph::Series(int index) const {
  if (index < 0 || index >= SeriesCount()) SeriesIndexError(index);
  return FSeriesList[static_cast<std::size_t>(index)];
}

void TXYGraph::SetSeries(int index, TXYGraphSeries* series) {
  if (index < 0 || index >= SeriesCount()) SeriesIndexError(index);
  FSeriesList[static_cast<std::size_t>(index)] = series;
}

int TXYGraph::SeriesIndexOf(const TXYGraphSeries* series) const {
  const auto found = std::find(FSeriesList.begin(), FSeriesList.end(), series);
  return found == FSeriesList.end() ? -1 : static_cast<int>(found - FSeriesList.begin());
}

void TXYGraph::SeriesUp(TXYGraphSeries* series) {
  const int index = SeriesIndexOf(series);
  if (index <= 0) return;
  std::swap(FSeriesList[static_cast<std::size_t>(index)],
            FSeriesList[static_cast<std::size_t>(index - 1)]);
  Invalidate();
}

void TXYGraph::SeriesDown(TXYGraphSeries* series) {
  const int index = SeriesIndexOf(series);
  if (index >= SeriesCount() - 1) return;
  if (index < 0) SeriesIndexError(index);
  std::swap(FSeriesList[static_cast<std::size_t>(index)],
            FSeriesList[static_cast<std::size_t>(index + 1)]);
  Invalidate();
}

bool TXYGraph::IsColorFree(const QColor& color) const {
  return std::none_of(FSeriesList.begin(), FSeriesList.end(), [&](const TXYGraphSeries* s) {
    return s->SeriesColor().isValid() && s->SeriesColor().rgb() == color.rgb();
  });
}

QColor TXYGraph::GetFreeColor() const {
  for (const QRgb rgb : SeriesColors)
    if (IsColorFree(QColor(rgb))) return QColor(rgb);
  // Every colour is taken: reuse the first one taken least often.
  for (int uses = 1; uses <= SeriesCount(); ++uses) {
    for (const QRgb rgb : SeriesColors) {
      const auto count = std::count_if(FSeriesList.begin(), FSeriesList.end(),
                                       [&](const TXYGraphSeries* s) {
                                         return s->SeriesColor().isValid() &&
                                                s->SeriesColor().rgb() == rgb;
                                       });
      if (count == uses) return QColor(rgb);
    }
  }
  return QColor(SeriesColors.front());
}

namespace {
template <typename Reader, typename Pick>
double Extreme(const std::vector<TXYGraphSeries*>& list, double fallback, Reader extreme,
               Pick better) {
  bool found = false;
  double result = fallback;
  for (const TXYGraphSeries* series : list) {
    if (!series->Active() || series->DataCount() <= 0) continue;
    const double value = extreme(*series);
    if (!found || better(value, result)) result = value;
    found = true;
  }
  return result;
}
}  // namespace

double TXYGraph::MinXValue() const {
  return Extreme(FSeriesList, XAxis().Min(), [](const TXYGraphSeries& s) { return s.MinXValue(); },
                 std::less<double>());
}
double TXYGraph::MaxXValue() const {
  return Extreme(FSeriesList, XAxis().Max(), [](const TXYGraphSeries& s) { return s.MaxXValue(); },
                 std::greater<double>());
}
double TXYGraph::MinYValue() const {
  return Extreme(FSeriesList, YAxis().Min(), [](const TXYGraphSeries& s) { return s.MinYValue(); },
                 std::less<double>());
}
double TXYGraph::MaxYValue() const {
  return Extreme(FSeriesList, YAxis().Max(), [](const TXYGraphSeries& s) { return s.MaxYValue(); },
                 std::greater<double>());
}

QPoint TXYGraph::GetXYPoint(double x, double y) const {
  return QPoint(FXAxis->GetValuePos(x), FYAxis->GetValuePos(y));
}

// --- layout ---------------------------------------------------------------------------

QFontMetrics TXYGraph::MetricsFor(const QFont& font) const {
  if (FGraphCanvas != nullptr && FGraphCanvas->device() != nullptr)
    return QFontMetrics(font, FGraphCanvas->device());
  return QFontMetrics(font);
}

void TXYGraph::CalcLayout() {
  FWorkRect = ClientRect();
  const QFontMetrics metrics = MetricsFor(FTitleFont);
  FTitleSize = metrics.height() * static_cast<int>(FTitle.size());
  FWorkRect.setTop(FWorkRect.top() + FTitleSize);
  AlignAxes();
  if (!FAutoAspectRatio) return;

  const double plotRatio =
      FPlotHeight == 0 ? 1000.0 : static_cast<double>(FPlotWidth) / FPlotHeight;
  const double dataRatio = (FXAxis->Max() - FXAxis->Min()) / (FYAxis->Max() - FYAxis->Min());
  int left = FWorkRect.left();
  int top = FWorkRect.top();
  int right = RightEdge(FWorkRect);
  int bottom = BottomEdge(FWorkRect);
  if (dataRatio > plotRatio) {
    const int shrink =
        (FPlotHeight - static_cast<int>(std::lround(FPlotWidth / dataRatio))) / 2;
    top += shrink;
    bottom -= shrink;
  } else {
    const int shrink =
        (FPlotWidth - static_cast<int>(std::lround(FPlotHeight * dataRatio))) / 2;
    left += shrink;
    right -= shrink;
  }
  FWorkRect = RectFromEdges(left, top, right, bottom);
  AlignAxes();
}

double TXYGraph::ShiftedMinPos(const TGraphAxis& axis, double target, bool& defined) {
  const double max = axis.Max();
  const double min = axis.Min();
  const double origin = axis.Origin();
  const double maxPos = axis.MaxPos();
  defined = true;
  // Ratios first: the products of a range near the largest number and a
  // pixel position would overflow.
  if (!axis.Inverted() && max != origin)
    return (max - min) / (max - origin) * target - (origin - min) / (max - origin) * maxPos;
  if (origin == min) {
    defined = false;
    return axis.MinPos();
  }
  return (max - min) / (origin - min) * target - (max - origin) / (origin - min) * maxPos;
}

namespace {
// Pixel shifts from the layout arithmetic; a crossing value that sits a
// hair from an end gives a huge (but harmless) shift that must not wrap.
long long PixelShift(double value) {
  if (std::isnan(value)) return 0;
  return std::llround(std::clamp(value, -1e9, 1e9));
}
}  // namespace

void TXYGraph::AlignAxes() {
  TGraphAxis& x = *FXAxis;
  TGraphAxis& y = *FYAxis;
  int left = FWorkRect.left();
  int top = FWorkRect.top();
  int right = RightEdge(FWorkRect);
  int bottom = BottomEdge(FWorkRect);
  const auto bounds = [&] { return RectFromEdges(left, top, right, bottom); };

  // The Y axis, leaving room under the X line for its labels.
  bottom -= x.TitleHeightAt(tlFixed);
  y.SetAxisBounds(bounds());
  const int xHeight = x.AxisHeight();
  int margin = y.GetOriginMargin();
  if (xHeight > margin) {
    const int target = bottom - xHeight;
    bool defined = false;
    const double minPos = ShiftedMinPos(y, target, defined);
    long long d = 0;
    if (target <= y.MaxPos())
      d = BottomEdge(y.AxisBounds()) - y.MinPos();
    else if (defined)
      d = PixelShift(y.MinPos() - minPos);
    if (d > 0) {
      bottom -= static_cast<int>(std::min<long long>(d, bottom - top));
      y.SetAxisBounds(bounds());
    }
  } else if (y.AxisHeight() - margin < xHeight && y.MaxPos() >= y.MinPos()) {
    const int gap = y.MaxPos() - y.AxisBounds().top();
    if (gap > 0) {
      top += gap;
      y.SetAxisBounds(bounds());
    }
  }

  // The X axis, leaving room left of the Y line for its labels.
  left += y.TitleWidthAt(tlFixed);
  x.SetAxisBounds(bounds());
  const int yWidth = y.AxisWidth();
  margin = x.GetOriginMargin();
  if (yWidth > margin) {
    const int target = left + yWidth;
    bool defined = false;
    const double minPos = ShiftedMinPos(x, target, defined);
    long long d = 0;
    if (target >= x.MaxPos())
      d = x.MinPos() - x.AxisBounds().left();
    else if (defined)
      d = PixelShift(minPos - x.MinPos());
    if (d > 0) {
      left += static_cast<int>(std::min<long long>(d, right - left));
      x.SetAxisBounds(bounds());
    }
  } else if (x.AxisWidth() - margin < yWidth && x.MinPos() >= x.MaxPos()) {
    const int gap = RightEdge(x.AxisBounds()) - x.MaxPos();
    if (gap > 0) {
      right -= gap;
      x.SetAxisBounds(bounds());
    }
  }
  UpdatePlotArea();
}

void TXYGraph::UpdatePlotArea() {
  FPlotArea = RectFromEdges(FXAxis->MinPos(), FYAxis->MaxPos(), FXAxis->MaxPos() + 1,
                            FYAxis->MinPos() + 1);
  FPlotWidth = FPlotArea.width();
  FPlotHeight = FPlotArea.height();
}

void TXYGraph::Loaded() {
  FLoading = false;
  FXAxis->ApplyRange(FXAxis->Min(), FXAxis->Max());
  FYAxis->ApplyRange(FYAxis->Min(), FYAxis->Max());
  CalcLayout();
  Invalidate();
}

// --- drawing ---------------------------------------------------------------------------

void TXYGraph::DrawGraph(QPainter& painter) {
  TCanvasScope scope(FGraphCanvas, painter);
  painter.save();
  try {
    CalcLayout();
    painter.setClipping(false);
    painter.fillRect(ClientRect(), FColor);
    painter.fillRect(FPlotArea, FBackColor);
    DrawTitle(painter);
    if (FAxesFront) {
      SetClipRect(painter, FPlotArea);
      DrawSeries(painter);
      SetClipRect(painter, ClientRect());
      DrawGrid(painter);
      DrawAxes(painter);
    } else {
      DrawGrid(painter);
      DrawAxes(painter);
      SetClipRect(painter, FPlotArea);
      DrawSeries(painter);
      SetClipRect(painter, ClientRect());
    }
  } catch (...) {
    painter.restore();
    throw;
  }
  painter.restore();
  if (FOnAfterDraw) FOnAfterDraw(*this);
}

void TXYGraph::SetClipRect(QPainter& painter, const QRect& rect) {
  if (FMetafiling) return;
  painter.setClipRect(rect);
}

void TXYGraph::DrawTitle(QPainter& painter) {
  if (FTitle.isEmpty()) return;
  painter.save();
  painter.setFont(FTitleFont);
  painter.setPen(QColor(Qt::black));
  painter.setBrush(Qt::NoBrush);
  const QFontMetrics metrics = MetricsFor(FTitleFont);
  const int clientRight = Width();
  int y = FWorkRect.top() - FTitleSize;
  for (const QString& line : FTitle) {
    const int width = metrics.horizontalAdvance(line);
    int x = 0;
    if (FTitleAlignment == taRightJustify)
      x = clientRight - width;
    else if (FTitleAlignment == taCenter)
      x = (clientRight - width) / 2;
    painter.drawText(QPoint(x, y + metrics.ascent()), line);
    y += metrics.height();
  }
  painter.restore();
}

void TXYGraph::DrawSeries(QPainter& painter) {
  for (TXYGraphSeries* series : FSeriesList) {
    series->SetSeriesRange(FXAxis->Min(), FXAxis->Max(), FYAxis->Min(), FYAxis->Max());
    if (!series->Active() || series->DataCount() <= 0) continue;
    painter.save();
    if (FAntialiasSeries) painter.setRenderHint(QPainter::Antialiasing, true);
    try {
      series->Draw(painter);
    } catch (...) {
      painter.restore();
      throw;
    }
    painter.restore();
  }
}

void TXYGraph::DrawGrid(QPainter& painter) {
  if (FGridStyle == gsNone) return;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  const auto lines = [&](const TGraphAxis& axis, const TGraphValueList& values, const QPen& pen,
                         bool horizontalLines) {
    QVector<QLine> segments;
    segments.reserve(values.Count());
    for (int i = 0; i < values.Count(); ++i) {
      const int p = axis.GetValuePos(values.List()[i]);
      if (horizontalLines)
        segments.append(QLine(FXAxis->MinPos(), p, FXAxis->MaxPos(), p));
      else
        segments.append(QLine(p, FYAxis->MinPos(), p, FYAxis->MaxPos()));
    }
    if (segments.isEmpty()) return;
    painter.setPen(PenForDevice(painter, pen));
    painter.drawLines(segments);
  };
  if (FGridStyle == gsHorizontal || FGridStyle == gsBoth) {
    lines(*FYAxis, FYAxis->TickDataList(), FGridPen, true);
    if (FSubGrid) lines(*FYAxis, FYAxis->SubTickDataList(), FSubGridPen, true);
  }
  if (FGridStyle == gsVertical || FGridStyle == gsBoth) {
    lines(*FXAxis, FXAxis->TickDataList(), FGridPen, false);
    if (FSubGrid) lines(*FXAxis, FXAxis->SubTickDataList(), FSubGridPen, false);
  }
  painter.restore();
}

void TXYGraph::DrawAxes(QPainter& painter) {
  FXAxis->SetAxisPos(FYAxis->OriginPos());
  FYAxis->SetAxisPos(FXAxis->OriginPos());
  FXAxis->Draw(painter);
  FYAxis->Draw(painter);
}

}  // namespace zc
