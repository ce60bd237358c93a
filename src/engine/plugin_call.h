// Calling a procedure of a plugin library with the processor faults it may
// raise caught for the duration of the call.
#pragma once

#include <cstdint>

#include "calc_result.h"

namespace zc {

// The procedure contract of a library function on this platform.
using PluginProcedure = long double (*)(std::int32_t count, const long double* arguments);

// Calls `procedure` with the argument count and the address of the first
// argument. An invalid memory access (SIGSEGV, SIGBUS), an arithmetic trap
// (SIGFPE) or an illegal instruction (SIGILL) inside it is caught and
// thrown as EngineFault; the signal handlers and the floating-point
// settings in force before the call are restored afterwards.
long double CallPluginProcedure(PluginProcedure procedure, const TExtendeds& arguments);

}  // namespace zc
