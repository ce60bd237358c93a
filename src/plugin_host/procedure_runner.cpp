#include "procedure_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cfenv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "dynamic_library.h"

namespace zc::plugin_host {
namespace {

using Procedure = long double (*)(std::int32_t count, const long double* arguments);

// Signals that end the host; the engine learns which one, and in which
// phase. Anything else (exit, _exit, SIGKILL) reaches the engine only as the
// host's exit status.
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS, SIGTERM};

// Read by the signal handler, hence static and volatile: the handler has no
// other way to learn them. The phase lives in the memory file shared with
// the engine when there is one, else here.
volatile std::uint32_t ownPhase = static_cast<std::uint32_t>(Phase::Idle);
volatile std::uint32_t* currentPhase = &ownPhase;
volatile sig_atomic_t replyTo = -1;

// A stack of its own for the handler, so that a procedure that exhausts the
// stack is still reported.
alignas(16) char handlerStack[64 * 1024];

Reply BlankReply(Outcome outcome) {
  Reply reply;
  std::memset(&reply, 0, sizeof reply);
  reply.magic = kReplyMagic;
  reply.outcome = static_cast<std::uint32_t>(outcome);
  return reply;
}

extern "C" void OnFatalSignal(int signal, siginfo_t* info, void*) {
  Reply reply = BlankReply(Outcome::Signal);
  reply.phase = *currentPhase;
  reply.signal = signal;
  reply.signalCode = info != nullptr ? info->si_code : 0;
  // One write below the pipe's atomic size: the engine gets all or nothing.
  [[maybe_unused]] const ssize_t written = write(replyTo, &reply, sizeof reply);
  _exit(128 + signal);
}

void SetPhase(Phase phase) { *currentPhase = static_cast<std::uint32_t>(phase); }

// The handler as ReportFatalSignalsTo installs it.
struct sigaction FatalSignalAction() {
  struct sigaction action {};
  action.sa_sigaction = OnFatalSignal;
  // A fault inside the handler itself falls back to the default action.
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
  sigfillset(&action.sa_mask);
  return action;
}

void InstallFatalSignalHandlers() {
  static const struct sigaction action = FatalSignalAction();
  for (const int signal : kFatalSignals) sigaction(signal, &action, nullptr);
}

std::uint32_t RaisedFaults() {
  const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  std::uint32_t bits = 0;
  if (raised & FE_INVALID) bits |= kRaisedInvalid;
  if (raised & FE_DIVBYZERO) bits |= kRaisedZeroDivide;
  if (raised & FE_OVERFLOW) bits |= kRaisedOverflow;
  return bits;
}

}  // namespace

void SharePhaseThrough(int descriptor) {
  // Only the engine's sealed memory file is written to: a descriptor left
  // open by whoever else started the host may be any file.
  const int seals = fcntl(descriptor, F_GET_SEALS);
  if (seals != -1 && (seals & (F_SEAL_SHRINK | F_SEAL_GROW)) == (F_SEAL_SHRINK | F_SEAL_GROW)) {
    struct stat info {};
    if (fstat(descriptor, &info) == 0 && info.st_size == static_cast<off_t>(kPhaseFileBytes)) {
      void* word = mmap(nullptr, kPhaseFileBytes, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
      if (word != MAP_FAILED) currentPhase = static_cast<volatile std::uint32_t*>(word);
    }
  }
  close(descriptor);
}

void ReportFatalSignalsTo(int replyDescriptor) {
  replyTo = replyDescriptor;
  stack_t stack{};
  stack.ss_sp = handlerStack;
  stack.ss_size = sizeof handlerStack;
  sigaltstack(&stack, nullptr);
  InstallFatalSignalHandlers();
}

Reply RunProcedure(const std::string& directory, const std::string& libraryPath,
                   const std::string& procedureName, const std::vector<long double>& arguments) {
  // Every call starts from the same directory, whatever the previous
  // procedure did to it. A directory that cannot be entered is passed over:
  // the library path is absolute, so the same library is loaded either way.
  if (!directory.empty()) {
    std::error_code ignored;
    std::filesystem::current_path(directory, ignored);
  }

  // Opening a FIFO or a device would block or have effects; only a
  // regular file can be a library.
  struct stat info {};
  if (stat(libraryPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return BlankReply(Outcome::NotLoaded);
  }

  DynamicLibrary library;
  SetPhase(Phase::Loading);
  const bool loaded = library.Open(libraryPath);
  SetPhase(Phase::Idle);
  if (!loaded) return BlankReply(Outcome::NotLoaded);

  Reply reply = BlankReply(Outcome::NoProcedure);
  if (void* address = library.Procedure(procedureName)) {
    // Trap masks, precision and rounding as the contract expects them,
    // whatever the previous procedure or the library's initialisation left.
    std::fesetenv(FE_DFL_ENV);
    // An earlier procedure, or this library's initialisation, may have put
    // handlers of its own in place (or none); a crash of this procedure is
    // reported by the host's, with its exact cause.
    InstallFatalSignalHandlers();
    SetPhase(Phase::Calling);
    const long double value = reinterpret_cast<Procedure>(address)(
        static_cast<std::int32_t>(arguments.size()), arguments.data());
#if defined(__x86_64__) || defined(__i386__)
    // The x87 unit delivers an unmasked fault at its next waiting
    // instruction: let that happen while the procedure is still to blame.
    asm volatile("fwait" : : : "memory");
#endif
    const std::uint32_t raised = RaisedFaults();
    SetPhase(Phase::Idle);
    std::fesetenv(FE_DFL_ENV);
    reply = BlankReply(Outcome::Returned);
    reply.raised = raised;
    reply.value = value;
  }

  SetPhase(Phase::Unloading);
  library.Close();
  SetPhase(Phase::Idle);
  // What the procedure printed appears now, not when the host ends.
  std::fflush(stdout);
  return reply;
}

}  // namespace zc::plugin_host
