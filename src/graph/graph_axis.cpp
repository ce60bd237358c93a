#include "graph_axis.h"

#include "axis_ticks.h"
#include "device_pen.h"
#include "graph_error.h"
#include "store_changed.h"
#include "xy_graph.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zc {

namespace {

// Data whose extremes lie closer than this is treated as a single value, and
// the automatic range reaches one unit beyond it on either side.
constexpr double kFlatDataSpan = 1e-8;

[[noreturn]] void AxisError(const char* message) { throw EXYGraphAxisError(message); }

int SaturatedInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double limit = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, -limit, limit));
}

QFont DefaultLabelFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(12);
  return font;
}

}  // namespace

TGraphAxis::TGraphAxis(TXYGraph& parentGraph, TAxisOrientation orientation)
    : FParentGraph(parentGraph),
      FOrientation(orientation),
      FAxisPen(QColor(Qt::black), 0),
      FLabelFont(DefaultLabelFont()),
      FTitleFont(FLabelFont) {
  FAxisBounds = parentGraph.ClientRect();
  FAxisPos = FAxisBounds.left();
  RecalcScale();
}

// --- range and scale -----------------------------------------------------------

void TGraphAxis::ApplyRange(double minimum, double maximum) {
  // Written so that a NaN end fails too.
  if (!(minimum < maximum)) AxisError(axis_message::RangeInverted);
  if (!std::isfinite(maximum - minimum)) AxisError(axis_message::RangeTooWide);
  if (FAxisScale == asLog && !(minimum > 0)) AxisError(axis_message::LogRangeNotPositive);
  FMin = minimum;
  FMax = maximum;
  FRange = maximum - minimum;
  if (FRange < kMinAxisRange) {
    FRange = kMinAxisRange;
    FMax = FMin + kMinAxisRange;
  }
  if (FOrigin > FMax) FOrigin = FMax;
  if (FOrigin < FMin) FOrigin = FMin;
  if (FMin > 0) FLogRange = std::log10(FMax / FMin);
}

void TGraphAxis::SetMax(double value) {
  const bool differs = value != FMax;
  if (differs) FMax = value;
  if (FParentGraph.Loading()) return;
  FAutoMax = false;
  if (!differs) return;
  ApplyRange(FMin, FMax);
  Changed();
}

void TGraphAxis::SetMin(double value) {
  const bool differs = value != FMin;
  if (differs) FMin = value;
  if (FParentGraph.Loading()) return;
  FAutoMin = false;
  if (!differs) return;
  ApplyRange(FMin, FMax);
  Changed();
}

void TGraphAxis::SetMinMax(double minimum, double maximum) {
  FMin = minimum;
  FMax = maximum;
  FAutoMin = false;
  FAutoMax = false;
  Changed();
}

void TGraphAxis::ResetScale() {
  FAxisScale = asNormal;
  FMin = 0;
  FMax = 10;
  FRange = 10;
  FLogRange = 1;
  FAutoStep = FAutoOrigin = FAutoMin = FAutoMax = true;
  Changed();
}

void TGraphAxis::CheckTickStep(double value) const {
  if (!(value > 0)) AxisError(axis_message::TickStepNotPositive);
  if (value > FRange) AxisError(axis_message::TickStepAboveRange);
  if (FRange / value > kMaxTickIntervals) AxisError(axis_message::TickStepTooSmall);
}

void TGraphAxis::SetTickStep(double value) {
  if (FParentGraph.Loading()) {
    FTickStep = value;
    return;
  }
  FAutoStep = false;
  if (value == FTickStep) return;
  CheckTickStep(value);
  FTickStep = value;
  Changed();
}

void TGraphAxis::SetOrigin(double value) {
  if (value == FOrigin) return;
  if (FParentGraph.Loading()) {
    FOrigin = value;
    return;
  }
  if (value < FMin) AxisError(axis_message::OriginBelowMin);
  if (value > FMax) AxisError(axis_message::OriginAboveMax);
  FOrigin = value;
  FAutoOrigin = false;
  Changed();
}

void TGraphAxis::SetAxisScale(TAxisScale value) {
  if (value == FAxisScale) return;
  if (FParentGraph.Loading()) {
    FAxisScale = value;
    return;
  }
  if (value == asLog && (!(FMin > 0) || !(GetDataMin() > 0)))
    AxisError(axis_message::LogMinNotPositive);
  FAxisScale = value;
  Changed();
}

namespace {
// Shared rule of the four automatic switches: switching one on rescales.
void SetAutoSwitch(bool& field, bool value, bool loading, const std::function<void()>& changed) {
  if (field == value) return;
  field = value;
  if (value && !loading) changed();
}
}  // namespace

void TGraphAxis::SetAutoStep(bool value) {
  SetAutoSwitch(FAutoStep, value, FParentGraph.Loading(), [this] { Changed(); });
}
void TGraphAxis::SetAutoOrigin(bool value) {
  SetAutoSwitch(FAutoOrigin, value, FParentGraph.Loading(), [this] { Changed(); });
}
void TGraphAxis::SetAutoMin(bool value) {
  SetAutoSwitch(FAutoMin, value, FParentGraph.Loading(), [this] { Changed(); });
}
void TGraphAxis::SetAutoMax(bool value) {
  SetAutoSwitch(FAutoMax, value, FParentGraph.Loading(), [this] { Changed(); });
}

void TGraphAxis::SetAutoDecimal(bool value) {
  if (value == FAutoDecimal) return;
  FAutoDecimal = value;
  if (value) FLabelDecimal = 0;
  Changed();
}

void TGraphAxis::SetLabelDecimal(int value) {
  if (value < 0) AxisError(axis_message::NegativeDecimal);
  if (value >= 6 || value == FLabelDecimal) return;
  FLabelDecimal = value;
  FAutoDecimal = false;
  Changed();
}

void TGraphAxis::SetTicksCount(int value) {
  if (value < 1 || value > 29 || value == FTicksCount) return;
  FTicksCount = value;
  FCurrTicksCount = value;
  if (!FParentGraph.Loading()) Changed();
}

void TGraphAxis::SetSubTicksCount(int value) {
  if (value < 1 || value > 19 || value == FSubTicksCount || FAxisScale == asLog) return;
  FSubTicksCount = value;
  if (!FParentGraph.Loading()) Changed();
}

double TGraphAxis::GetDataMin() const {
  return FOrientation == aoHorizontal ? FParentGraph.MinXValue() : FParentGraph.MinYValue();
}

double TGraphAxis::GetDataMax() const {
  return FOrientation == aoHorizontal ? FParentGraph.MaxXValue() : FParentGraph.MaxYValue();
}

double TGraphAxis::CalcNiceStep(double range) const {
  return zc::CalcNiceStep(range, FCurrTicksCount, FAxisScale == asPi);
}

double TGraphAxis::CalcAutoOrigin(double lo, double hi, double step) const {
  return zc::CalcAutoOrigin(lo, hi, step, FAutoMin, FAutoMax);
}

void TGraphAxis::RecalcScale() {
  const bool hasSeries = FParentGraph.SeriesCount() > 0;
  double hi = FAutoMax && hasSeries ? GetDataMax() : FMax;
  double lo = FAutoMin && hasSeries ? GetDataMin() : FMin;
  if (hi - lo < kFlatDataSpan) {
    lo -= 1;
    hi += 1;
  }
  if (FAxisScale == asLog) {
    if (FAutoMax) FMax = std::pow(10.0, std::ceil(std::log10(hi)));
    if (FAutoMin) FMin = std::pow(10.0, std::floor(std::log10(lo)));
    if (FAutoOrigin) FOrigin = FMin;
    ApplyRange(FMin, FMax);
    BuildLogTicks();
    return;
  }
  const double step = FAutoStep ? CalcNiceStep(hi - lo) : FTickStep;
  if (FAutoOrigin) FOrigin = CalcAutoOrigin(lo, hi, step);
  if (FAutoMax) FMax = CalcAutoMax(hi, FOrigin, step);
  if (FAutoMin) FMin = CalcAutoMin(lo, FOrigin, step);
  ApplyRange(FMin, FMax);
  if (FAutoStep) FTickStep = CalcNiceStep(FMax - FMin);
  BuildLinearTicks();
}

void TGraphAxis::BuildLinearTicks() {
  zc::BuildLinearTicks(FMin, FMax, DrawnTickStep(FMax - FMin, FTickStep, FCurrTicksCount), FSubTicksCount, FOrigin, FAutoOrigin,
                       FTickDataList, FSubTickDataList);
  CopyTicksToLabels();
}

void TGraphAxis::BuildLogTicks() {
  zc::BuildLogTicks(FMin, FMax, FCurrTicksCount, FSubTicksCount, FTickDataList,
                    FSubTickDataList);
  CopyTicksToLabels();
}

void TGraphAxis::CopyTicksToLabels() { FLabelValueList.Assign(FTickDataList); }

void TGraphAxis::Changed() {
  RecalcScale();
  FParentGraph.Invalidate();
}

// --- appearance ------------------------------------------------------------------

void TGraphAxis::SetOrientation(TAxisOrientation value) {
  if (StoreChanged(FOrientation, value)) Changed();
}
void TGraphAxis::SetVisible(bool value) {
  if (StoreChanged(FVisible, value)) Changed();
}
void TGraphAxis::SetTicks(bool value) {
  if (StoreChanged(FTicks, value)) Changed();
}
void TGraphAxis::SetLabels(bool value) {
  if (StoreChanged(FLabels, value)) Changed();
}
void TGraphAxis::SetLabelsOnAxis(bool value) {
  if (StoreChanged(FLabelsOnAxis, value)) Changed();
}
void TGraphAxis::SetInverted(bool value) {
  if (StoreChanged(FInverted, value)) Changed();
}
void TGraphAxis::SetTickLen(int value) {
  if (StoreChanged(FTickLen, value)) Changed();
}
void TGraphAxis::SetSubTickLen(int value) {
  if (StoreChanged(FSubTickLen, value)) Changed();
}
void TGraphAxis::SetLabelSpace(int value) {
  if (StoreChanged(FLabelSpace, value)) Changed();
}
void TGraphAxis::SetTitle(const QString& value) {
  if (StoreChanged(FTitle, value)) Changed();
}
void TGraphAxis::SetAxisTitleLoc(TAxisTitleLoc value) {
  if (StoreChanged(FAxisTitleLoc, value)) Changed();
}

void TGraphAxis::SetAxisPen(const QPen& value) {
  FAxisPen = value;
  Changed();
}

void TGraphAxis::SetLabelFont(const QFont& value) {
  FLabelFont = value;
  Changed();
}

void TGraphAxis::SetTitleAngle(int value) {
  if (value == FTitleAngle) return;
  FTitleAngle = ((value % 360 + 360) % 360) / 90 * 90;
  FTitleEscapement = value;
  Changed();
}

void TGraphAxis::SetTitleFont(const QFont& value) {
  // The rotation belongs to the axis, not to the font: a new font turns too.
  FTitleFont = value;
  Changed();
}

// --- layout and mapping --------------------------------------------------------

void TGraphAxis::SetAxisBounds(const QRect& value) {
  FAxisBounds = value;
  CalcLayout();
}

void TGraphAxis::SetAxisPos(int value) {
  if (value == FAxisPos) return;
  if (FOrientation == aoHorizontal) {
    if (value < FAxisBounds.top() || value > BottomEdge(FAxisBounds)) return;
  } else {
    if (value < FAxisBounds.left() || value > RightEdge(FAxisBounds)) return;
  }
  FAxisPos = value;
}

void TGraphAxis::CalcLayout() {
  const bool horizontal = FOrientation == aoHorizontal;
  const int left = FAxisBounds.left();
  const int top = FAxisBounds.top();
  const int right = RightEdge(FAxisBounds);
  const int bottom = BottomEdge(FAxisBounds);
  const auto placeEnds = [&] {
    if (horizontal) {
      const int third = (right - left) / 3;
      FMaxPos = right - std::min(TitleWidthAt(tlHead) + 5, third);
      FMinPos = left + std::min(TitleWidthAt(tlFoot) + 5, third);
      FPlotSize = FMaxPos - FMinPos;
    } else {
      const int third = (bottom - top) / 3;
      FMaxPos = top + std::min(TitleHeightAt(tlHead) + 5, third);
      FMinPos = bottom - std::min(TitleHeightAt(tlFoot) + 5, third);
      FPlotSize = FMinPos - FMaxPos;
    }
  };
  placeEnds();
  FCurrTicksCount = FTicksCount;
  RecalcScale();

  // Fewer ticks while the labels would crowd each other.
  const int labelRoom = (3 * (horizontal ? GetMaxLabelsWidth() : GetMaxLabelsHeight())) / 2;
  while (FAutoStep && FCurrTicksCount > 1 &&
         static_cast<std::int64_t>(labelRoom) * FCurrTicksCount > FPlotSize) {
    --FCurrTicksCount;
    RecalcScale();
  }

  // Pull the ends in so the outermost labels stay inside the bounds.
  if (FLabelValueList.Count() > 0) {
    const double last = FInverted ? FLabelValueList.MinValue() : FLabelValueList.MaxValue();
    const double first = FInverted ? FLabelValueList.MaxValue() : FLabelValueList.MinValue();
    const int limit = FPlotSize / 3;
    const int lastHalf = GetLabelSize(last) / 2;
    const int firstHalf = GetLabelSize(first) / 2;
    const int lastOverhang = lastHalf - (FPlotSize - GetValueSize(last));
    const int firstOverhang = firstHalf - GetValueSize(first);
    const int sign = horizontal ? 1 : -1;
    if (lastOverhang > 0) FMaxPos -= sign * std::min(lastOverhang, limit);
    if (firstOverhang > 0) FMinPos += sign * std::min(firstOverhang, limit);
    FPlotSize = horizontal ? FMaxPos - FMinPos : FMinPos - FMaxPos;
  }
}

int TGraphAxis::GetValueSize(double value) const {
  double f;
  if (FAxisScale == asLog) {
    if (!(value > 0)) AxisError(axis_message::LogValueNotPositive);
    f = FInverted ? std::log10(FMax / value) / FLogRange : std::log10(value / FMin) / FLogRange;
  } else {
    f = FInverted ? (FMax - value) / FRange : (value - FMin) / FRange;
  }
  if (f > 2147483647.0) f = 2.0;
  if (f < -2147483647.0) f = -2.0;
  return SaturatedInt(std::nearbyint(FPlotSize * f));
}

int TGraphAxis::GetValuePos(double value) const {
  const double size = GetValueSize(value);
  return SaturatedInt(FOrientation == aoHorizontal ? FMinPos + size : FMinPos - size);
}

int TGraphAxis::GetOriginMargin() const {
  return FOrientation == aoHorizontal ? OriginPos() - FAxisBounds.left()
                                      : BottomEdge(FAxisBounds) - OriginPos();
}

// --- labels and sizes --------------------------------------------------------------

QString TGraphAxis::GetValueText(double value) const {
  TLabelFormat format{FAxisScale, FAutoDecimal, FLabelDecimal, FParentGraph.PiSymbol()};
  QString text = FormatAxisLabel(value, format);
  if (FLabelQuery) {
    // The handler sees the raw value and may replace the text outright.
    FLabelQuery(const_cast<TGraphAxis&>(*this), value, text);
  }
  return text;
}

int TGraphAxis::GetLabelWidth(double value) const {
  if (!FLabels || !FVisible) return 0;
  return FParentGraph.MetricsFor(FLabelFont).horizontalAdvance(GetValueText(value));
}

int TGraphAxis::GetLabelHeight(double value) const {
  if (!FLabels || !FVisible) return 0;
  (void)value;
  return FParentGraph.MetricsFor(FLabelFont).height();
}

int TGraphAxis::GetLabelSize(double value) const {
  return FOrientation == aoVertical ? GetLabelHeight(value) : GetLabelWidth(value);
}

int TGraphAxis::GetMaxLabelsWidth() const {
  if (!FLabels || !FVisible) return 0;
  const QFontMetrics metrics = FParentGraph.MetricsFor(FLabelFont);
  int widest = 0;
  for (int i = 0; i < FLabelValueList.Count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(GetValueText(FLabelValueList.List()[i])));
  return widest;
}

int TGraphAxis::GetMaxLabelsHeight() const {
  if (!FLabels || !FVisible || FLabelValueList.Count() == 0) return 0;
  return FParentGraph.MetricsFor(FLabelFont).height();
}

QSize TGraphAxis::TitleExtent() const {
  if (FTitle.isEmpty()) return QSize(0, 0);
  const QFontMetrics metrics = FParentGraph.MetricsFor(FTitleFont);
  const int textWidth = metrics.horizontalAdvance(FTitle);
  const int textHeight = metrics.height();
  if (FTitleAngle == 90 || FTitleAngle == 270) return QSize(textHeight, textWidth);
  return QSize(textWidth, textHeight);
}

int TGraphAxis::TitleWidthAt(TAxisTitleLoc location) const {
  if (FAxisTitleLoc != location || !FVisible) return 0;
  return TitleExtent().width();
}

int TGraphAxis::TitleHeightAt(TAxisTitleLoc location) const {
  if (FAxisTitleLoc != location || !FVisible) return 0;
  return TitleExtent().height();
}

int TGraphAxis::AxisHeight() const {
  if (FOrientation == aoVertical) return BottomEdge(FAxisBounds) - FAxisBounds.top();
  return TitleHeightAt(tlSide) + GetMaxLabelsHeight() + FLabelSpace;
}

int TGraphAxis::AxisWidth() const {
  const int width = FOrientation == aoVertical
                        ? TitleWidthAt(tlSide) + GetMaxLabelsWidth() + FLabelSpace
                        : RightEdge(FAxisBounds) - FAxisBounds.left();
  const int titles = TitleWidthAt(tlHead) + TitleWidthAt(tlFoot);
  return titles > 2 * width ? titles / 2 : width;
}

// --- drawing ------------------------------------------------------------------------

void TGraphAxis::Draw(QPainter& painter) const {
  if (!FVisible) return;
  painter.save();
  painter.setPen(PenForDevice(painter, FAxisPen));
  painter.setBrush(Qt::NoBrush);
  painter.setFont(FLabelFont);
  const bool vertical = FOrientation == aoVertical;

  if (vertical)
    painter.drawLine(FAxisPos, FMinPos, FAxisPos, FMaxPos);
  else
    painter.drawLine(FMinPos, FAxisPos, FMaxPos, FAxisPos);

  if (FTicks) {
    const auto marks = [&](const TGraphValueList& values, int length) {
      QVector<QLine> lines;
      lines.reserve(values.Count());
      for (int i = 0; i < values.Count(); ++i) {
        const int p = GetValuePos(values.List()[i]);
        if (vertical)
          lines.append(QLine(FAxisPos, p, FAxisPos + length, p));
        else
          lines.append(QLine(p, FAxisPos, p, FAxisPos - length));
      }
      if (!lines.isEmpty()) painter.drawLines(lines);
    };
    marks(FTickDataList, FTickLen);
    marks(FSubTickDataList, FSubTickLen);
  }

  if (FLabels) {
    // Text is drawn in the font colour, black, not in the axis pen's.
    painter.setPen(QColor(Qt::black));
    const QFontMetrics metrics = FParentGraph.MetricsFor(FLabelFont);
    const int height = metrics.height();
    for (int i = 0; i < FLabelValueList.Count(); ++i) {
      const double value = FLabelValueList.List()[i];
      if (!FLabelsOnAxis && std::fabs(value - FOrigin) < 1e-10) continue;
      const QString text = GetValueText(value);
      const int width = metrics.horizontalAdvance(text);
      const int p = GetValuePos(value);
      int x;
      int y;
      if (vertical) {
        x = FAxisPos - FLabelSpace - width;
        y = p + 1 - height / 2;
      } else {
        x = p - width / 2;
        y = FAxisPos + FLabelSpace;
      }
      painter.drawText(QPoint(x, y + metrics.ascent()), text);
    }
  }
  painter.restore();
  DrawTitle(painter);
}

void TGraphAxis::DrawTitle(QPainter& painter) const {
  if (FTitle.isEmpty()) return;
  const QSize extent = TitleExtent();
  const int w = extent.width();
  const int h = extent.height();
  const int top = FAxisBounds.top();
  const int right = RightEdge(FAxisBounds);
  const int bottom = BottomEdge(FAxisBounds);
  // Anchor = top-right corner of the title's box.
  QPoint anchor;
  if (FOrientation == aoVertical) {
    const int centreY = FMinPos - (2 * FPlotSize) / 3;
    switch (FAxisTitleLoc) {
      case tlHead: anchor = QPoint(FAxisPos - w / 2 + w, top); break;
      case tlFoot: anchor = QPoint(FAxisPos - w / 2 + w, bottom - h); break;
      case tlSide: anchor = QPoint(FAxisPos - AxisWidth() + w, centreY - h / 2); break;
      case tlFixed: anchor = QPoint(w, centreY - h / 2); break;
    }
  } else {
    const int centreX = FMinPos + (2 * FPlotSize) / 3;
    switch (FAxisTitleLoc) {
      case tlHead: anchor = QPoint(right, FAxisPos - h / 2); break;
      case tlFoot: anchor = QPoint(FMinPos - FLabelSpace, FAxisPos - h / 2); break;
      case tlSide: anchor = QPoint(centreX - w / 2 + w, FAxisPos + AxisHeight() - h); break;
      // At the foot of the graph, in the strip kept free below the labels,
      // as the Y axis's fixed title sits in the strip at the left.
      case tlFixed:
        anchor = QPoint(centreX - w / 2 + w, BottomEdge(FParentGraph.WorkRect()) - h);
        break;
    }
  }
  QPoint origin;
  switch (FTitleAngle) {
    case 90: origin = anchor + QPoint(-w, h); break;
    case 180: origin = anchor + QPoint(0, h); break;
    case 270: origin = anchor; break;
    default: origin = anchor - QPoint(w, 0); break;
  }
  const QFontMetrics metrics = FParentGraph.MetricsFor(FTitleFont);
  painter.save();
  painter.setFont(FTitleFont);
  painter.setPen(QColor(Qt::black));
  painter.translate(origin);
  painter.rotate(-FTitleEscapement);
  painter.drawText(QPoint(0, metrics.ascent()), FTitle);
  painter.restore();
}

}  // namespace zc
