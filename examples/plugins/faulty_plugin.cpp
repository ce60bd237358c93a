// A plugin library that misbehaves on purpose: the calculator must report
// each fault as an error and keep running.
#include <csignal>
#include <cstdint>

#define ZC_PLUGIN extern "C" __attribute__((visibility("default")))

namespace {
// Opaque to the optimiser, so the faulting operations are really executed.
volatile std::intptr_t nowhere = 0;
volatile int zero = 0;
}  // namespace

// Reads through a null pointer.
ZC_PLUGIN long double ReadNull(std::int32_t, const long double*) {
  return *reinterpret_cast<volatile long double*>(nowhere);
}

// Divides an integer by zero.
ZC_PLUGIN long double DivideByZero(std::int32_t count, const long double*) {
  return static_cast<long double>(count / zero);
}

// Executes an undefined instruction.
ZC_PLUGIN long double IllegalInstruction(std::int32_t, const long double*) {
  __builtin_trap();
}
