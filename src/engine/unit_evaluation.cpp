#include "unit_evaluation.h"

#include <cmath>
#include <new>

#include "engine_fault.h"
#include "function_library.h"

namespace zc {
namespace {

// Keeps the compiler from moving a computation past the flag test that
// follows it: the value must exist in memory before the flags are read.
inline void Settle(long double& value) { asm volatile("" : "+m"(value)); }

// T(x): x truncated toward zero to a signed 64-bit integer.
std::int64_t ToInt64(long double x) {
  const long double t = std::trunc(x);
  // -2^63 is representable; 2^63 is the first value out of range. NaN fails
  // both comparisons.
  if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L)) {
    throw EngineFault(FaultKind::FloatInvalid, "Invalid floating point operation");
  }
  return static_cast<std::int64_t>(t);
}

std::uint64_t Bits(long double x) { return static_cast<std::uint64_t>(ToInt64(x)); }

long double FromBits(std::uint64_t bits) {
  return static_cast<long double>(static_cast<std::int64_t>(bits));
}

}  // namespace

long double ApplyOperator(long double p, std::uint16_t operation, long double right) {
  long double r = 0;
  switch (operation) {
    case 1: r = p * right; break;
    case 2: r = p / right; break;
    case 4: {
      long double q = p / right;
      Settle(q);
      r = std::trunc(q);
      break;
    }
    case 8: {
      long double q = p / right;
      Settle(q);
      r = p - std::trunc(q) * right;
      break;
    }
    case 16: r = FromBits(Bits(p) & Bits(right)); break;
    case 32: r = FromBits(Bits(p) | Bits(right)); break;
    case 64: r = FromBits(Bits(p) ^ Bits(right)); break;
    case 128: r = PowerOf(p, right); break;
    case 256: {
      const std::uint64_t value = Bits(p);
      r = FromBits(value << (Bits(right) & 63));
      break;
    }
    case 512: {
      const std::uint64_t value = Bits(p);
      r = FromBits(value >> (Bits(right) & 63));
      break;
    }
    default: r = p; break;
  }
  Settle(r);
  RaiseArithmeticFlags();
  return r;
}

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
    ClearArithmeticFlags();
    for (const std::uint16_t mask : kPassMasks) {
      bool consumed = false;
      for (std::size_t i = 1; i < list.size(); ++i) {
        TIntUnit& p = *list[i - 1];
        TIntUnit& s = *list[i];
        if (mask != 0) {
          if (s.aOperation == 0 || s.aOperation == kConsumedUnit || (s.aOperation & mask) == 0) {
            continue;
          }
          const long double right = s.aSign == -1 ? -s.aInteger : s.aInteger;
          s.aSign = 1;
          const long double r = ApplyOperator(p.aInteger, s.aOperation, right);
          s.aOperation = p.aOperation;
          s.aInteger = p.aSign == -1 ? -r : r;
        } else {
          if (s.aSign == -1) s.aInteger = -s.aInteger;
          if (p.aSign == -1) p.aInteger = -p.aInteger;
          s.aSign = 1;
          p.aSign = 1;
          long double sum = p.aInteger + s.aInteger;
          Settle(sum);
          RaiseArithmeticFlags();
          s.aInteger = sum;
        }
        p.aOperation = kConsumedUnit;
        p.aInteger = 0;
        consumed = true;
      }
      if (consumed) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
          if (list[i]->aOperation != kConsumedUnit) list[kept++] = list[i];
        }
        list.resize(kept);
      }
    }
    const TIntUnit& last = *list.back();
    return last.aSign == -1 ? -last.aInteger : last.aInteger;
  } catch (const EngineFault& fault) {
    SetError(ErrorCodeFor(fault.Kind()), result);
    if (fault.Kind() == FaultKind::Other) {
      result.dwErrorMsg = std::string(fault.KindName()) + ": " + fault.what();
    }
  } catch (const std::bad_alloc& failure) {
    SetError(status::kOtherFailure, result);
    result.dwErrorMsg = std::string("OutOfMemory: ") + failure.what();
  }
  return 0;
}

}  // namespace zc
