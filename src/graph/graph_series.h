// The base of every series: X and Y values, the active flag, the colour and
// the link to the graph that draws it. The drawable kinds derive from it
// (xy_series_line.h, xy_series_point.h, xy_series_polygon.h).
#pragma once

#include "graph_lists.h"
#include "series_clipping.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <functional>
#include <initializer_list>
#include <iosfwd>

class QPainter;

namespace zc {

class TXYGraph;
class TXYGraphSeries;

using TXYGraphSeriesAfterAdd = std::function<void(TXYGraphSeries& sender, int index)>;

class TXYGraphSeries {
 public:
  explicit TXYGraphSeries(const QString& name = QString());
  TXYGraphSeries(const TXYGraphSeries&) = delete;
  TXYGraphSeries& operator=(const TXYGraphSeries&) = delete;
  // Detaches from the graph.
  virtual ~TXYGraphSeries();

  const QString& Name() const { return FName; }
  void SetName(const QString& name) { FName = name; }

  // Attaching appends the series to the graph's list and, when no colour
  // was chosen yet, takes the graph's first free colour.
  TXYGraph* ParentGraph() const { return FParentGraph; }
  void SetParentGraph(TXYGraph* graph);
  // Position in the parent graph's list, -1 without a graph.
  int SeriesIndex() const;

  // Invalid colour = none chosen yet.
  const QColor& SeriesColor() const { return FSeriesColor; }
  void SetSeriesColor(const QColor& value);
  bool Active() const { return FActive; }
  void SetActive(bool value);
  const TXYGraphSeriesAfterAdd& OnAfterAdd() const { return FOnAfterAdd; }
  void SetOnAfterAdd(TXYGraphSeriesAfterAdd handler) { FOnAfterAdd = std::move(handler); }

  int Capacity() const { return FXValues.Capacity(); }
  void SetCapacity(int value);
  int DataCount() const { return FXValues.Count(); }
  const TGraphValueList& XValues() const { return FXValues; }
  const TGraphValueList& YValues() const { return FYValues; }
  double XValue(int index) const { return FXValues.GetValue(index); }
  double YValue(int index) const { return FYValues.GetValue(index); }
  void SetXValue(int index, double value);
  void SetYValue(int index, double value);

  int AddXY(double x, double y);

  // Invalidates the parent graph; every data, pen and brush change ends here.
  virtual void DataChanged();
  virtual void Draw(QPainter& painter);
  // The "Data" stream: the value (and count) lists one after another.
  virtual void ReadData(std::istream& stream);
  virtual void WriteData(std::ostream& stream) const;
  virtual void Clear();
  virtual void Delete(int index);
  // Demonstration data over the graph's current ranges.
  virtual void FillSamples(int count);
  virtual double MinXValue() const;
  virtual double MaxXValue() const;
  virtual double MinYValue() const;
  virtual double MaxYValue() const;

  // The axis ranges, copied in by the graph just before drawing.
  void SetSeriesRange(double xMin, double xMax, double yMin, double yMax);
  TClipBox ClipBox() const { return {FXmin, FXmax, FYmin, FYmax}; }
  int OutCode(double x, double y) const;
  int ClipSegment(QPointF& start, QPointF& end) const;

 protected:
  // Passes the series colour on to the pen or brush that shows it.
  virtual void ApplySeriesColor(const QColor& value);
  // Whether a segment entering the plot from outside is dropped.
  virtual bool BreaksAtEntry() const { return false; }
  // One demonstration point; kinds with extra lists fill them too.
  virtual void AddSample(double x, double y, double spread, int seriesIndex);
  // Uniform in [0, 1) from the graph's random state.
  double NextRandom() const;
  // Loads equally long value lists in stream order and only then replaces
  // `targets`, so a short or inconsistent stream changes nothing.
  static void ReadValueLists(std::istream& stream, std::initializer_list<TGraphValueList*> targets);
  // Data point → pixel through the parent graph's axes.
  TPixelMapper PixelMapper() const;
  QPoint PixelOf(double x, double y) const;

  TGraphValueList FXValues;
  TGraphValueList FYValues;
  double FXmin = 0;
  double FXmax = 0;
  double FYmin = 0;
  double FYmax = 0;

 private:
  friend class TXYGraph;
  QString FName;
  TXYGraph* FParentGraph = nullptr;
  bool FActive = true;
  TXYGraphSeriesAfterAdd FOnAfterAdd;
  QColor FSeriesColor;
};

}  // namespace zc
