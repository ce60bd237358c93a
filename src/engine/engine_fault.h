// Faults raised while the engine computes, and the error codes they become.
// Arithmetic faults come from the floating-point status flags: an operation
// clears them, computes, and raises what the hardware signalled. Underflow
// and inexact results stay quiet.
#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

#include "calc_result.h"

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

// The kind name error 20 reports for a failure that is not the engine's own
// ("OutOfMemory", "RangeError", ...).
const char* KindNameOf(const std::exception& failure);

// "Kind: message", the detail that error 20 carries in dwErrorMsg.
std::string FaultText(std::string_view kindName, std::string_view message);

// Puts a failure into `result` through SetError; error 20 also gets its
// FaultText in dwErrorMsg.
void ReportFailure(std::uint8_t code, std::string_view kindName, std::string_view message,
                   TCalcResult& result);

// ReportFailure with the fault's code, kind name and message.
void ReportFault(const EngineFault& fault, TCalcResult& result);

// Clears the division-by-zero, invalid and overflow flags.
void ClearArithmeticFlags();

// Throws EngineFault for the first of overflow, division by zero, invalid
// operation that is flagged since the last clear. Does nothing otherwise.
void RaiseArithmeticFlags();

}  // namespace zc
