// Completing units and reducing the unit list of one evaluation level.
#pragma once

#include "calc_result.h"
#include "engine_context.h"
#include "evaluation_scratch.h"
#include "int_unit.h"

namespace zc {

// Completes `unit`: takes its sign from `signCharacter` ('\0' none, '+',
// '-'), applies its pending function names through the function layer,
// turns a unit with neither operator nor sign into an implicit
// multiplication and appends it to `list`. Returns false, with the function
// layer's error in `result`, when a function fails; the unit is then not
// appended.
bool PushUnit(EngineContext& context, UnitList& list, char signCharacter, TIntUnit& unit,
              TCalcResult& result);

// Reduces a non-empty unit list to one value by the precedence passes of the
// operators, then adds what is left by the units' signs. The value is valid
// when result.dwStatusCode is 1 afterwards.
long double EvaluateUnits(UnitList& list, TCalcResult& result);

}  // namespace zc
