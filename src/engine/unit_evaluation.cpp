#include "unit_evaluation.h"

#include <exception>
#include <new>

#include "arithmetic_checks.h"
#include "engine_fault.h"
#include "function_library.h"
#include "operators.h"

namespace zc {
namespace {

long double Signed(const TIntUnit& unit) { return unit.aSign == -1 ? -unit.aInteger : unit.aInteger; }

// Marks p as consumed by the unit after it; it is removed after the pass.
void Consume(TIntUnit& p) {
  p.aOperation = kConsumedUnit;
  p.aInteger = 0;
}

void RemoveConsumed(UnitList& list) {
  std::size_t kept = 0;
  for (TIntUnit* unit : list) {
    if (unit->aOperation != kConsumedUnit) list[kept++] = unit;
  }
  list.resize(kept);
}

// One precedence pass: each operator of the pass combines the value before
// it with its own, left to right. The right operand takes its sign first;
// the left operand's sign goes onto the result.
void ApplyOperatorPass(UnitList& list, std::uint16_t mask) {
  bool consumed = false;
  for (std::size_t i = 1; i < list.size(); ++i) {
    TIntUnit& p = *list[i - 1];
    TIntUnit& s = *list[i];
    if (s.aOperation == 0 || s.aOperation == kConsumedUnit || (s.aOperation & mask) == 0) continue;
    const long double right = Signed(s);
    s.aSign = 1;
    const long double r = ApplyOperator(p.aInteger, s.aOperation, right);
    s.aOperation = p.aOperation;
    s.aInteger = p.aSign == -1 ? -r : r;
    Consume(p);
    consumed = true;
  }
  if (consumed) RemoveConsumed(list);
}

// The last pass: what is left is a sum of signed terms.
void AddBySigns(UnitList& list) {
  for (std::size_t i = 1; i < list.size(); ++i) {
    TIntUnit& p = *list[i - 1];
    TIntUnit& s = *list[i];
    s.aInteger = Checked(Signed(p) + Signed(s));
    s.aSign = 1;
    p.aSign = 1;
    Consume(p);
  }
  if (list.size() > 1) RemoveConsumed(list);
}

}  // namespace

bool PushUnit(EngineContext& context, UnitList& list, char signCharacter, TIntUnit& unit,
              TCalcResult& result) {
  result.dwStatusCode = status::kSuccess;
  result.dwSource = 0;
  unit.aSign = signCharacter == '-' ? -1 : 1;
  if (unit.aInternalIntegers.empty()) unit.aInternalIntegers.resize(1);
  unit.aInternalIntegers[0] = unit.aInteger;
  unit.aUseInternalInt = unit.aInternalIntegers.size() > 1;
  if (!unit.aFunction.empty()) {
    if (!ApplyFunctions(context, unit, result)) return false;
    unit.aFunction.clear();
  }
  if (signCharacter == '\0' && unit.aOperation == 0) unit.aOperation = 1;
  unit.aInternalIntegers.resize(1);
  unit.aInternalIntegers[0] = unit.aInteger;
  unit.aUseInternalInt = false;
  list.push_back(&unit);
  return true;
}

long double EvaluateUnits(UnitList& list, TCalcResult& result) {
  result.dwStatusCode = status::kSuccess;
  result.dwSource = 0;
  result.dwMessage.clear();
  if (list.empty()) return 0;
  try {
    BeginArithmetic();
    for (std::size_t pass = 0; pass < kOperatorPassCount; ++pass) {
      ApplyOperatorPass(list, PassMask(static_cast<OperatorPass>(pass)));
    }
    AddBySigns(list);
    return Signed(*list.back());
  } catch (const EngineFault& fault) {
    ReportFault(fault, result);
  } catch (const std::bad_alloc& failure) {
    ReportFailure(status::kOtherFailure, KindNameOf(failure), failure.what(), result);
  }
  return 0;
}

}  // namespace zc
