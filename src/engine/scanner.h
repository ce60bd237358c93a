// The scanner: turns one plain group of a line (a stretch without
// parentheses) into units, recognising at each position an operator, a
// function name, a sign and a value, in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"
#include "evaluation_scratch.h"
#include "int_unit.h"

namespace zc {

// Literal readers. Each starts at `position` on the literal's first
// character (the '0' of "0x" and "0b"), returns the collected characters
// (without "0x"/"0b") and moves `position` past them.
std::string_view ScanHex(std::string_view text, std::size_t& position);
std::string_view ScanBinary(std::string_view text, std::size_t& position);
std::string_view ScanDecimal(std::string_view text, std::size_t& position);

// Literal values. HexToFloat and DecimalToFloat throw ConversionError with
// the Japanese conversion message for a malformed literal.
long double HexToFloat(std::string_view digits);
long double BinaryToFloat(std::string_view digits);
long double DecimalToFloat(std::string_view literal);

// Whether a literal form starts at `position`.
bool HexLiteralAt(std::string_view text, std::size_t position);
bool BinaryLiteralAt(std::string_view text, std::size_t position);
bool DecimalLiteralAt(std::string_view text, std::size_t position);

// The unit being built. A unit left pending at the end of a plain group is
// completed by the parenthesised group that follows.
struct TScanState {
  TIntUnit* unit = nullptr;
  char sign = '\0';          // '\0' none, '+', '-'
  bool signSeen = false;
  char argumentSign = '\0';  // the sign collected after the last function name
};

// A fresh unit from the level's pool: operation 0, no names, value 0.
TIntUnit& NewUnit(TEvaluationLevel& level);

// Combines a sign character into a held one: equal signs give '+'.
char CombineSign(char held, char read);

// Scans one plain group. Returns false when the evaluation ends here; the
// error is then in `result`. May throw ConversionError.
bool ScanPlainGroup(EngineContext& context, std::string_view group, TScanState& state,
                    TEvaluationLevel& level, NameValueList& variables, TCalcResult& result);

}  // namespace zc
