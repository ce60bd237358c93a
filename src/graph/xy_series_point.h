// Series that draw a figure per data point: arrows, bubbles and error bars.
#pragma once

#include "xy_series_line.h"

#include <QBrush>
#include <QPen>

namespace zc {

// Arrows from each (X, Y) to its end point; the head is drawn only when the
// end lies inside the plot.
class TXYArrowSeries : public TXYLineSeries {
 public:
  explicit TXYArrowSeries(const QString& name = QString());

  const TGraphValueList& StartXValues() const { return FXValues; }
  const TGraphValueList& StartYValues() const { return FYValues; }
  const TGraphValueList& EndXValues() const { return FEndXValues; }
  const TGraphValueList& EndYValues() const { return FEndYValues; }
  // Length of the head's barbs in pixels (negative values are ignored).
  int ArrowSize() const { return FArrowSize; }
  void SetArrowSize(int value);

  int AddArrow(double x1, double y1, double x2, double y2);
  // From (x, y) over `length` in direction `theta` (radians).
  int AddArrow2(double x, double y, double length, double theta);

  void Draw(QPainter& painter) override;
  void ReadData(std::istream& stream) override;
  void WriteData(std::ostream& stream) const override;
  void Clear() override;
  void Delete(int index) override;
  double MinXValue() const override;
  double MaxXValue() const override;
  double MinYValue() const override;
  double MaxYValue() const override;

 protected:
  void AddSample(double x, double y, double spread, int seriesIndex) override;

 private:
  TGraphValueList FEndXValues;
  TGraphValueList FEndYValues;
  int FArrowSize = 3;
};

// Circles whose radii scale with the largest radius of the series.
class TXYBubbleSeries : public TXYGraphSeries {
 public:
  explicit TXYBubbleSeries(const QString& name = QString());

  const TGraphValueList& RadiusValues() const { return FRadiusValues; }
  const QBrush& Brush() const { return FBrush; }
  // Copies the brush and takes its colour as the series colour.
  void SetBrush(const QBrush& value);
  const QPen& Pen() const { return FPen; }
  void SetPen(const QPen& value);
  // Radius of the largest bubble, in percent of the shorter plot side
  // (values of 0 or less are ignored).
  int MaxSizeRate() const { return FMaxSizeRate; }
  void SetMaxSizeRate(int value);

  int AddBubble(double x, double y, double radius);

  void Draw(QPainter& painter) override;
  void ReadData(std::istream& stream) override;
  void WriteData(std::ostream& stream) const override;
  void Clear() override;
  void Delete(int index) override;

 protected:
  void ApplySeriesColor(const QColor& value) override;
  void AddSample(double x, double y, double spread, int seriesIndex) override;

 private:
  TGraphValueList FRadiusValues;
  QBrush FBrush;
  QPen FPen;
  int FMaxSizeRate = 10;
};

// Values with upper and lower error bars, optionally joined by a line.
class TXYErrorBarSeries : public TXYLineSeries {
 public:
  explicit TXYErrorBarSeries(const QString& name = QString());

  const TGraphValueList& UpperValues() const { return FUpperValues; }
  const TGraphValueList& LowerValues() const { return FLowerValues; }
  bool Joined() const { return FJoined; }
  void SetJoined(bool value);
  // Width of the caps in pixels (values of 0 or less are ignored).
  int BarSize() const { return FBarSize; }
  void SetBarSize(int value);
  const QPen& Pen() const { return FPen; }
  void SetPen(const QPen& value);

  int AddErrorBar(double x, double y, double upValue, double lowValue);

  void Draw(QPainter& painter) override;
  void ReadData(std::istream& stream) override;
  void WriteData(std::ostream& stream) const override;
  void Clear() override;
  void Delete(int index) override;
  // The extremes include the bar of the point that holds them.
  double MinYValue() const override;
  double MaxYValue() const override;

 protected:
  void AddSample(double x, double y, double spread, int seriesIndex) override;

 private:
  TGraphValueList FUpperValues;
  TGraphValueList FLowerValues;
  bool FJoined = true;
  int FBarSize = 8;
  QPen FPen;
};

}  // namespace zc
