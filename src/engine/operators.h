// The ten operators in one table: spelling, code, precedence pass and
// arithmetic. The scanner's match, the codes the units carry and the
// reduction passes are all taken from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zc {

// The reduction passes of the operators, highest precedence first. Adding
// the units by their signs comes after the last of them.
enum class OperatorPass : std::uint8_t { Power, Product, Quotient, Remainder, Bitwise };
inline constexpr std::size_t kOperatorPassCount = 5;

// left op right. Arithmetic faults are left in the floating-point status
// flags or thrown as EngineFault.
using OperatorProcedure = long double (*)(long double left, long double right);

struct TOperator {
  std::string_view spelling;
  std::uint16_t code;  // a single bit, kept in a unit's aOperation
  OperatorPass pass;
  OperatorProcedure apply;
};

// The operator spelled at the start of `text`, ASCII case ignored, the
// longest spelling first; nullptr if none.
const TOperator* MatchOperator(std::string_view text);

// The code of an operator spelling as written in the table; 0 for anything
// else.
std::uint16_t OperatorCode(std::string_view spelling);

// The codes of the operators reduced in `pass`, as one mask.
std::uint16_t PassMask(OperatorPass pass);

// left op right for the operator with `code`; throws EngineFault on an
// arithmetic fault.
long double ApplyOperator(long double left, std::uint16_t code, long double right);

}  // namespace zc
