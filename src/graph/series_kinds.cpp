#include "series_kinds.h"

#include "xy_series_line.h"
#include "xy_series_point.h"
#include "xy_series_polygon.h"

#include <functional>
#include <typeinfo>

namespace zc {

namespace {

struct TSeriesClass {
  std::string_view name;
  const std::type_info& type;
  std::function<std::unique_ptr<TXYGraphSeries>(const QString&)> create;
};

template <typename T>
TSeriesClass Entry(std::string_view name) {
  return {name, typeid(T), [](const QString& seriesName) { return std::make_unique<T>(seriesName); }};
}

const std::vector<TSeriesClass>& SeriesClasses() {
  static const std::vector<TSeriesClass> classes = {
      Entry<TXYGraphSeries>("TXYGraphSeries"),
      Entry<TXYLineSeries>("TXYLineSeries"),
      Entry<TXYMarkerSeries>("TXYMarkerSeries"),
      Entry<TXYArrowSeries>("TXYArrowSeries"),
      Entry<TXYBubbleSeries>("TXYBubbleSeries"),
      Entry<TXYErrorBarSeries>("TXYErrorBarSeries"),
      Entry<TXYPolyPolygonSeries>("TXYPolyPolygonSeries"),
      Entry<TXYPolyPolyLineSeries>("TXYPolyPolyLineSeries"),
      Entry<TXYInequalSeries>("TXYInequalSeries"),
  };
  return classes;
}

}  // namespace

const std::vector<TSeriesKind>& SeriesKinds() {
  static const std::vector<TSeriesKind> kinds = {
      {QStringLiteral("折れ線"), "TXYLineSeries"},
      {QStringLiteral("散布図"), "TXYMarkerSeries"},
      {QStringLiteral("矢印"), "TXYArrowSeries"},
      {QStringLiteral("泡"), "TXYBubbleSeries"},
      {QStringLiteral("エラーバー"), "TXYErrorBarSeries"},
  };
  return kinds;
}

std::unique_ptr<TXYGraphSeries> CreateSeries(std::string_view className, const QString& name) {
  for (const TSeriesClass& entry : SeriesClasses())
    if (entry.name == className) return entry.create(name);
  return nullptr;
}

std::string_view SeriesClassName(const TXYGraphSeries& series) {
  for (const TSeriesClass& entry : SeriesClasses())
    if (entry.type == typeid(series)) return entry.name;
  return {};
}

}  // namespace zc
