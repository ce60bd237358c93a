// One unit of a parsed expression: a value, how it joins the unit before it,
// its additive sign and the function names still to be applied to it.
#pragma once

#include <cstdint>
#include <string>

#include "calc_result.h"

namespace zc {

struct TIntUnit {
  std::uint16_t aOperation = 0;  // 0 addition by sign, else an operator bit; 65535 consumed
  std::string aFunction;         // pending names, each followed by one blank
  std::int16_t aSign = 1;        // +1 or -1
  long double aInteger = 0;      // the value (any real value)
  std::uint8_t aInternalOperation = 0;
  bool aUseInternalInt = false;
  TExtendeds aInternalIntegers;  // argument list; element 0 is the value
};

inline constexpr std::uint16_t kConsumedUnit = 65535;

}  // namespace zc
