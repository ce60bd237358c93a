#include "plugin_call.h"

#include <setjmp.h>
#include <signal.h>

#include <cfenv>
#include <cstddef>
#include <memory>

#include "engine_fault.h"

namespace zc {
namespace {

constexpr int kCaughtSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr std::size_t kSignalCount = sizeof kCaughtSignals / sizeof kCaughtSignals[0];

// The jump target of the call under way. Calls run on the one engine
// thread and never overlap, so one slot suffices.
sigjmp_buf* activeJump = nullptr;
volatile sig_atomic_t caughtSignal = 0;
volatile sig_atomic_t caughtCode = 0;

extern "C" void OnPluginFault(int signal, siginfo_t* info, void*) {
  caughtSignal = signal;
  caughtCode = info != nullptr ? info->si_code : 0;
  if (activeJump != nullptr) siglongjmp(*activeJump, 1);
  // Not inside a plugin call: fall back to the default action.
  ::signal(signal, SIG_DFL);
  raise(signal);
}

EngineFault FaultFor(int signal, int code) {
  switch (signal) {
    case SIGSEGV:
    case SIGBUS:
      return EngineFault(FaultKind::InvalidMemoryAccess,
                         "ライブラリ関数の中で不正なメモリアクセスが起きました");
    case SIGFPE:
      switch (code) {
        case FPE_INTDIV:
          return EngineFault(FaultKind::IntegerZeroDivide, "Integer division by zero");
        case FPE_INTOVF:
          return EngineFault(FaultKind::IntegerOverflow, "Integer overflow");
        case FPE_FLTDIV:
          return EngineFault(FaultKind::FloatZeroDivide, "Floating point division by zero");
        case FPE_FLTOVF:
          return EngineFault(FaultKind::FloatOverflow, "Floating point overflow");
        case FPE_FLTUND:
          return EngineFault(FaultKind::FloatUnderflow, "Floating point underflow");
        case FPE_FLTINV:
          return EngineFault(FaultKind::FloatInvalid, "Invalid floating point operation");
        default:
          return EngineFault(FaultKind::Other, "ライブラリ関数の中で演算例外が起きました");
      }
    default:
      return EngineFault(FaultKind::Other, "ライブラリ関数の中で不正な命令が実行されました");
  }
}

// Runs the procedure between sigsetjmp and the return; kept apart so that
// no local of the caller lives across the jump.
bool Guarded(PluginProcedure procedure, std::int32_t count, const long double* data,
             long double& value) {
  sigjmp_buf jump;
  activeJump = &jump;
  if (sigsetjmp(jump, 1) != 0) {
    activeJump = nullptr;
    return false;
  }
  value = procedure(count, data);
  activeJump = nullptr;
  return true;
}

}  // namespace

long double CallPluginProcedure(PluginProcedure procedure, const TExtendeds& arguments) {
  // A stack of its own for the handler, so that a procedure that exhausts
  // the stack is caught as well.
  const std::size_t stackSize = 64 * 1024;
  const std::unique_ptr<char[]> handlerStack(new char[stackSize]);
  stack_t ownStack{};
  ownStack.ss_sp = handlerStack.get();
  ownStack.ss_size = stackSize;
  stack_t previousStack{};
  const bool stackSet = sigaltstack(&ownStack, &previousStack) == 0;

  struct sigaction action {};
  action.sa_sigaction = OnPluginFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  struct sigaction previous[kSignalCount];
  for (std::size_t i = 0; i < kSignalCount; ++i) {
    sigaction(kCaughtSignals[i], &action, &previous[i]);
  }

  fenv_t environment;
  std::fegetenv(&environment);
  caughtSignal = 0;
  long double value = 0;
  const bool completed = Guarded(procedure, static_cast<std::int32_t>(arguments.size()),
                                 arguments.data(), value);

  // What the procedure raised stays visible to the caller's fault checks;
  // its changes to the control settings (trap masks, precision) do not.
  fexcept_t raised;
  std::fegetexceptflag(&raised, FE_ALL_EXCEPT);
  std::fesetenv(&environment);
  if (completed) std::fesetexceptflag(&raised, FE_ALL_EXCEPT);

  for (std::size_t i = 0; i < kSignalCount; ++i) {
    sigaction(kCaughtSignals[i], &previous[i], nullptr);
  }
  if (stackSet) sigaltstack(&previousStack, nullptr);

  if (!completed) throw FaultFor(caughtSignal, caughtCode);
  return value;
}

}  // namespace zc
