// Series whose data are consecutive polygons: filled polygons, groups of
// polylines, and the shaded solution region of a system of inequalities.
#pragma once

#include "xy_series_line.h"

#include <QBrush>

namespace zc {

// The vertex runs are given by CountList: the first CountList[0] points form
// the first polygon, and so on. Clear and Delete leave CountList alone;
// keeping it consistent with the data is the caller's task, and polygons
// that would run past the end of the data are not drawn.
class TXYPolyPolygonSeries : public TXYLineSeries {
 public:
  explicit TXYPolyPolygonSeries(const QString& name = QString());

  TGraphIntegerList& CountList() { return FCountList; }
  const TGraphIntegerList& CountList() const { return FCountList; }
  void AddCount(int count);
  const QBrush& Brush() const { return FBrush; }
  // Copies the brush and takes its colour as the series colour.
  void SetBrush(const QBrush& value);

  void Draw(QPainter& painter) override;
  void ReadData(std::istream& stream) override;
  void WriteData(std::ostream& stream) const override;

 protected:
  void ApplySeriesColor(const QColor& value) override;
  // Calls `visit(first, count)` for every polygon that lies within the data,
  // from polygon `firstPolygon` for `polygonCount` polygons.
  template <typename Visit>
  void ForEachPolygon(int firstPolygon, int polygonCount, Visit visit) const;
  int PolygonStart(int polygon) const;

  TGraphIntegerList FCountList;
  QBrush FBrush;
};

class TXYPolyPolyLineSeries : public TXYPolyPolygonSeries {
 public:
  explicit TXYPolyPolyLineSeries(const QString& name = QString());
  void Draw(QPainter& painter) override;

 protected:
  void ApplySeriesColor(const QColor& value) override;
};

// Each group of polygons (GroupList: polygons per group) is the region where
// one inequality holds; their outlines are drawn and the area where all of
// them hold is shaded.
class TXYInequalSeries : public TXYPolyPolygonSeries {
 public:
  explicit TXYInequalSeries(const QString& name = QString());

  TGraphIntegerList& GroupList() { return FGroupList; }
  const TGraphIntegerList& GroupList() const { return FGroupList; }

  void Draw(QPainter& painter) override;
  void ReadData(std::istream& stream) override;
  void WriteData(std::ostream& stream) const override;

 private:
  TGraphIntegerList FGroupList;
};

}  // namespace zc
