#include "operators.h"

#include <array>
#include <bit>
#include <cmath>

#include "arithmetic_checks.h"
#include "function_library.h"
#include "line_text.h"

namespace zc {
namespace {

// T(x): x truncated toward zero to a signed 64-bit integer.
std::int64_t ToInt64(long double x) {
  const long double t = std::trunc(x);
  // -2^63 is representable; 2^63 is the first value out of range. NaN fails
  // both comparisons.
  if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L)) ThrowInvalidOperation();
  return static_cast<std::int64_t>(t);
}

// The 64-bit pattern of T(x), and a pattern read back as a signed integer.
std::uint64_t Bits(long double x) { return static_cast<std::uint64_t>(ToInt64(x)); }
long double FromBits(std::uint64_t bits) {
  return static_cast<long double>(static_cast<std::int64_t>(bits));
}

// A shift count is the low six bits of T(count): 64 shifts by 0, -1 by 63.
unsigned ShiftCount(long double count) { return static_cast<unsigned>(Bits(count) & 63u); }

long double Multiply(long double left, long double right) { return left * right; }
long double Divide(long double left, long double right) { return left / right; }

long double IntegerQuotient(long double left, long double right) {
  return std::trunc(Settle(left / right));
}

// The remainder has the sign of the left operand.
long double Remainder(long double left, long double right) {
  return left - std::trunc(Settle(left / right)) * right;
}

long double BitAnd(long double left, long double right) { return FromBits(Bits(left) & Bits(right)); }
long double BitOr(long double left, long double right) { return FromBits(Bits(left) | Bits(right)); }
long double BitXor(long double left, long double right) { return FromBits(Bits(left) ^ Bits(right)); }
long double Power(long double left, long double right) { return PowerOf(left, right); }

long double ShiftLeft(long double left, long double right) {
  const std::uint64_t value = Bits(left);
  return FromBits(value << ShiftCount(right));
}

// A logical shift of the 64-bit pattern: zeros come in from the left.
long double ShiftRight(long double left, long double right) {
  const std::uint64_t value = Bits(left);
  return FromBits(value >> ShiftCount(right));
}

constexpr std::array<TOperator, 10> kOperators = {{
    {"*", 1, OperatorPass::Product, Multiply},
    {"/", 2, OperatorPass::Product, Divide},
    {"\\", 4, OperatorPass::Quotient, IntegerQuotient},
    {"MOD", 8, OperatorPass::Remainder, Remainder},
    {"AND", 16, OperatorPass::Bitwise, BitAnd},
    {"OR", 32, OperatorPass::Bitwise, BitOr},
    {"XOR", 64, OperatorPass::Bitwise, BitXor},
    {"^", 128, OperatorPass::Power, Power},
    {">>", 512, OperatorPass::Bitwise, ShiftRight},
    {"<<", 256, OperatorPass::Bitwise, ShiftLeft},
}};

constexpr auto kSpellings = [] {
  std::array<std::string_view, kOperators.size()> spellings{};
  for (std::size_t i = 0; i < kOperators.size(); ++i) spellings[i] = kOperators[i].spelling;
  return spellings;
}();

// The operators by the bit of their code.
constexpr auto kByBit = [] {
  std::array<const TOperator*, 16> byBit{};
  for (const TOperator& entry : kOperators) byBit[std::countr_zero(entry.code)] = &entry;
  return byBit;
}();

constexpr auto kPassMasks = [] {
  std::array<std::uint16_t, kOperatorPassCount> masks{};
  for (const TOperator& entry : kOperators) masks[static_cast<std::size_t>(entry.pass)] |= entry.code;
  return masks;
}();

// Most positions of a line start no operator; one look at the first
// character settles that.
constexpr auto kMayStart = [] {
  std::array<bool, 256> mayStart{};
  for (const TOperator& entry : kOperators) {
    const char first = entry.spelling[0];
    mayStart[static_cast<unsigned char>(first)] = true;
    if (first >= 'A' && first <= 'Z') mayStart[static_cast<unsigned char>(first - 'A' + 'a')] = true;
  }
  return mayStart;
}();

constexpr bool CodesAreDistinctBits() {
  std::uint16_t seen = 0;
  for (const TOperator& entry : kOperators) {
    if (!std::has_single_bit(entry.code) || (seen & entry.code) != 0) return false;
    seen |= entry.code;
  }
  return seen < 0xFFFF;  // 65535 marks a consumed unit
}
static_assert(CodesAreDistinctBits());

}  // namespace

const TOperator* MatchOperator(std::string_view text) {
  if (text.empty() || !kMayStart[static_cast<unsigned char>(text[0])]) return nullptr;
  const int index = MatchLongestEntry(text, kSpellings);
  return index < 0 ? nullptr : &kOperators[static_cast<std::size_t>(index)];
}

std::uint16_t OperatorCode(std::string_view spelling) {
  for (const TOperator& entry : kOperators) {
    if (entry.spelling == spelling) return entry.code;
  }
  return 0;
}

std::uint16_t PassMask(OperatorPass pass) { return kPassMasks[static_cast<std::size_t>(pass)]; }

long double ApplyOperator(long double left, std::uint16_t code, long double right) {
  const TOperator* entry = std::has_single_bit(code) ? kByBit[std::countr_zero(code)] : nullptr;
  return Checked(entry != nullptr ? entry->apply(left, right) : left);
}

}  // namespace zc
