// Failures raised by the graph component. Messages are UTF-8 and ready for
// the user: the graph tool shows axis failures in its red banner.
#pragma once

#include <stdexcept>
#include <string>

namespace zc {

class EXYGraphError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A range, step, crossing value or scale that the axis cannot take.
class EXYGraphAxisError : public EXYGraphError {
 public:
  using EXYGraphError::EXYGraphError;
};

// A series asked to do something it cannot do (for example demonstration
// data without a graph to take the ranges from).
class EXYGraphSeriesError : public EXYGraphError {
 public:
  using EXYGraphError::EXYGraphError;
};

// The axis messages, word for word as the user sees them.
namespace axis_message {
inline constexpr const char* RangeInverted = "軸の範囲を超えています";
// The width max − min does not fit in a number: nothing could be mapped.
inline constexpr const char* RangeTooWide = "軸の範囲が広すぎます";
inline constexpr const char* LogRangeNotPositive =
    "対数目盛では軸の範囲はゼロより大きくないといけません";
inline constexpr const char* OriginBelowMin = "軸の交点の値が最小値以下です";
inline constexpr const char* OriginAboveMax = "軸の交点の値が最大値を超えています";
inline constexpr const char* LogMinNotPositive =
    "最小値がゼロ以下のため、対数目盛にできません";
inline constexpr const char* NegativeDecimal = "負の値は無効です";
inline constexpr const char* TickStepNotPositive = "目盛間隔はゼロ以下に設定できません";
inline constexpr const char* TickStepAboveRange = "目盛間隔が軸の範囲を超えています";
inline constexpr const char* TickStepTooSmall = "目盛間隔が小さすぎます";
inline constexpr const char* LogValueNotPositive = "対数目盛で値がゼロ以下です";
}  // namespace axis_message

// Suffix of the series message; the series name goes in front.
inline constexpr const char* NoParentGraphSuffix = " は親グラフを持っていません";

}  // namespace zc
