#include "plugin_host.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <utility>

#include "engine_fault.h"
#include "installation.h"
#include "plugin_host_protocol.h"

namespace zc {
namespace {

namespace protocol = plugin_host;
using Clock = std::chrono::steady_clock;

// The host's copies of the pipe ends are first moved to descriptors at or
// above this, so that placing them at 3 and 4 can never overwrite one
// with the other.
constexpr int kFirstSpareDescriptor = 10;

// How long a host that was asked to end by closing its requests may take.
constexpr std::chrono::milliseconds kQuitGrace{200};

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) return 0;
  return left > INT_MAX ? INT_MAX : static_cast<int>(left);
}

enum class Transfer { Complete, EndOfInput, TimedOut, Broken };

// How long the calculator looks for the host's reply before it sleeps in
// poll(). A reply usually comes within tens of microseconds, and sleeping
// and waking for it would cost more than the call itself.
constexpr std::chrono::microseconds kReplySpin(300);

// Waits until `descriptor` is ready for `events` or the deadline passes.
Transfer AwaitReady(int descriptor, short events, Clock::time_point deadline) {
  if (events == POLLIN) {
    const Clock::time_point spinEnd = std::min(deadline, Clock::now() + kReplySpin);
    do {
      pollfd entry{descriptor, events, 0};
      if (poll(&entry, 1, 0) > 0) return Transfer::Complete;
      // Leaves the processor to the host when both share one.
      sched_yield();
    } while (Clock::now() < spinEnd);
  }
  for (;;) {
    pollfd entry{descriptor, events, 0};
    const int ready = poll(&entry, 1, MillisecondsUntil(deadline));
    if (ready > 0) return Transfer::Complete;
    if (ready == 0) return Transfer::TimedOut;
    if (errno != EINTR) return Transfer::Broken;
  }
}

Transfer WriteAll(int descriptor, const char* bytes, std::size_t size, Clock::time_point deadline) {
  std::size_t done = 0;
  while (done < size) {
    // A host that has ended makes the send fail with EPIPE instead of
    // ending the calculator with SIGPIPE.
    const ssize_t put = send(descriptor, bytes + done, size - done, MSG_NOSIGNAL);
    if (put > 0) {
      done += static_cast<std::size_t>(put);
    } else if (put < 0 && errno == EAGAIN) {
      const Transfer ready = AwaitReady(descriptor, POLLOUT, deadline);
      if (ready != Transfer::Complete) return ready;
    } else if (put < 0 && (errno == EPIPE || errno == ECONNRESET)) {
      return Transfer::EndOfInput;
    } else if (put < 0 && errno != EINTR) {
      return Transfer::Broken;
    }
  }
  return Transfer::Complete;
}

Transfer ReadAll(int descriptor, void* buffer, std::size_t size, Clock::time_point deadline) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const Transfer ready = AwaitReady(descriptor, POLLIN, deadline);
    if (ready != Transfer::Complete) return ready;
    const ssize_t got = read(descriptor, bytes + done, size - done);
    if (got > 0) {
      done += static_cast<std::size_t>(got);
    } else if (got == 0) {
      // A short message is as good as none: the host is gone.
      return Transfer::EndOfInput;
    } else if (errno != EINTR && errno != EAGAIN) {
      return Transfer::Broken;
    }
  }
  return Transfer::Complete;
}

std::string SignalName(int signal) {
  if (const char* abbreviation = sigabbrev_np(signal)) return std::string("SIG") + abbreviation;
  return "シグナル " + std::to_string(signal);
}

std::string SecondsText(std::chrono::milliseconds duration) {
  const long long ms = duration.count();
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
    while (fraction.back() == '0') fraction.pop_back();
    text += '.' + fraction;
  }
  return text;
}

EngineFault HostFailure(const std::string& message) { return EngineFault(FaultKind::Other, message); }

EngineFault TimeoutFault(std::chrono::milliseconds timeout) {
  return HostFailure("ライブラリ関数が " + SecondsText(timeout) + " 秒以内に終わらないため、打ち切りました");
}

EngineFault RestingFault(const PluginCall& call, std::chrono::milliseconds limit) {
  return HostFailure("ライブラリ関数 " + call.procedure + " は直前に " + SecondsText(limit) +
                     " 秒以内に終わらなかったため、呼び出しませんでした");
}


EngineFault FloatingPointSignalFault(int code) {
  switch (code) {
    case FPE_INTDIV: return EngineFault(FaultKind::IntegerZeroDivide, "Integer division by zero");
    case FPE_INTOVF: return EngineFault(FaultKind::IntegerOverflow, "Integer overflow");
    case FPE_FLTDIV: return EngineFault(FaultKind::FloatZeroDivide, "Floating point division by zero");
    case FPE_FLTOVF: return EngineFault(FaultKind::FloatOverflow, "Floating point overflow");
    case FPE_FLTUND: return EngineFault(FaultKind::FloatUnderflow, "Floating point underflow");
    case FPE_FLTINV: return EngineFault(FaultKind::FloatInvalid, "Invalid floating point operation");
    default: return HostFailure("ライブラリ関数の中で演算例外が起きました");
  }
}

EngineFault SignalFault(const protocol::Reply& reply) {
  const std::string name = SignalName(reply.signal);
  switch (static_cast<protocol::Phase>(reply.phase)) {
    case protocol::Phase::Loading:
      return HostFailure("ライブラリの読み込み中に " + name + " が起きました");
    case protocol::Phase::Unloading:
      return HostFailure("ライブラリの解放中に " + name + " が起きました");
    case protocol::Phase::Calling:
      switch (reply.signal) {
        case SIGSEGV:
        case SIGBUS:
          // A stack overflow arrives here as well.
          return EngineFault(FaultKind::InvalidMemoryAccess,
                             "ライブラリ関数の中で不正なメモリアクセスが起きました");
        case SIGFPE: return FloatingPointSignalFault(reply.signalCode);
        case SIGILL: return HostFailure("ライブラリ関数の中で不正な命令が実行されました");
        default: return HostFailure("ライブラリ関数の中で " + name + " が起きました");
      }
    case protocol::Phase::Idle: break;
  }
  return HostFailure("プラグインホストで " + name + " が起きました");
}

// The host died without a reply: the procedure called exit(), or a signal
// ended the host past its handlers (a procedure may take them away before
// it crashes). `sharedPhase` is what the host was doing, when it could say;
// without it, the call step was under way.
EngineFault HostEndedFault(const std::optional<int>& status, std::optional<std::uint32_t> sharedPhase) {
  if (status && WIFEXITED(*status)) {
    return HostFailure("ライブラリ関数がプラグインホストを終了させました (終了コード " +
                       std::to_string(WEXITSTATUS(*status)) + ")");
  }
  if (status && WIFSIGNALED(*status)) {
    const int signal = WTERMSIG(*status);
    const auto phase = static_cast<protocol::Phase>(
        sharedPhase.value_or(static_cast<std::uint32_t>(protocol::Phase::Calling)));
    const bool procedureFault = signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE;
    if (phase == protocol::Phase::Loading || phase == protocol::Phase::Unloading ||
        (phase == protocol::Phase::Calling && procedureFault)) {
      protocol::Reply reply{};
      reply.phase = static_cast<std::uint32_t>(phase);
      reply.signal = signal;
      return SignalFault(reply);
    }
    return HostFailure("ライブラリ関数の実行中にプラグインホストが " + SignalName(signal) + " で終了しました");
  }
  return HostFailure("プラグインホストが応答せずに終了しました");
}

bool ValidReply(const protocol::Reply& reply) {
  if (reply.magic != protocol::kReplyMagic) return false;
  switch (static_cast<protocol::Outcome>(reply.outcome)) {
    case protocol::Outcome::Returned:
    case protocol::Outcome::NotLoaded:
    case protocol::Outcome::NoProcedure: return true;
    case protocol::Outcome::Signal: return reply.phase <= static_cast<std::uint32_t>(protocol::Phase::Unloading);
  }
  return false;
}

// The procedure's value, or the fault its status flags or the value's class
// reveal. Same precedence as the engine's own checks: overflow, division by
// zero, invalid operation. A NaN is the outcome of an invalid operation
// even when the procedure produced it without raising the flag.
long double CheckedValue(const protocol::Reply& reply) {
  if (reply.raised & protocol::kRaisedOverflow) {
    throw EngineFault(FaultKind::FloatOverflow, "Floating point overflow");
  }
  if (reply.raised & protocol::kRaisedZeroDivide) {
    throw EngineFault(FaultKind::FloatZeroDivide, "Floating point division by zero");
  }
  if ((reply.raised & protocol::kRaisedInvalid) || std::isnan(reply.value)) {
    throw EngineFault(FaultKind::FloatInvalid, "Invalid floating point operation");
  }
  return reply.value;
}

protocol::Greeting OwnGreeting() {
  return protocol::Greeting{protocol::kGreetingMagic, protocol::kProtocolVersion, sizeof(long double),
                            LDBL_MANT_DIG};
}

void EncodeRequest(const PluginCall& call, const TExtendeds& arguments, std::vector<char>& message) {
  const protocol::CallHeader header{protocol::kCallMagic,
                                    static_cast<std::uint32_t>(call.directory.size()),
                                    static_cast<std::uint32_t>(call.libraryPath.size()),
                                    static_cast<std::uint32_t>(call.procedure.size()),
                                    static_cast<std::uint32_t>(arguments.size()), 0};
  const std::size_t valueBytes = arguments.size() * sizeof(long double);
  message.resize(sizeof header + call.directory.size() + call.libraryPath.size() +
                 call.procedure.size() + valueBytes);
  char* out = message.data();
  std::memcpy(out, &header, sizeof header);
  out += sizeof header;
  for (const std::string* text : {&call.directory, &call.libraryPath, &call.procedure}) {
    std::memcpy(out, text->data(), text->size());
    out += text->size();
  }
  if (valueBytes != 0) std::memcpy(out, arguments.data(), valueBytes);
}

void CloseDescriptor(int& descriptor) {
  if (descriptor >= 0) close(descriptor);
  descriptor = -1;
}

}  // namespace

std::string PluginHostProgramIn(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + protocol::kProgramName;
}

std::string PluginHostProgramFor(const std::string& programFolder) {
  const std::string beside = PluginHostProgramIn(programFolder);
  if (access(beside.c_str(), X_OK) == 0) return beside;
  const std::string installed = PluginHostProgramIn(InstalledHelperFolder(programFolder));
  if (access(installed.c_str(), X_OK) == 0) return installed;
  // Neither: the call that cannot start it names the place it was expected.
  return beside;
}

PluginHost::~PluginHost() { Stop(); }

PluginHost::PluginHost(PluginHost&& other) noexcept
    : program_(std::move(other.program_)),
      timeout_(other.timeout_),
      pid_(std::exchange(other.pid_, -1)),
      requestPipe_(std::exchange(other.requestPipe_, -1)),
      replyPipe_(std::exchange(other.replyPipe_, -1)),
      phase_(std::move(other.phase_)),
      message_(std::move(other.message_)),
      resting_(std::move(other.resting_)) {}

PluginHost& PluginHost::operator=(PluginHost&& other) noexcept {
  if (this != &other) {
    Stop();
    program_ = std::move(other.program_);
    timeout_ = other.timeout_;
    pid_ = std::exchange(other.pid_, -1);
    requestPipe_ = std::exchange(other.requestPipe_, -1);
    replyPipe_ = std::exchange(other.replyPipe_, -1);
    phase_ = std::move(other.phase_);
    message_ = std::move(other.message_);
    resting_ = std::move(other.resting_);
  }
  return *this;
}

void PluginHost::Stop() { Finish(kQuitGrace); }

std::optional<int> PluginHost::Finish(std::chrono::milliseconds grace) {
  // Without its requests an idle host ends by itself.
  CloseDescriptor(requestPipe_);
  CloseDescriptor(replyPipe_);
  if (pid_ <= 0) return std::nullopt;
  const pid_t pid = std::exchange(pid_, -1);
  const Clock::time_point deadline = Clock::now() + grace;
  bool killed = false;
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, killed ? 0 : WNOHANG);
    if (ended == pid) return status;
    if (ended < 0 && errno != EINTR) return std::nullopt;  // reaped elsewhere
    if (ended == 0) {
      if (Clock::now() >= deadline) {
        kill(pid, SIGKILL);
        killed = true;
      } else {
        const timespec pause{0, 1'000'000};
        nanosleep(&pause, nullptr);
      }
    }
  }
}

bool PluginHost::HasEnded() {
  int status = 0;
  const pid_t ended = waitpid(pid_, &status, WNOHANG);
  if (ended == 0 || (ended < 0 && errno == EINTR)) return false;
  if (ended == pid_) pid_ = -1;  // reaped: Finish only closes the pipes
  return true;
}

void PluginHost::Start(Clock::time_point deadline) {
  if (program_.empty()) {
    throw HostFailure("ライブラリ関数を呼ぶプラグインホストが設定されていません");
  }
  int request[2];
  int reply[2];
  // The requests travel over a socket so that they can be sent with
  // MSG_NOSIGNAL; the host reads it like a pipe.
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, request) != 0) {
    throw HostFailure(std::string("socketpair: ") + strerror(errno));
  }
  if (pipe2(reply, O_CLOEXEC) != 0) {
    const int error = errno;
    close(request[0]);
    close(request[1]);
    throw HostFailure(std::string("pipe: ") + strerror(error));
  }
  const int hostRequest = fcntl(request[0], F_DUPFD_CLOEXEC, kFirstSpareDescriptor);
  const int hostReply = fcntl(reply[1], F_DUPFD_CLOEXEC, kFirstSpareDescriptor);
  close(request[0]);
  close(reply[1]);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // A plugin has no business reading the calculator's input.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, hostRequest, protocol::kRequestDescriptor);
  posix_spawn_file_actions_adddup2(&actions, hostReply, protocol::kReplyDescriptor);
  if (phase_.Prepare()) {
    posix_spawn_file_actions_adddup2(&actions, phase_.Descriptor(), protocol::kPhaseDescriptor);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  // A group of its own: Ctrl+C in the calculator's terminal is for the
  // calculator. The host still dies with it.
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                            POSIX_SPAWN_SETPGROUP);
  std::string program = program_;
  char* arguments[] = {program.data(), nullptr};
  pid_t pid = -1;
  const int error = (hostRequest < 0 || hostReply < 0)
                        ? EMFILE
                        : posix_spawn(&pid, program.c_str(), &actions, &attributes, arguments, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (hostRequest >= 0) close(hostRequest);
  if (hostReply >= 0) close(hostReply);
  if (error != 0) {
    close(request[1]);
    close(reply[0]);
    throw HostFailure("プラグインホスト " + program_ + " を起動できません: " + strerror(error));
  }
  pid_ = pid;
  requestPipe_ = request[1];
  replyPipe_ = reply[0];
  fcntl(requestPipe_, F_SETFL, O_NONBLOCK);
  fcntl(replyPipe_, F_SETFL, O_NONBLOCK);

  const protocol::Greeting own = OwnGreeting();
  const Transfer sent = WriteAll(requestPipe_, reinterpret_cast<const char*>(&own), sizeof own, deadline);
  protocol::Greeting answer{};
  const Transfer answered =
      sent == Transfer::Complete ? ReadAll(replyPipe_, &answer, sizeof answer, deadline) : sent;
  if (answered == Transfer::TimedOut) {
    Finish(std::chrono::milliseconds(0));
    throw HostFailure("プラグインホスト " + program_ + " が応答しません");
  }
  if (answered != Transfer::Complete || answer.magic != own.magic) {
    Finish(std::chrono::milliseconds(0));
    throw HostFailure(program_ + " はプラグインホストとして応答しません");
  }
  if (answer.version != own.version || answer.valueBytes != own.valueBytes ||
      answer.mantissaBits != own.mantissaBits) {
    Finish(std::chrono::milliseconds(0));
    throw HostFailure("プラグインホスト " + program_ + " の版がこの計算機と合いません");
  }
}

long double PluginHost::Call(const PluginCall& call, const TExtendeds& arguments) {
  if (arguments.size() > protocol::kMaxArguments) {
    throw HostFailure("ライブラリ関数に渡す引数が多すぎます (最大 " +
                      std::to_string(protocol::kMaxArguments) + " 個)");
  }
  // Longer than any path the system accepts, or any name a library exports.
  if (call.libraryPath.size() > protocol::kMaxPathBytes ||
      call.directory.size() > protocol::kMaxDirectoryBytes ||
      call.procedure.size() > protocol::kMaxProcedureBytes) {
    return 0;
  }
  const Clock::time_point now = Clock::now();
  std::erase_if(resting_, [now](const RestingProcedure& resting) { return resting.until <= now; });
  for (const RestingProcedure& resting : resting_) {
    if (resting.libraryPath == call.libraryPath && resting.procedure == call.procedure) {
      throw RestingFault(call, resting.limit);
    }
  }
  const Clock::time_point deadline = now + timeout_;
  EncodeRequest(call, arguments, message_);

  // A host that ended between calls (killed from outside, say) is replaced
  // without a word; so is one that is gone before it takes the request.
  for (int attempt = 0;; ++attempt) {
    if (pid_ > 0 && HasEnded()) Finish(std::chrono::milliseconds(0));
    if (pid_ <= 0) Start(deadline);
    const Transfer sent = WriteAll(requestPipe_, message_.data(), message_.size(), deadline);
    if (sent == Transfer::Complete) break;
    if (sent == Transfer::TimedOut) TimedOut(call);
    Finish(std::chrono::milliseconds(0));
    if (attempt > 0) throw HostFailure("プラグインホストに呼び出しを渡せません");
  }

  protocol::Reply reply{};
  switch (ReadAll(replyPipe_, &reply, sizeof reply, deadline)) {
    case Transfer::Complete: break;
    case Transfer::TimedOut: TimedOut(call);
    case Transfer::EndOfInput:
    case Transfer::Broken:
      // The host ended inside the call: exit(), _exit(), or a signal its
      // handlers do not report. Its status says which.
      throw HostEndedFault(Finish(std::chrono::milliseconds(MillisecondsUntil(deadline))), phase_.Read());
  }
  if (!ValidReply(reply)) {
    Finish(std::chrono::milliseconds(0));
    throw HostFailure("プラグインホストの応答が壊れています");
  }
  switch (static_cast<protocol::Outcome>(reply.outcome)) {
    case protocol::Outcome::Returned: return CheckedValue(reply);
    case protocol::Outcome::NotLoaded:
    case protocol::Outcome::NoProcedure: return 0;
    case protocol::Outcome::Signal:
      // The host exits right after this reply.
      Finish(kQuitGrace);
      throw SignalFault(reply);
  }
  return 0;
}

void PluginHost::TimedOut(const PluginCall& call) {
  Finish(std::chrono::milliseconds(0));
  resting_.push_back({call.libraryPath, call.procedure, timeout_, Clock::now() + timeout_});
  throw TimeoutFault(timeout_);
}

}  // namespace zc
