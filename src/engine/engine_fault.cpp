#include "engine_fault.h"

#include <cfenv>
#include <new>

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
    case FaultKind::InvalidMemoryAccess: return status::kAccessViolation;
    case FaultKind::IntegerOverflow:
    case FaultKind::FloatOverflow: return status::kOverflow;
    case FaultKind::FloatUnderflow: return status::kUnderflow;
    case FaultKind::FloatZeroDivide:
    case FaultKind::IntegerZeroDivide: return status::kDivisionByZero;
    case FaultKind::InvalidArgument:
    case FaultKind::FloatInvalid: return status::kInvalidOperation;
    case FaultKind::Conversion: return status::kNotANumber;
    case FaultKind::Other: return status::kOtherFailure;
  }
  return status::kOtherFailure;
}

const char* KindNameOf(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return "OutOfMemory";
  if (dynamic_cast<const std::out_of_range*>(&failure) != nullptr) return "RangeError";
  if (dynamic_cast<const std::length_error*>(&failure) != nullptr) return "LengthError";
  return "Exception";
}

std::string FaultText(std::string_view kindName, std::string_view message) {
  std::string text;
  text.reserve(kindName.size() + 2 + message.size());
  text.append(kindName);
  text += ": ";
  text.append(message);
  return text;
}

void ReportFailure(std::uint8_t code, std::string_view kindName, std::string_view message,
                   TCalcResult& result) {
  SetError(code, result);
  if (code == status::kOtherFailure) result.dwErrorMsg = FaultText(kindName, message);
}

void ReportFault(const EngineFault& fault, TCalcResult& result) {
  ReportFailure(ErrorCodeFor(fault.Kind()), fault.KindName(), fault.what(), result);
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
