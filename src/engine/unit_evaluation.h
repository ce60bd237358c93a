// Completing units and reducing the unit list of one evaluation level.
#pragma once

#include <cstdint>

#include "calc_result.h"
#include "engine_context.h"
#include "evaluation_scratch.h"
#include "int_unit.h"

namespace zc {

// The operator bits of the six reduction passes, highest precedence first;
// the last pass (mask 0) adds the units by their signs.
inline constexpr std::uint16_t kPassMasks[6] = {128, 3, 4, 8, 880, 0};

// Completes `unit`: takes its sign from `signCharacter` ('\0' none, '+',
// '-'), applies its pending function names through the function layer,
// turns a unit with neither operator nor sign into an implicit
// multiplication and appends it to `list`. Returns false, with the function
// layer's error in `result`, when a function fails; the unit is then not
// appended.
bool PushUnit(EngineContext& context, UnitList& list, char signCharacter, TIntUnit& unit,
              TCalcResult& result);

// Reduces a non-empty unit list to one value by the six precedence passes.
// The value is valid when result.dwStatusCode is 1 afterwards.
long double EvaluateUnits(UnitList& list, TCalcResult& result);

// p op right for one operator code; throws EngineFault on an arithmetic
// fault.
long double ApplyOperator(long double p, std::uint16_t operation, long double right);

}  // namespace zc
