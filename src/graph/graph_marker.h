// The symbol a marker series puts at each data point.
#pragma once

#include <QBrush>
#include <QPen>

class QPainter;

namespace zc {

class TXYGraphSeries;

enum TMarkerShape {
  msPlus,
  msTimes,
  msSquare,
  msCircle,
  msPoint,
  msStar,
  msTriangleUp,
  msTriangleDown,
  msDiamond
};

class TGraphMarker {
 public:
  explicit TGraphMarker(TXYGraphSeries* ownerSeries = nullptr);

  // Copies owner, shape, size, pen and brush.
  void Assign(const TGraphMarker& source);

  // The series whose graph repaints when the marker changes.
  TXYGraphSeries* OwnerSeries() const { return FOwnerSeries; }
  void SetOwnerSeries(TXYGraphSeries* series) { FOwnerSeries = series; }
  TMarkerShape Shape() const { return FShape; }
  void SetShape(TMarkerShape value);
  int Size() const { return FSize; }
  void SetSize(int value);
  const QPen& Pen() const { return FPen; }
  void SetPen(const QPen& value);
  const QBrush& Brush() const { return FBrush; }
  void SetBrush(const QBrush& value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);

  // The symbol centred on the pixel (centerX, centerY).
  void Draw(QPainter& painter, int centerX, int centerY) const;

 private:
  void Changed();

  TXYGraphSeries* FOwnerSeries;
  TMarkerShape FShape = msDiamond;
  int FSize = 10;
  QPen FPen;
  QBrush FBrush;
  bool FVisible = true;
};

}  // namespace zc
