// zeltacalc-plugin-host: runs the procedures of library functions for the
// calculator, one call at a time, so that a procedure that crashes, exits or
// never returns takes only this process with it.
//
// Started by the engine with the request pipe on descriptor 3, the reply
// pipe on descriptor 4 and the memory file of its phase on descriptor 5;
// it ends at the end of the requests. Not meant to be
// started by hand.
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "plugin_host_protocol.h"
#include "procedure_runner.h"

namespace zc::plugin_host {
namespace {

enum class ReadStatus { Complete, EndOfInput, Broken };

// How long the host looks for the next request before it sleeps in read().
// While the graph tool samples a plugin function, the next request follows
// within microseconds; sleeping and waking for each would cost more than
// the call itself.
constexpr auto kRequestSpin = std::chrono::microseconds(500);

void AwaitRequest(int descriptor) {
  const auto spinEnd = std::chrono::steady_clock::now() + kRequestSpin;
  do {
    pollfd entry{descriptor, POLLIN, 0};
    if (poll(&entry, 1, 0) != 0) return;
    // Leaves the processor to the calculator when both share one.
    sched_yield();
  } while (std::chrono::steady_clock::now() < spinEnd);
}

ReadStatus ReadExactly(int descriptor, void* buffer, std::size_t size) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = read(descriptor, bytes + done, size - done);
    if (got > 0) {
      done += static_cast<std::size_t>(got);
    } else if (got == 0) {
      return done == 0 ? ReadStatus::EndOfInput : ReadStatus::Broken;
    } else if (errno != EINTR) {
      return ReadStatus::Broken;
    }
  }
  return ReadStatus::Complete;
}

bool WriteAll(int descriptor, const void* buffer, std::size_t size) {
  const auto* bytes = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t put = write(descriptor, bytes + done, size - done);
    if (put > 0) {
      done += static_cast<std::size_t>(put);
    } else if (put < 0 && errno != EINTR) {
      return false;
    }
  }
  return true;
}

Greeting OwnGreeting() {
  return Greeting{kGreetingMagic, kProtocolVersion, sizeof(long double), LDBL_MANT_DIG};
}

bool SameGreeting(const Greeting& a, const Greeting& b) {
  return a.magic == b.magic && a.version == b.version && a.valueBytes == b.valueBytes &&
         a.mantissaBits == b.mantissaBits;
}

// Nothing of the calculator but the pipes and the standard streams reaches
// a plugin; the host also dies with the calculator, even inside a
// procedure that never returns.
void DetachFromCalculator() {
  close_range(kReplyDescriptor + 1, ~0u, 0);
  // Nor do the pipes reach programs a procedure might start.
  fcntl(kRequestDescriptor, F_SETFD, FD_CLOEXEC);
  fcntl(kReplyDescriptor, F_SETFD, FD_CLOEXEC);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  // A vanished calculator shows as a failed write, not a signal.
  signal(SIGPIPE, SIG_IGN);
}

bool WithinLimits(const CallHeader& header) {
  return header.magic == kCallMagic && header.directoryBytes <= kMaxDirectoryBytes &&
         header.pathBytes <= kMaxPathBytes && header.procedureBytes <= kMaxProcedureBytes &&
         header.argumentCount <= kMaxArguments;
}

// Exit status for requests that break the protocol: the engine ends the
// host and reports the call as failed.
constexpr int kProtocolFailure = 2;

int Serve() {
  Greeting engine{};
  if (ReadExactly(kRequestDescriptor, &engine, sizeof engine) != ReadStatus::Complete) {
    return kProtocolFailure;
  }
  const Greeting own = OwnGreeting();
  if (!WriteAll(kReplyDescriptor, &own, sizeof own)) return 0;
  if (!SameGreeting(engine, own)) return kProtocolFailure;

  std::vector<char> payload;
  std::string directory;
  std::string libraryPath;
  std::string procedureName;
  std::vector<long double> arguments;
  for (;;) {
    CallHeader header{};
    AwaitRequest(kRequestDescriptor);
    const ReadStatus status = ReadExactly(kRequestDescriptor, &header, sizeof header);
    if (status == ReadStatus::EndOfInput) return 0;
    if (status == ReadStatus::Broken || !WithinLimits(header)) return kProtocolFailure;
    // The texts and the values in one read: the limits keep it small.
    const std::size_t textBytes =
        std::size_t{header.directoryBytes} + header.pathBytes + header.procedureBytes;
    const std::size_t valueBytes = std::size_t{header.argumentCount} * sizeof(long double);
    payload.resize(textBytes + valueBytes);
    if (!payload.empty() &&
        ReadExactly(kRequestDescriptor, payload.data(), payload.size()) != ReadStatus::Complete) {
      return kProtocolFailure;
    }
    const char* next = payload.data();
    directory.assign(next, header.directoryBytes);
    next += header.directoryBytes;
    libraryPath.assign(next, header.pathBytes);
    next += header.pathBytes;
    procedureName.assign(next, header.procedureBytes);
    next += header.procedureBytes;
    // Copied out, so that the procedure gets properly aligned values.
    arguments.resize(header.argumentCount);
    if (valueBytes != 0) std::memcpy(arguments.data(), next, valueBytes);

    const Reply reply = RunProcedure(directory, libraryPath, procedureName, arguments);
    if (!WriteAll(kReplyDescriptor, &reply, sizeof reply)) return 0;
  }
}

}  // namespace
}  // namespace zc::plugin_host

int main() {
  zc::plugin_host::SharePhaseThrough(zc::plugin_host::kPhaseDescriptor);
  zc::plugin_host::DetachFromCalculator();
  zc::plugin_host::ReportFatalSignalsTo(zc::plugin_host::kReplyDescriptor);
  return zc::plugin_host::Serve();
}
