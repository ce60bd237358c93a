// The series kinds by name: the list offered to users who pick a kind, and
// the class-name registry used when a graph is restored from saved data.
#pragma once

#include "graph_series.h"

#include <QString>

#include <memory>
#include <string_view>
#include <vector>

namespace zc {

struct TSeriesKind {
  QString displayName;
  std::string_view className;
};

// "折れ線", "散布図", "矢印", "泡", "エラーバー", in this order.
const std::vector<TSeriesKind>& SeriesKinds();

// A new series of the named class (TXYGraphSeries or one of the eight
// kinds), or nullptr for an unknown name.
std::unique_ptr<TXYGraphSeries> CreateSeries(std::string_view className,
                                             const QString& name = QString());

// The class name under which a series is saved.
std::string_view SeriesClassName(const TXYGraphSeries& series);

}  // namespace zc
