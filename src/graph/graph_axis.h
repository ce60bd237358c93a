// One axis of the graph: its range and scale kind, automatic scaling from the
// data, tick and label values, pixel mapping inside the layout rectangle the
// graph hands it, label texts, and its own drawing (line, ticks, labels,
// title). The pure arithmetic behind it lives in axis_ticks.h.
#pragma once

#include "axis_types.h"
#include "graph_lists.h"

#include <QFont>
#include <QPen>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>

class QPainter;

namespace zc {

class TXYGraph;

// Rectangles are handled by their edges: Right and Bottom lie one pixel past
// the last column and row, so a 300 × 200 client area spans 0 … 300.
inline int RightEdge(const QRect& rect) { return rect.x() + rect.width(); }
inline int BottomEdge(const QRect& rect) { return rect.y() + rect.height(); }
inline QRect RectFromEdges(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

// The narrowest range an axis shows: a narrower one is widened to this
// above its minimum.
inline constexpr double kMinAxisRange = 1e-8;

class TGraphAxis;
// Replaces the label text of a value when set.
using TLabelQuery = std::function<void(TGraphAxis& sender, double value, QString& labelText)>;

class TGraphAxis {
 public:
  TGraphAxis(TXYGraph& parentGraph, TAxisOrientation orientation);
  TGraphAxis(const TGraphAxis&) = delete;
  TGraphAxis& operator=(const TGraphAxis&) = delete;

  // --- range and scale -----------------------------------------------------
  double Max() const { return FMax; }
  double Min() const { return FMin; }
  // Switch the automatic end off; a changed value is validated at once.
  void SetMax(double value);
  void SetMin(double value);
  // Both ends without checks; the next recalculation validates them.
  void SetMinMax(double minimum, double maximum);
  // The one place where a range is validated.
  void ApplyRange(double minimum, double maximum);
  // Linear scale 0 … 10, everything automatic.
  void ResetScale();
  double Range() const { return FRange; }
  double LogRange() const { return FLogRange; }

  double TickStep() const { return FTickStep; }
  void SetTickStep(double value);
  double Origin() const { return FOrigin; }
  void SetOrigin(double value);
  TAxisScale AxisScale() const { return FAxisScale; }
  void SetAxisScale(TAxisScale value);

  bool AutoStep() const { return FAutoStep; }
  void SetAutoStep(bool value);
  bool AutoOrigin() const { return FAutoOrigin; }
  void SetAutoOrigin(bool value);
  bool AutoMin() const { return FAutoMin; }
  void SetAutoMin(bool value);
  bool AutoMax() const { return FAutoMax; }
  void SetAutoMax(bool value);
  bool AutoDecimal() const { return FAutoDecimal; }
  void SetAutoDecimal(bool value);
  int LabelDecimal() const { return FLabelDecimal; }
  void SetLabelDecimal(int value);

  int TicksCount() const { return FTicksCount; }
  void SetTicksCount(int value);
  int CurrTicksCount() const { return FCurrTicksCount; }
  int SubTicksCount() const { return FSubTicksCount; }
  void SetSubTicksCount(int value);

  // Autoscale from the data (or the manual settings) and rebuild the ticks.
  void RecalcScale();
  // Nice step for range `range` over the current tick count.
  double CalcNiceStep(double range) const;
  double CalcAutoOrigin(double lo, double hi, double step) const;

  const TGraphValueList& TickDataList() const { return FTickDataList; }
  const TGraphValueList& SubTickDataList() const { return FSubTickDataList; }
  const TGraphValueList& LabelValueList() const { return FLabelValueList; }

  // --- appearance ----------------------------------------------------------
  TAxisOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TAxisOrientation value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Ticks() const { return FTicks; }
  void SetTicks(bool value);
  bool Labels() const { return FLabels; }
  void SetLabels(bool value);
  bool LabelsOnAxis() const { return FLabelsOnAxis; }
  void SetLabelsOnAxis(bool value);
  bool Inverted() const { return FInverted; }
  void SetInverted(bool value);
  int TickLen() const { return FTickLen; }
  void SetTickLen(int value);
  int SubTickLen() const { return FSubTickLen; }
  void SetSubTickLen(int value);
  int LabelSpace() const { return FLabelSpace; }
  void SetLabelSpace(int value);
  const QPen& AxisPen() const { return FAxisPen; }
  void SetAxisPen(const QPen& value);
  const QFont& LabelFont() const { return FLabelFont; }
  void SetLabelFont(const QFont& value);

  const QString& Title() const { return FTitle; }
  void SetTitle(const QString& value);
  // Stored as 0, 90, 180 or 270; the text itself turns by the angle given.
  int TitleAngle() const { return FTitleAngle; }
  void SetTitleAngle(int value);
  const QFont& TitleFont() const { return FTitleFont; }
  void SetTitleFont(const QFont& value);
  TAxisTitleLoc AxisTitleLoc() const { return FAxisTitleLoc; }
  void SetAxisTitleLoc(TAxisTitleLoc value);

  const TLabelQuery& OnQueryLabel() const { return FLabelQuery; }
  void SetOnQueryLabel(TLabelQuery handler) { FLabelQuery = std::move(handler); }

  // --- layout and mapping (set by the graph on every drawing) ---------------
  const QRect& AxisBounds() const { return FAxisBounds; }
  void SetAxisBounds(const QRect& value);
  // Accepted only inside the bounds across the axis; no redraw.
  int AxisPos() const { return FAxisPos; }
  void SetAxisPos(int value);
  int MinPos() const { return FMinPos; }
  int MaxPos() const { return FMaxPos; }
  int PlotSize() const { return FPlotSize; }
  int OriginPos() const { return GetValuePos(FOrigin); }
  int AxisHeight() const;
  int AxisWidth() const;
  void CalcLayout();

  int GetValueSize(double value) const;
  int GetValuePos(double value) const;
  int GetOriginMargin() const;
  double GetPixelsPerUnit() const { return FPlotSize / FRange; }
  double GetValuePerPixel() const { return FRange / FPlotSize; }

  QString GetValueText(double value) const;
  int GetLabelWidth(double value) const;
  int GetLabelHeight(double value) const;
  int GetLabelSize(double value) const;
  int GetMaxLabelsWidth() const;
  int GetMaxLabelsHeight() const;
  // Extent of the title when it sits at `location` and the axis is visible.
  int TitleWidthAt(TAxisTitleLoc location) const;
  int TitleHeightAt(TAxisTitleLoc location) const;

  void Draw(QPainter& painter) const;

  TXYGraph& ParentGraph() const { return FParentGraph; }

 private:
  void Changed();
  void CheckTickStep(double value) const;
  double GetDataMin() const;
  double GetDataMax() const;
  void BuildLinearTicks();
  void BuildLogTicks();
  void CopyTicksToLabels();
  QSize TitleExtent() const;
  void DrawTitle(QPainter& painter) const;

  TXYGraph& FParentGraph;
  TAxisOrientation FOrientation;
  bool FAutoStep = true;
  bool FAutoOrigin = true;
  bool FAutoMin = true;
  bool FAutoMax = true;
  bool FAutoDecimal = true;
  bool FVisible = true;
  bool FTicks = true;
  bool FLabels = true;
  double FMax = 10.0;
  double FMin = 0.0;
  double FRange = 10.0;
  double FLogRange = 1.0;
  double FTickStep = 2.0;
  int FTicksCount = 6;
  int FCurrTicksCount = 6;
  int FSubTicksCount = 5;
  TGraphValueList FTickDataList;
  TGraphValueList FSubTickDataList;
  double FOrigin = 0.0;
  QPen FAxisPen;
  QFont FLabelFont;
  int FTickLen = 5;
  int FSubTickLen = 3;
  bool FInverted = false;
  TAxisScale FAxisScale = asNormal;
  QRect FAxisBounds;
  int FMinPos = 0;
  int FMaxPos = 0;
  int FAxisPos = 0;
  int FPlotSize = 0;
  int FLabelSpace = 4;
  int FLabelDecimal = 0;
  bool FLabelsOnAxis = false;
  TGraphValueList FLabelValueList;
  QString FTitle;
  int FTitleAngle = 0;
  int FTitleEscapement = 0;  // degrees the title text turns, as last requested
  QFont FTitleFont;
  TAxisTitleLoc FAxisTitleLoc = tlHead;
  TLabelQuery FLabelQuery;
};

}  // namespace zc
