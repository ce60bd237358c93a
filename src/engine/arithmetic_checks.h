// Small helpers of the function layer for raising arithmetic faults.
//
// Long double operations flag their faults in the x87 status word, and the
// math library reports domain and pole errors in the SSE status register.
// Reading both directly costs a few cycles, where a full floating-point
// environment round trip costs hundreds; the graph tool calls the functions
// thousands of times per plot. Clearing takes the slow road, but only when
// something is pending.
#pragma once

#include <cfenv>

#include "engine_fault.h"

namespace zc {

[[noreturn]] inline void ThrowInvalidOperation() {
  throw EngineFault(FaultKind::FloatInvalid, "Invalid floating point operation");
}

[[noreturn]] inline void ThrowDivisionByZero() {
  throw EngineFault(FaultKind::FloatZeroDivide, "Floating point division by zero");
}

[[noreturn]] inline void ThrowOverflow() {
  throw EngineFault(FaultKind::FloatOverflow, "Floating point overflow");
}

#if defined(__x86_64__) || defined(__i386__)

// Invalid operation, division by zero and overflow sit at the same bits of
// the x87 status word and of the SSE status register.
inline constexpr unsigned kFaultInvalid = 0x01;
inline constexpr unsigned kFaultZeroDivide = 0x04;
inline constexpr unsigned kFaultOverflow = 0x08;

inline unsigned PendingFaults() {
  unsigned short x87Status;
  unsigned sseStatus;
  asm volatile("fnstsw %0" : "=am"(x87Status) : : "memory");
  asm volatile("stmxcsr %0" : "=m"(sseStatus) : : "memory");
  return (x87Status | sseStatus) & (kFaultInvalid | kFaultZeroDivide | kFaultOverflow);
}

inline void ClearPendingFaults() { ClearArithmeticFlags(); }

// Pins a computed value in place before the status word is read, so that
// the operations producing it cannot be scheduled after the flag test.
inline long double Settle(long double value) {
  asm volatile("" : "+t"(value) : : "memory");
  return value;
}

// The same precedence as the fault table: overflow, division by zero,
// invalid operation.
[[noreturn]] inline void ThrowFaults(unsigned faults) {
  if (faults & kFaultOverflow) ThrowOverflow();
  if (faults & kFaultZeroDivide) ThrowDivisionByZero();
  ThrowInvalidOperation();
}

#else

inline unsigned PendingFaults() {
  return static_cast<unsigned>(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW));
}

inline void ClearPendingFaults() { ClearArithmeticFlags(); }

inline long double Settle(long double value) {
  asm volatile("" : "+m"(value) : : "memory");
  return value;
}

[[noreturn]] inline void ThrowFaults(unsigned) {
  RaiseArithmeticFlags();
  ThrowInvalidOperation();
}

#endif

// Forgets faults left over from earlier work before a computation starts.
inline void BeginArithmetic() {
  if (PendingFaults() != 0) ClearPendingFaults();
}

// Raises whatever the hardware flagged while `value` was computed.
inline long double Checked(long double value) {
  value = Settle(value);
  if (const unsigned faults = PendingFaults(); faults != 0) ThrowFaults(faults);
  return value;
}

}  // namespace zc
