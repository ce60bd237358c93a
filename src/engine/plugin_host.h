// The helper process that runs the procedures of library functions
// (zeltacalc-plugin-host). A procedure that crashes, exits, raises a signal
// or never returns ends that process, never the calculator: the call
// becomes an error and the next call starts a fresh host.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "calc_result.h"
#include "plugin_host_phase.h"

namespace zc {

// How long one call (loading the library, the procedure, unloading) may
// take before the host is ended and the call fails with error 20.
inline constexpr std::chrono::milliseconds kDefaultPluginCallTimeout{5000};

// The path of the host program in `folder` (with or without a trailing '/').
std::string PluginHostProgramIn(const std::string& folder);

// The host that a program in `programFolder` starts: the one beside it (the
// build tree, a portable copy), else the installation's (<prefix>/libexec/
// zeltacalc for a program in <prefix>/bin), else the one beside it, whose
// absence the first call then reports.
std::string PluginHostProgramFor(const std::string& programFolder);

struct PluginCall {
  std::string libraryPath;  // absolute
  std::string procedure;
  std::string directory;    // the working directory the procedure sees
};

class PluginHost {
 public:
  PluginHost() = default;
  ~PluginHost();
  PluginHost(PluginHost&& other) noexcept;
  PluginHost& operator=(PluginHost&& other) noexcept;
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // The host executable; a host already running keeps serving.
  void SetProgram(std::string program) { program_ = std::move(program); }
  const std::string& Program() const { return program_; }
  void SetCallTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
  std::chrono::milliseconds CallTimeout() const { return timeout_; }

  // Calls the procedure with the arguments, starting the host if none
  // runs. A library that cannot be loaded, is not a regular file, or has no
  // procedure of that name yields 0. Faults are thrown as EngineFault: an
  // invalid memory access or a stack overflow as InvalidMemoryAccess,
  // floating-point faults by their kind, everything else (exit, abort,
  // other signals, a crash while loading or unloading, the timeout, a host
  // that cannot be started) as Other with a message that says what happened.
  // After a timeout the same procedure fails at once, without a call, until
  // the time limit has passed once more.
  long double Call(const PluginCall& call, const TExtendeds& arguments);

  // The running host's process id, or -1 when none runs.
  pid_t ProcessId() const { return pid_; }

  // Ends the running host, if any, and waits for it.
  void Stop();

 private:
  void Start(std::chrono::steady_clock::time_point deadline);
  // Closes the pipes, waits up to `grace` for the host to end, then kills
  // it. The wait status, or nothing when the host was reaped elsewhere.
  std::optional<int> Finish(std::chrono::milliseconds grace);
  // True (and the host reaped) when the host ended since the last call.
  bool HasEnded();
  // Ends the host after `call` ran out of time, and rests the procedure.
  [[noreturn]] void TimedOut(const PluginCall& call);

  // A procedure that ran out of time is not called again until as long
  // again has passed: the graph and calculus tools sample a function
  // hundreds of times, and each call would wait out the limit anew.
  struct RestingProcedure {
    std::string libraryPath;
    std::string procedure;
    std::chrono::milliseconds limit;  // the time limit it ran out of
    std::chrono::steady_clock::time_point until;
  };

  std::string program_;
  std::chrono::milliseconds timeout_ = kDefaultPluginCallTimeout;
  pid_t pid_ = -1;
  int requestPipe_ = -1;  // our writing end
  int replyPipe_ = -1;    // our reading end
  PluginHostPhase phase_;      // shared with every host this one starts
  std::vector<char> message_;  // reused from call to call
  std::vector<RestingProcedure> resting_;
};

}  // namespace zc
