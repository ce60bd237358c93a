// Working storage of the evaluation levels, kept between calls so that the
// common path (a graph tool sampling one expression thousands of times)
// allocates nothing once the buffers have grown. It holds no values that
// outlive a call: every level resets what it uses before it uses it.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "calc_result.h"
#include "int_unit.h"

namespace zc {

// The ordered list of units of one evaluation level.
using UnitList = std::vector<TIntUnit*>;

struct TEvaluationLevel {
  std::deque<TIntUnit> units;  // unit records; a deque keeps their addresses stable
  std::size_t unitsUsed = 0;
  UnitList list;
  std::vector<std::string_view> pieces;  // comma pieces of the line
  TCalcResult nested;  // record of a nested call: group, comma piece, $ text
  TCalcResult work;    // record of the unit reduction
};

class EvaluationScratch {
 public:
  // The level for a call at nesting depth `depth` (0 = the caller's call).
  TEvaluationLevel& Level(int depth) {
    const auto index = static_cast<std::size_t>(depth);
    while (levels_.size() <= index) levels_.push_back(std::make_unique<TEvaluationLevel>());
    return *levels_[index];
  }

 private:
  std::vector<std::unique_ptr<TEvaluationLevel>> levels_;
};

}  // namespace zc
