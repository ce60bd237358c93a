// Small helpers of the function layer for raising arithmetic faults.
#pragma once

#include "engine_fault.h"

namespace zc {

// Pins a computed value in place before the status flags are read, so that
// the operations producing it cannot be scheduled after the flag test.
inline long double Settle(long double value) {
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("" : "+t"(value) : : "memory");
#else
  asm volatile("" : "+m"(value) : : "memory");
#endif
  return value;
}

// Raises whatever the hardware flagged while `value` was computed.
inline long double Checked(long double value) {
  value = Settle(value);
  RaiseArithmeticFlags();
  return value;
}

[[noreturn]] inline void ThrowInvalidOperation() {
  throw EngineFault(FaultKind::FloatInvalid, "Invalid floating point operation");
}

[[noreturn]] inline void ThrowDivisionByZero() {
  throw EngineFault(FaultKind::FloatZeroDivide, "Floating point division by zero");
}

[[noreturn]] inline void ThrowOverflow() {
  throw EngineFault(FaultKind::FloatOverflow, "Floating point overflow");
}

}  // namespace zc
