#include "graph_marker.h"

#include "device_pen.h"
#include "graph_series.h"

#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QRect>

namespace zc {

TGraphMarker::TGraphMarker(TXYGraphSeries* ownerSeries)
    : FOwnerSeries(ownerSeries), FPen(QColor(Qt::black), 0), FBrush(Qt::white, Qt::SolidPattern) {}

void TGraphMarker::Assign(const TGraphMarker& source) {
  if (&source == this) return;
  FOwnerSeries = source.FOwnerSeries;
  FShape = source.FShape;
  FSize = source.FSize;
  FPen = source.FPen;
  FBrush = source.FBrush;
  Changed();
}

void TGraphMarker::Changed() {
  if (FOwnerSeries != nullptr) FOwnerSeries->DataChanged();
}

void TGraphMarker::SetShape(TMarkerShape value) {
  if (value == FShape) return;
  FShape = value;
  Changed();
}

void TGraphMarker::SetSize(int value) {
  if (value == FSize) return;
  FSize = value;
  Changed();
}

void TGraphMarker::SetPen(const QPen& value) {
  FPen = value;
  Changed();
}

void TGraphMarker::SetBrush(const QBrush& value) {
  FBrush = value;
  Changed();
}

void TGraphMarker::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Changed();
}

void TGraphMarker::Draw(QPainter& painter, int centerX, int centerY) const {
  if (!FVisible) return;
  painter.setPen(PenForDevice(painter, FPen));
  painter.setBrush(FBrush);
  const int s = FSize;
  const int h = s / 2;
  const int x0 = centerX - h;
  const int y0 = centerY - h;
  const QLine plus[2] = {QLine(centerX, y0, centerX, y0 + s), QLine(x0, centerY, x0 + s, centerY)};
  const QLine times[2] = {QLine(x0, y0, x0 + s, y0 + s), QLine(x0, y0 + s, x0 + s, y0)};
  switch (FShape) {
    case msPlus:
      painter.drawLines(plus, 2);
      break;
    case msTimes:
      painter.drawLines(times, 2);
      break;
    case msStar: {
      const QLine star[4] = {plus[0], plus[1], times[0], times[1]};
      painter.drawLines(star, 4);
      break;
    }
    case msSquare:
      // The box covers x0 … x0+s-1 like the other filled shapes.
      painter.drawRect(QRect(x0, y0, s - 1, s - 1));
      break;
    case msCircle:
      painter.drawEllipse(QRect(x0, y0, s - 1, s - 1));
      break;
    case msPoint:
      painter.setPen(PenForDevice(painter, QPen(FBrush.color(), 0)));
      painter.drawPoint(centerX, centerY);
      break;
    case msTriangleUp: {
      const QPoint corners[3] = {QPoint(centerX, centerY - h), QPoint(centerX - h, centerY + h),
                                 QPoint(centerX - h + s, centerY + h)};
      painter.drawPolygon(corners, 3);
      break;
    }
    case msTriangleDown: {
      const QPoint corners[3] = {QPoint(centerX, centerY + h), QPoint(centerX - h, centerY - h),
                                 QPoint(centerX - h + s, centerY - h)};
      painter.drawPolygon(corners, 3);
      break;
    }
    case msDiamond: {
      const QPoint corners[4] = {QPoint(centerX, centerY - h), QPoint(centerX - h, centerY),
                                 QPoint(x0 + s - h, y0 + s), QPoint(x0 + s, y0 + s - h)};
      painter.drawPolygon(corners, 4);
      break;
    }
  }
}

}  // namespace zc
