#include "graph_series.h"

#include "graph_error.h"
#include "xy_graph.h"

#include <cmath>
#include <numbers>
#include <random>
#include <memory>

namespace zc {

TXYGraphSeries::TXYGraphSeries(const QString& name) : FName(name) {}

TXYGraphSeries::~TXYGraphSeries() { SetParentGraph(nullptr); }

void TXYGraphSeries::SetParentGraph(TXYGraph* graph) {
  if (graph == FParentGraph) return;
  if (FParentGraph != nullptr) {
    FParentGraph->DetachSeries(this);
    FParentGraph->Invalidate();
  }
  FParentGraph = graph;
  if (graph == nullptr) return;
  graph->AttachSeries(this);
  if (!FSeriesColor.isValid()) SetSeriesColor(graph->GetFreeColor());
  graph->Invalidate();
}

int TXYGraphSeries::SeriesIndex() const {
  return FParentGraph == nullptr ? -1 : FParentGraph->SeriesIndexOf(this);
}

void TXYGraphSeries::SetSeriesColor(const QColor& value) {
  if (value == FSeriesColor) return;
  FSeriesColor = value;
  ApplySeriesColor(value);
  DataChanged();
}

void TXYGraphSeries::ApplySeriesColor(const QColor& value) { (void)value; }

void TXYGraphSeries::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  DataChanged();
}

void TXYGraphSeries::SetCapacity(int value) {
  FXValues.SetCapacity(value);
  FYValues.SetCapacity(value);
}

void TXYGraphSeries::SetXValue(int index, double value) {
  FXValues.PutValue(index, value);
  DataChanged();
}

void TXYGraphSeries::SetYValue(int index, double value) {
  FYValues.PutValue(index, value);
  DataChanged();
}

int TXYGraphSeries::AddXY(double x, double y) {
  const int index = DataCount();
  FXValues.Add(x);
  FYValues.Add(y);
  if (FOnAfterAdd) FOnAfterAdd(*this, index);
  DataChanged();
  return index;
}

void TXYGraphSeries::DataChanged() {
  if (FParentGraph != nullptr) FParentGraph->Invalidate();
}

void TXYGraphSeries::Draw(QPainter& painter) { (void)painter; }

void TXYGraphSeries::ReadValueLists(std::istream& stream,
                                    std::initializer_list<TGraphValueList*> targets) {
  // Lists of different lengths would let drawing read past the shorter one.
  const std::size_t count = targets.size();
  const auto loaded = std::make_unique<TGraphValueList[]>(count);
  for (std::size_t k = 0; k < count; ++k) {
    loaded[k].LoadFromStream(stream);
    if (loaded[k].Count() != loaded[0].Count()) throw EListReadError(ListReadMessage);
  }
  std::size_t i = 0;
  for (TGraphValueList* target : targets) target->Assign(loaded[i++]);
}

void TXYGraphSeries::ReadData(std::istream& stream) {
  ReadValueLists(stream, {&FXValues, &FYValues});
  DataChanged();
}

void TXYGraphSeries::WriteData(std::ostream& stream) const {
  FXValues.SaveToStream(stream);
  FYValues.SaveToStream(stream);
}

void TXYGraphSeries::Clear() {
  FXValues.Clear();
  FYValues.Clear();
  DataChanged();
}

void TXYGraphSeries::Delete(int index) {
  FXValues.Delete(index);
  FYValues.Delete(index);
  DataChanged();
}

double TXYGraphSeries::MinXValue() const { return FXValues.MinValue(); }
double TXYGraphSeries::MaxXValue() const { return FXValues.MaxValue(); }
double TXYGraphSeries::MinYValue() const { return FYValues.MinValue(); }
double TXYGraphSeries::MaxYValue() const { return FYValues.MaxValue(); }

void TXYGraphSeries::SetSeriesRange(double xMin, double xMax, double yMin, double yMax) {
  FXmin = xMin;
  FXmax = xMax;
  FYmin = yMin;
  FYmax = yMax;
}

int TXYGraphSeries::OutCode(double x, double y) const { return zc::OutCode(ClipBox(), x, y); }

int TXYGraphSeries::ClipSegment(QPointF& start, QPointF& end) const {
  return zc::ClipSegment(ClipBox(), BreaksAtEntry(), start, end);
}

double TXYGraphSeries::NextRandom() const {
  if (FParentGraph == nullptr) return 0;
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  return uniform(FParentGraph->RandomState());
}

TPixelMapper TXYGraphSeries::PixelMapper() const {
  const TXYGraph* graph = FParentGraph;
  return [graph](double x, double y) { return graph->GetXYPoint(x, y); };
}

QPoint TXYGraphSeries::PixelOf(double x, double y) const { return FParentGraph->GetXYPoint(x, y); }

void TXYGraphSeries::AddSample(double x, double y, double spread, int seriesIndex) {
  (void)spread;
  (void)seriesIndex;
  AddXY(x, y);
}

void TXYGraphSeries::FillSamples(int count) {
  if (count <= 0) return;
  if (FParentGraph == nullptr)
    throw EXYGraphSeriesError((FName + QString::fromUtf8(NoParentGraphSuffix)).toStdString());
  SetSeriesRange(FParentGraph->XAxis().Min(), FParentGraph->XAxis().Max(),
                 FParentGraph->YAxis().Min(), FParentGraph->YAxis().Max());
  // Keep the ranges: Clear and AddXY rescale the graph as the data change.
  const double xMin = FXmin;
  const double xMax = FXmax;
  const double yMin = FYmin;
  const double yMax = FYmax;
  const int k = SeriesIndex();
  Clear();
  FParentGraph->ReseedRandom();
  const double half = (yMax - yMin) / 2;
  const double mid = (yMin + yMax) / 2;
  constexpr double pi = std::numbers::pi;
  for (int i = 0; i < count; ++i) {
    const double x = xMin + i * (xMax - xMin) / count;
    const double y = mid + std::cos(i * pi / count - k * pi / 3) * half / 2 + NextRandom() * half / 5;
    AddSample(x, y, yMax - yMin, k);
  }
}

}  // namespace zc
