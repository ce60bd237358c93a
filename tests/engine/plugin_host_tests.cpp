// Library functions run in zeltacalc-plugin-host: whatever a procedure does,
// the calculator reports an error and the next line still evaluates.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "engine_fault.h"
#include "expression_test_support.h"
#include "plugin_host.h"
#include "plugin_host_protocol.h"

namespace zc {
namespace {

using namespace std::chrono_literals;
using testing::AddLibraryFunction;
using testing::Evaluate;

const std::string kHostile = ZC_HOSTILE_PLUGIN_DIR "/hostile_plugin.so";

// A folder of its own for each test, removed afterwards.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zc-plugin-host-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class PluginHostTest : public ::testing::Test {
 protected:
  PluginHostTest() {
    context_.appDir = folder_.Path() + "/";
    context_.pluginHost.SetProgram(PluginHostProgramIn(ZC_TEST_BIN_DIR));
    const std::vector<std::pair<const char*, const char*>> procedures = {
        {"abort", "CallAbort"},          {"exit", "CallExit"},
        {"quickexit", "CallQuickExit"},  {"terminate", "RaiseTerminate"},
        {"kill", "RaiseKill"},           {"loop", "LoopForever"},
        {"stack", "OverflowStack"},      {"divzero", "DivideByZero"},
        {"invalid", "InvalidOperation"}, {"overflow", "Overflow"},
        {"nan", "QuietNaN"},             {"inf", "Infinity"},
        {"trapdiv", "TrapDivideByZero"}, {"traps", "EnableTraps"},
        {"last", "LastArgument"},        {"argc", "ArgumentCount"},
        {"count", "CountCalls"},         {"marker", "SeesMarkerFile"},
        {"leave", "LeaveDirectory"},     {"foreign", "ForeignDescriptors"},
        {"garbage", "SendGarbageReply"}, {"short", "SendShortReply"},
        {"segvdfl", "FaultWithoutHandler"}, {"segvign", "FaultIgnoringIt"},
        {"busdfl", "BusErrorWithoutHandler"}, {"drop", "DropHandlers"},
        {"unloaddfl", "CrashWhenUnloadedWithoutHandler"},
    };
    for (const auto& [name, procedure] : procedures) {
      AddLibraryFunction(context_, name, kHostile, procedure);
    }
    AddLibraryFunction(context_, "nullread", ZC_TEST_BIN_DIR "/plugins/libzeltacalc_faulty.so",
                       "ReadNull");
    AddLibraryFunction(context_, "loadcrash", ZC_HOSTILE_PLUGIN_DIR "/initializer_crash_plugin.so",
                       "Value");
    AddLibraryFunction(context_, "unloadcrash", ZC_HOSTILE_PLUGIN_DIR "/finalizer_crash_plugin.so",
                       "Value");
    AddLibraryFunction(context_, "loaddfl",
                       ZC_HOSTILE_PLUGIN_DIR "/unguarded_initializer_crash_plugin.so", "Value");
    AddLibraryFunction(context_, "fifo", "fifo.so", "Value");
    AddLibraryFunction(context_, "folder", "folder.so", "Value");
    AddLibraryFunction(context_, "device", "/dev/null", "Value");
    AddLibraryFunction(context_, "missing", "missing.so", "Value");
  }

  TCalcResult Run(const std::string& line) { return Evaluate(context_, line).result; }

  // The calculator goes on after whatever came before: a plain line and a
  // well-behaved procedure both work.
  void ExpectStillWorking(const std::string& after) {
    EXPECT_EQ(Run("1+2").dwMessage, "3") << "after " << after;
    EXPECT_EQ(Run("last(1,7)").dwMessage, "7") << "after " << after;
  }

  TemporaryFolder folder_;
  EngineContext context_;
};

struct FaultCase {
  const char* line;
  int status;
  const char* detail;  // part of the error detail of an error 20
  std::chrono::milliseconds timeout;
};

// The programs sit in bin/ beside the host in the build tree; installed,
// the host is in libexec/zeltacalc, out of the users' path.
TEST(PluginHostProgram, IsFoundBesideTheProgramOrInTheInstallation) {
  const struct {
    const char* label;
    bool besideHost;
    mode_t besideMode;
    bool installedHost;
    const char* expected;  // relative to the temporary root
  } cases[] = {
      {"build tree", true, 0755, false, "usr/bin/zeltacalc-plugin-host"},
      {"beside wins", true, 0755, true, "usr/bin/zeltacalc-plugin-host"},
      {"installed", false, 0, true, "usr/libexec/zeltacalc/zeltacalc-plugin-host"},
      {"a file that cannot run is no host", true, 0644, true, "usr/libexec/zeltacalc/zeltacalc-plugin-host"},
      {"none: the place beside, for the error message", false, 0, false, "usr/bin/zeltacalc-plugin-host"},
  };
  for (const auto& c : cases) {
    TemporaryFolder root;
    const auto makeHost = [](const std::string& path, mode_t mode) {
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      std::ofstream(path) << "#!/bin/sh\n";
      chmod(path.c_str(), mode);
    };
    std::filesystem::create_directories(root.File("usr/bin"));
    if (c.besideHost) makeHost(root.File("usr/bin/zeltacalc-plugin-host"), c.besideMode);
    if (c.installedHost) makeHost(root.File("usr/libexec/zeltacalc/zeltacalc-plugin-host"), 0755);
    EXPECT_EQ(PluginHostProgramFor(root.File("usr/bin")), root.File(c.expected)) << c.label;
  }
}

TEST_F(PluginHostTest, MisbehavingProceduresEndInAnErrorAndTheNextLineStillEvaluates) {
  const std::vector<FaultCase> cases = {
      {"abort(1)", 20, "SIGABRT", kDefaultPluginCallTimeout},
      {"exit(1)", 20, "終了コード 3", kDefaultPluginCallTimeout},
      {"quickexit(1)", 20, "終了コード 4", kDefaultPluginCallTimeout},
      {"terminate(1)", 20, "SIGTERM", kDefaultPluginCallTimeout},
      {"kill(1)", 20, "SIGKILL", kDefaultPluginCallTimeout},
      {"loop(1)", 20, "0.3 秒以内に終わらない", 300ms},
      {"stack(1)", 18, "", kDefaultPluginCallTimeout},
      {"nullread(1)", 18, "", kDefaultPluginCallTimeout},
      {"2*nullread(1)+1", 18, "", kDefaultPluginCallTimeout},
      {"divzero(1)", 14, "", kDefaultPluginCallTimeout},
      {"invalid(1)", 15, "", kDefaultPluginCallTimeout},
      {"overflow(1)", 16, "", kDefaultPluginCallTimeout},
      {"nan(1)", 15, "", kDefaultPluginCallTimeout},
      {"trapdiv(1)", 14, "", kDefaultPluginCallTimeout},
      {"loadcrash(1)", 20, "読み込み中に SIGSEGV", kDefaultPluginCallTimeout},
      {"unloadcrash(1)", 20, "解放中に SIGSEGV", kDefaultPluginCallTimeout},
      {"garbage(1)", 20, "応答が壊れて", kDefaultPluginCallTimeout},
      {"short(1)", 20, "終了コード 0", kDefaultPluginCallTimeout},
  };
  ExpectStillWorking("start");  // the host is running before the first case
  for (const FaultCase& c : cases) {
    context_.pluginHost.SetCallTimeout(c.timeout);
    const TCalcResult result = Run(c.line);
    context_.pluginHost.SetCallTimeout(kDefaultPluginCallTimeout);
    EXPECT_EQ(result.dwStatusCode, c.status) << c.line;
    EXPECT_EQ(result.dwMessage, "ERROR " + std::to_string(c.status)) << c.line;
    EXPECT_NE(result.dwErrorMsg.find(c.detail), std::string::npos) << c.line << ": " << result.dwErrorMsg;
    ExpectStillWorking(c.line);
  }
}

// A procedure may take the host's handlers away (or ignore the signal)
// before it faults; the host then dies without a word, and the fault is
// told by its signal and by when it came.
TEST_F(PluginHostTest, FaultsPastTheHostsHandlersKeepTheirCode) {
  const std::vector<FaultCase> cases = {
      {"segvdfl(1)", 18, "", kDefaultPluginCallTimeout},
      {"segvign(1)", 18, "", kDefaultPluginCallTimeout},
      {"1+busdfl(1)", 18, "", kDefaultPluginCallTimeout},
      {"loaddfl(1)", 20, "読み込み中に SIGSEGV", kDefaultPluginCallTimeout},
      {"unloaddfl(1)", 20, "解放中に SIGSEGV", kDefaultPluginCallTimeout},
  };
  for (const FaultCase& c : cases) {
    const TCalcResult result = Run(c.line);
    EXPECT_EQ(result.dwStatusCode, c.status) << c.line << ": " << result.dwErrorMsg;
    EXPECT_NE(result.dwErrorMsg.find(c.detail), std::string::npos) << c.line << ": " << result.dwErrorMsg;
    ExpectStillWorking(c.line);
  }
}

// Handlers a procedure took away are back for the next call in the same
// host, which then reports its fault exactly: here a trapped division by
// zero (14), not just some arithmetic signal (20).
TEST_F(PluginHostTest, TheNextCallHasTheHostsHandlersAgain) {
  EXPECT_EQ(Run("drop(1)").dwMessage, "1");
  const pid_t host = context_.pluginHost.ProcessId();
  EXPECT_EQ(Run("drop(1)").dwMessage, "1");
  EXPECT_EQ(context_.pluginHost.ProcessId(), host);
  const TCalcResult result = Run("trapdiv(1)");
  EXPECT_EQ(result.dwStatusCode, 14) << result.dwErrorMsg;
  EXPECT_EQ(Run("drop(1)").dwMessage, "1");
  EXPECT_EQ(Run("nullread(1)").dwStatusCode, 18);
}

TEST_F(PluginHostTest, AProcedureThatRanOutOfTimeRestsForAsLongAgain) {
  context_.pluginHost.SetCallTimeout(300ms);
  EXPECT_EQ(Run("last(1)").dwMessage, "1");  // the host is running
  EXPECT_NE(Run("loop(1)").dwErrorMsg.find("打ち切りました"), std::string::npos);
  // The graph tool samples it again at once: no new wait, no new host.
  for (const char* line : {"loop(2)", "1+loop(3)"}) {
    const TCalcResult again = Run(line);
    EXPECT_EQ(again.dwStatusCode, 20) << line;
    EXPECT_NE(again.dwErrorMsg.find("LoopForever は直前に 0.3 秒以内に終わらなかった"), std::string::npos)
        << again.dwErrorMsg;
    EXPECT_EQ(context_.pluginHost.ProcessId(), -1) << line;
  }
  ExpectStillWorking("a resting procedure");
  std::this_thread::sleep_for(350ms);
  EXPECT_NE(Run("loop(4)").dwErrorMsg.find("打ち切りました"), std::string::npos);
}

struct ValueCase {
  const char* line;
  const char* message;
};

TEST_F(PluginHostTest, LibrariesThatCannotBeLoadedYieldZeroWithoutWaiting) {
  ASSERT_EQ(mkfifo(folder_.File("fifo.so").c_str(), 0600), 0);
  ASSERT_EQ(mkdir(folder_.File("folder.so").c_str(), 0700), 0);
  // A FIFO nobody writes to would block the loader for good; the timeout
  // is only the backstop.
  context_.pluginHost.SetCallTimeout(2s);
  const std::vector<ValueCase> cases = {
      {"fifo(1)", "0"}, {"folder(1)", "0"}, {"device(1)", "0"}, {"missing(1)", "0"},
  };
  for (const ValueCase& c : cases) {
    const TCalcResult result = Run(c.line);
    EXPECT_EQ(result.dwStatusCode, 1) << c.line << ": " << result.dwErrorMsg;
    EXPECT_EQ(result.dwMessage, c.message) << c.line;
  }
  ExpectStillWorking("libraries that cannot be loaded");
}

TEST_F(PluginHostTest, ValuesCrossInTheirFullPrecision) {
  const std::vector<ValueCase> cases = {
      {"argc(1,2,3,4,5)", "5"}, {"last(-2.5)", "-2.5"}, {"inf(1)", "INF"}, {"-inf(1)", "-INF"},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(Run(c.line).dwMessage, c.message) << c.line;
  // All 64 bits of the significand, not just the 15 digits of the result text.
  EXPECT_EQ(Run("last(1,1/3)").dwSource, Run("1/3").dwSource);
  EXPECT_EQ(Run("last(2^63+1)").dwSource, Run("2^63+1").dwSource);
}

TEST_F(PluginHostTest, EachCallLoadsTheLibraryAfreshInAppDir) {
  std::ofstream(folder_.File("plugin-host-marker")) << "here";
  const std::string before = std::filesystem::current_path().string();
  EXPECT_EQ(Run("count(1)").dwMessage, "1");
  EXPECT_EQ(Run("count(1)").dwMessage, "1");
  EXPECT_EQ(Run("marker(1)").dwMessage, "1");
  EXPECT_EQ(Run("leave(1)").dwMessage, "1");
  EXPECT_EQ(Run("marker(1)").dwMessage, "1");
  // The calculator's own working directory is not the procedure's.
  EXPECT_EQ(std::filesystem::current_path().string(), before);
}

TEST_F(PluginHostTest, TrapsLeftOnByAProcedureDoNotReachTheNextOne) {
  EXPECT_EQ(Run("traps(1)").dwMessage, "1");
  const pid_t host = context_.pluginHost.ProcessId();
  EXPECT_EQ(Run("divzero(1)").dwStatusCode, 14);
  // Reported from the status flags, not by a trap that ended the host.
  EXPECT_EQ(context_.pluginHost.ProcessId(), host);
}

bool IsReaped(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == -1 && errno == ECHILD; }

TEST_F(PluginHostTest, OneHostServesUntilAFaultAndLeavesNoZombie) {
  EXPECT_EQ(Run("last(1)").dwMessage, "1");
  const pid_t first = context_.pluginHost.ProcessId();
  ASSERT_GT(first, 0);
  EXPECT_EQ(Run("last(2)").dwMessage, "2");
  EXPECT_EQ(context_.pluginHost.ProcessId(), first);

  EXPECT_EQ(Run("abort(1)").dwStatusCode, 20);
  EXPECT_EQ(context_.pluginHost.ProcessId(), -1);
  EXPECT_TRUE(IsReaped(first));
  EXPECT_EQ(Run("last(3)").dwMessage, "3");
  const pid_t second = context_.pluginHost.ProcessId();
  EXPECT_NE(second, first);

  context_.pluginHost.Stop();
  EXPECT_TRUE(IsReaped(second));
}

bool IsZombie(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  const auto close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

TEST_F(PluginHostTest, AHostEndedBetweenCallsIsReplacedWithoutAnError) {
  EXPECT_EQ(Run("last(1)").dwMessage, "1");
  const pid_t host = context_.pluginHost.ProcessId();
  ASSERT_EQ(kill(host, SIGKILL), 0);
  for (int i = 0; i < 500 && !IsZombie(host); ++i) std::this_thread::sleep_for(1ms);
  const TCalcResult result = Run("last(2)");
  EXPECT_EQ(result.dwStatusCode, 1) << result.dwErrorMsg;
  EXPECT_EQ(result.dwMessage, "2");
  EXPECT_TRUE(IsReaped(host));
}

// The descriptors that lead to another process: pipes and sockets.
std::vector<int> OpenChannels() {
  std::vector<int> channels;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (target.starts_with("pipe:") || target.starts_with("socket:")) {
      channels.push_back(std::stoi(entry.path().filename().string()));
    }
  }
  return channels;
}

TEST_F(PluginHostTest, TheHostSeesNoneOfTheCalculatorsDescriptors) {
  const std::vector<int> before = OpenChannels();
  // Not close-on-exec, as a careless library in the calculator might leave it.
  const int inherited = dup(STDERR_FILENO);
  ASSERT_GE(inherited, 0);
  EXPECT_EQ(Run("foreign(1)").dwMessage, "0");
  close(inherited);

  // The engine's own channel ends never leak into other programs.
  int added = 0;
  for (const int descriptor : OpenChannels()) {
    if (std::find(before.begin(), before.end(), descriptor) != before.end()) continue;
    ++added;
    EXPECT_TRUE(fcntl(descriptor, F_GETFD) & FD_CLOEXEC) << descriptor;
  }
  EXPECT_EQ(added, 2);
}

TEST_F(PluginHostTest, ArgumentListsLargerThanAPipeArriveWhole) {
  const TExtendeds many(100000, 1.5L);
  EXPECT_EQ(context_.pluginHost.Call({kHostile, "ArgumentCount", folder_.Path()}, many), 100000);
  const TExtendeds tooMany(plugin_host::kMaxArguments + 1, 0);
  EXPECT_THROW(context_.pluginHost.Call({kHostile, "ArgumentCount", folder_.Path()}, tooMany),
               EngineFault);
  ExpectStillWorking("a refused argument list");
}

// Stand-ins for the host program: shell scripts that answer the engine
// wrongly in one way each.
struct FakeHostCase {
  const char* name;
  std::string script;
  const char* detail;
};

// A shell command that writes a host's greeting of `version` (below 8).
std::string GreetingCommand(std::uint32_t version) {
  return "printf 'ZCPH\\00" + std::to_string(version) +
         R"(\000\000\000\020\000\000\000\100\000\000\000' >&4)";
}

TEST_F(PluginHostTest, AHostThatAnswersWronglyIsEndedAndReported) {
  const std::string greeting = GreetingCommand(plugin_host::kProtocolVersion);
  const std::string skipRequest = "head -c 16 <&3 >/dev/null\n";
  const std::vector<FakeHostCase> cases = {
      {"silent", "exec sleep 10\n", "応答しません"},
      {"babbling", "printf 'not a plugin host at all' >&4\nexec sleep 10\n", "として応答しません"},
      {"other version", GreetingCommand(plugin_host::kProtocolVersion + 1) + "\nexec sleep 10\n",
       "版がこの計算機と合いません"},
      // Stops reading before it answers the greeting: the call's request
      // meets a closed pipe, which must not end the calculator with SIGPIPE.
      {"deaf", skipRequest + "exec 3<&-\n" + greeting + "\nexec sleep 10\n", "呼び出しを渡せません"},
      {"quitter", skipRequest + greeting + "\nhead -c 24 <&3 >/dev/null\nexit 0\n", "終了コード 0"},
  };
  context_.pluginHost.SetCallTimeout(500ms);
  for (const FakeHostCase& c : cases) {
    const std::string program = folder_.File("fake-host");
    std::ofstream(program) << "#!/bin/sh\n" << c.script;
    ASSERT_EQ(chmod(program.c_str(), 0700), 0);
    context_.pluginHost.SetProgram(program);
    const TCalcResult result = Run("last(1)");
    EXPECT_EQ(result.dwStatusCode, 20) << c.name;
    EXPECT_NE(result.dwErrorMsg.find(c.detail), std::string::npos) << c.name << ": " << result.dwErrorMsg;
    EXPECT_EQ(context_.pluginHost.ProcessId(), -1) << c.name;
    EXPECT_EQ(Run("1+2").dwMessage, "3") << c.name;
  }
  sigset_t pending;
  sigpending(&pending);
  EXPECT_FALSE(sigismember(&pending, SIGPIPE));

  const std::vector<std::pair<std::string, const char*>> unusable = {
      {"", "設定されていません"}, {folder_.File("no-such-host"), "起動できません"}};
  for (const auto& [program, detail] : unusable) {
    context_.pluginHost.SetProgram(program);
    const TCalcResult result = Run("last(1)");
    EXPECT_EQ(result.dwStatusCode, 20) << program;
    EXPECT_NE(result.dwErrorMsg.find(detail), std::string::npos) << program << ": " << result.dwErrorMsg;
  }
}

// The host on its own, fed requests by hand.
class RawHost {
 public:
  RawHost() {
    int request[2];
    int reply[2];
    EXPECT_EQ(pipe2(request, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(reply, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, request[0], plugin_host::kRequestDescriptor);
    posix_spawn_file_actions_adddup2(&actions, reply[1], plugin_host::kReplyDescriptor);
    std::string program = PluginHostProgramIn(ZC_TEST_BIN_DIR);
    char* arguments[] = {program.data(), nullptr};
    EXPECT_EQ(posix_spawn(&pid_, program.c_str(), &actions, nullptr, arguments, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(request[0]);
    close(reply[1]);
    requests_ = request[1];
    replies_ = reply[0];
  }
  ~RawHost() {
    close(requests_);
    close(replies_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void Send(const void* bytes, std::size_t size) {
    EXPECT_EQ(write(requests_, bytes, size), static_cast<ssize_t>(size));
  }
  void EndRequests() {
    close(requests_);
    requests_ = -1;
  }
  // Reads everything up to the host's end of the pipe.
  std::size_t ReadToEnd() {
    std::size_t total = 0;
    char buffer[256];
    for (ssize_t got; (got = read(replies_, buffer, sizeof buffer)) > 0;) {
      total += static_cast<std::size_t>(got);
    }
    return total;
  }
  int ExitStatus() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int requests_ = -1;
  int replies_ = -1;
};

plugin_host::Greeting EngineGreeting(std::uint32_t version) {
  return {plugin_host::kGreetingMagic, version, sizeof(long double), LDBL_MANT_DIG};
}

plugin_host::CallHeader Header(std::uint32_t pathBytes, std::uint32_t argumentCount) {
  return {plugin_host::kCallMagic, 0, pathBytes, 0, argumentCount, 0};
}

struct RawCase {
  const char* name;
  plugin_host::Greeting greeting;
  std::vector<plugin_host::CallHeader> headers;
  std::size_t trailingBytes;  // of a header cut short
  int exitStatus;
};

TEST(PluginHostProtocol, TheHostRefusesRequestsOutsideItsBoundsAndEndsCleanly) {
  const plugin_host::Greeting good = EngineGreeting(plugin_host::kProtocolVersion);
  const std::vector<RawCase> cases = {
      {"no requests", good, {}, 0, 0},
      {"other version", EngineGreeting(plugin_host::kProtocolVersion + 1), {}, 0, 2},
      {"too many arguments", good, {Header(0, plugin_host::kMaxArguments + 1)}, 0, 2},
      {"path too long", good, {Header(plugin_host::kMaxPathBytes + 1, 1)}, 0, 2},
      {"wrong magic", good, {{0x12345678, 0, 0, 0, 0, 0}}, 0, 2},
      {"header cut short", good, {}, 7, 2},
      {"payload cut short", good, {Header(12, 0)}, 0, 2},
  };
  for (const RawCase& c : cases) {
    RawHost host;
    host.Send(&c.greeting, sizeof c.greeting);
    for (const auto& header : c.headers) host.Send(&header, sizeof header);
    if (c.trailingBytes != 0) {
      const auto header = Header(0, 0);
      host.Send(&header, c.trailingBytes);
    }
    host.EndRequests();
    // The host's greeting and nothing more: no reply to a broken request.
    EXPECT_EQ(host.ReadToEnd(), sizeof(plugin_host::Greeting)) << c.name;
    EXPECT_EQ(host.ExitStatus(), c.exitStatus) << c.name;
  }
}

}  // namespace
}  // namespace zc
