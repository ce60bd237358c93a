// Faults raised while the engine computes, and the error codes they become.
// Arithmetic faults come from the floating-point status flags: an operation
// clears them, computes, and raises what the hardware signalled. Underflow
// and inexact results stay quiet.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zc {

enum class FaultKind {
  InvalidMemoryAccess,  // 18
  IntegerOverflow,      // 16
  FloatOverflow,        // 16
  FloatUnderflow,       // 17 (never raised with our settings)
  FloatZeroDivide,      // 14
  IntegerZeroDivide,    // 14
  InvalidArgument,      // 15
  FloatInvalid,         // 15
  Conversion,           // 19 in the function layer
  Other,                // 20, with the detail in dwErrorMsg
};

class EngineFault : public std::runtime_error {
 public:
  EngineFault(FaultKind kind, const std::string& message)
      : std::runtime_error(message), kind_(kind) {}
  FaultKind Kind() const { return kind_; }
  // The kind name that error 20 reports before ": " and the message.
  const char* KindName() const;

 private:
  FaultKind kind_;
};

// The error code of a fault: 14, 15, 16, 17, 18, 19 or 20.
std::uint8_t ErrorCodeFor(FaultKind kind);

// Clears the division-by-zero, invalid and overflow flags.
void ClearArithmeticFlags();

// Throws EngineFault for the first of overflow, division by zero, invalid
// operation that is flagged since the last clear. Does nothing otherwise.
void RaiseArithmeticFlags();

}  // namespace zc
