#include "engine_fault.h"

#include <cfenv>

namespace zc {

const char* EngineFault::KindName() const {
  switch (kind_) {
    case FaultKind::InvalidMemoryAccess: return "AccessViolation";
    case FaultKind::IntegerOverflow: return "IntegerOverflow";
    case FaultKind::FloatOverflow: return "Overflow";
    case FaultKind::FloatUnderflow: return "Underflow";
    case FaultKind::FloatZeroDivide: return "ZeroDivide";
    case FaultKind::IntegerZeroDivide: return "IntegerZeroDivide";
    case FaultKind::InvalidArgument: return "InvalidArgument";
    case FaultKind::FloatInvalid: return "InvalidOperation";
    case FaultKind::Conversion: return "ConversionFailure";
    case FaultKind::Other: return "Failure";
  }
  return "Failure";
}

std::uint8_t ErrorCodeFor(FaultKind kind) {
  switch (kind) {
    case FaultKind::InvalidMemoryAccess: return 18;
    case FaultKind::IntegerOverflow:
    case FaultKind::FloatOverflow: return 16;
    case FaultKind::FloatUnderflow: return 17;
    case FaultKind::FloatZeroDivide:
    case FaultKind::IntegerZeroDivide: return 14;
    case FaultKind::InvalidArgument:
    case FaultKind::FloatInvalid: return 15;
    case FaultKind::Conversion: return 19;
    case FaultKind::Other: return 20;
  }
  return 20;
}

void ClearArithmeticFlags() { std::feclearexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW); }

void RaiseArithmeticFlags() {
  const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  if (raised == 0) return;
  // Same precedence as the fault table: overflow, then division by zero,
  // then invalid operation.
  if (raised & FE_OVERFLOW) throw EngineFault(FaultKind::FloatOverflow, "Floating point overflow");
  if (raised & FE_DIVBYZERO) throw EngineFault(FaultKind::FloatZeroDivide, "Floating point division by zero");
  throw EngineFault(FaultKind::FloatInvalid, "Invalid floating point operation");
}

}  // namespace zc
