// Runs the built zeltacalc-console as a user or a script would.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "file_reader.h"
#include "hostile_files.h"
#include "program_run.h"
#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

using Outcome = test::ProgramRun;
using test::Slurp;

// Runs the program with `args` and `input` as its standard input (a file,
// so never a terminal).
Outcome RunConsole(const std::vector<std::string>& args, const std::string& input = "") {
  TempDir io;
  std::ofstream(io.File("in"), std::ios::binary) << input;
  return test::RunProgram(ZC_CONSOLE_EXE, args, {.inputPath = io.File("in")});
}

// Runs the program with standard input opened from `inputPath` (a file, a
// folder, a device) and standard output on the caller's descriptor
// `output`, within `memoryLimit` bytes of address space. SIGPIPE is
// ignored, so that a closed pipe shows as a failed write.
Outcome RunConsoleWithStreams(const std::vector<std::string>& args, const std::string& inputPath,
                              int output, rlim_t memoryLimit = RLIM_INFINITY) {
  return test::RunProgram(ZC_CONSOLE_EXE, args,
                          {.inputPath = inputPath, .output = output, .memoryLimit = memoryLimit, .ignoreSigpipe = true});
}

// A data folder with the given constants.txt and Functions.inf bytes.
struct DataFolder {
  explicit DataFolder(const std::string& constants, const std::string& functions = "") {
    std::ofstream(dir.File("constants.txt"), std::ios::binary) << constants;
    if (!functions.empty()) std::ofstream(dir.File("Functions.inf"), std::ios::binary) << functions;
  }
  std::vector<std::string> Args(std::vector<std::string> more) const {
    more.insert(more.begin(), {"--data-dir", dir.Path()});
    return more;
  }
  TempDir dir;
};

struct ProgramCase {
  const char* label;
  std::vector<std::string> args;
  std::string input;
  std::string out;
  std::string err;
};

TEST(ConsoleProgram, PrintsEachLinesResultLines) {
  const DataFolder data("pi=3.14159265358979323846\r\nk=7\r\n");
  const ProgramCase cases[] = {
      {"-e in order, ANS carried over", {"-e", "1+1", "-e", "ANS*3"}, "", "  2\n  6\n", ""},
      {"-e ignores standard input", {"-e", "5"}, "7\n", "  5\n", ""},
      {"variables last the whole run", {"-e", "r=2", "-e", "pi*r^2"}, "", "  2\n  12.5663706143592\n", ""},
      {"comma list prints every answer", {"-e", "1, 2, 3"}, "", "  1\n  2\n  3\n", ""},
      {"standard input, no echo", {}, "1+1\nANS*3\n", "  2\n  6\n", ""},
      {"blank lines print nothing", {}, "\n   \n4\n\t\n", "  4\n", ""},
      {"CR LF input", {}, "k*2\r\n1/4\r\n", "  14\n  0.25\n", ""},
      {"CR-only input", {}, "k*2\r1/4\r", "  14\n  0.25\n", ""},
      {"mixed line ends", {}, "1\r\r\n2\n3\r4", "  1\n  2\n  3\n  4\n", ""},
      {"last line without line end", {}, "2^10", "  1024\n", ""},
      {"a UTF-8 mark before the first line", {}, "\xEF\xBB\xBF" "k*2\n\xEF\xBB\xBF" "1\n", "  14\n  ERROR 12\n", ""},
      {"engine errors are results", {}, "(1+2\n3+\n1/0\n", "  ERROR 11\n  ERROR 10\n  ERROR 14\n", ""},
      {"conversion failure on stderr, run goes on", {}, "x=1\n1.2.3\nx+1\n", "  1\n  2\n",
       "'1.2.3' は浮動小数点数ではありません\n"},
      {"conversion failure with -e", {"-e", "1.2.3", "-e", "0x123456789"}, "", "",
       "'1.2.3' は浮動小数点数ではありません\n'$123456789' は整数ではありません\n"},
      {"text assignment prints the text", {"-e", "t=\"abc\""}, "", "  abc\n", ""},
      {"angle deg by default", {"-e", "sin90"}, "", "  1\n", ""},
      {"angle rad", {"--angle", "rad", "-e", "cos0", "-e", "sin(pi/2)"}, "", "  1\n  1\n", ""},
      {"angle grad", {"--angle=grad", "-e", "sin100"}, "", "  1\n", ""},
  };
  for (const ProgramCase& c : cases) {
    const Outcome outcome = RunConsole(data.Args(c.args), c.input);
    EXPECT_EQ(outcome.exitCode, 0) << c.label;
    EXPECT_EQ(outcome.out, c.out) << c.label;
    EXPECT_EQ(outcome.err, c.err) << c.label;
  }
}

TEST(ConsoleProgram, BadOptionsExitWithTwoAndTheUsage) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"}, {"--angle", "degrees"}, {"-e"}, {"--data-dir"}, {"1+1"},
  };
  for (const auto& args : cases) {
    const Outcome outcome = RunConsole(args, "1+1\n");
    EXPECT_EQ(outcome.exitCode, 2) << args.front();
    EXPECT_EQ(outcome.out, "") << args.front();
    EXPECT_NE(outcome.err.find("zeltacalc-console [--angle deg|rad|grad] [--data-dir DIR] [-e EXPR]..."),
              std::string::npos)
        << args.front();
  }
}

TEST(ConsoleProgram, MissingConstantsWarnOnceAndGoOn) {
  TempDir empty;
  const Outcome outcome = RunConsole({"--data-dir", empty.Path(), "-e", "pi", "-e", "2*3"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.out, "  ERROR 12\n  6\n");
  ASSERT_FALSE(outcome.err.empty());
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_NE(outcome.err.find("constants.txt"), std::string::npos);
}

TEST(ConsoleProgram, ReadsConstantsAndUserFunctionsFromTheDataFolderAndWritesNothing) {
  // Functions.inf as UTF-16LE with a mark, the way another installation may keep it.
  const std::string functions = EncodeText(
      "[dbl]\r\nExplain=\r\nRunType=0\r\nParams=x\r\nSentence=x*2\r\nDLLPath=\r\nDLLProc=\r\n\r\n",
      TextEncoding::Utf16LE);
  const DataFolder data("k=7\n", functions);
  const Outcome outcome = RunConsole(data.Args({"-e", "dbl k", "-e", "dbl(4)"}));
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "  14\n  8\n");
  EXPECT_EQ(ReadFileBytesIfExists(data.dir.File("Functions.inf")), functions);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.dir.Path()), {}), 2);
}

TEST(ConsoleProgram, UnreadableFunctionsFileWarnsAndGoesOn) {
  const DataFolder data("k=7\n");
  std::filesystem::create_directory(data.dir.File("Functions.inf"));
  const Outcome outcome = RunConsole(data.Args({"-e", "k"}));
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.out, "  7\n");
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_NE(outcome.err.find("Functions.inf"), std::string::npos);
}

TEST(ConsoleProgram, HostileDataFilesWarnAndTheRunGoesOn) {
  const char* const files[] = {"constants.txt", "Functions.inf"};
  for (const char* file : files) {
    for (const test::HostileCase& c : test::kHostileInputs) {
      const DataFolder data("k=7\n");
      std::filesystem::remove(data.dir.File(file));
      const std::string unavailable = test::MakeHostile(c.kind, data.dir.File(file));
      if (!unavailable.empty()) {
        std::cout << "[ SKIPPED  ] " << file << " as " << c.label << ": " << unavailable << "\n";
        continue;
      }
      const Outcome outcome = RunConsole(data.Args({"-e", "2*3"}));
      EXPECT_EQ(outcome.exitCode, 0) << file << " as " << c.label;
      EXPECT_EQ(outcome.out, "  6\n") << file << " as " << c.label;
      EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
      EXPECT_NE(outcome.err.find(data.dir.File(file)), std::string::npos) << outcome.err;
    }
  }
}

TEST(ConsoleProgram, ReadsUtf16FunctionsWithoutAMark) {
  const std::string functions =
      EncodeText("[dbl]\r\nParams=x\r\nSentence=x*2\r\n", TextEncoding::Utf16LE).substr(2);
  const DataFolder data("k=7\n", functions);
  const Outcome outcome = RunConsole(data.Args({"-e", "dbl(k)"}));
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "  14\n");
}

TEST(ConsoleProgram, ListExportsRefusesHostileFiles) {
  for (const test::HostileCase& c : test::kHostileInputs) {
    TempDir dir;
    const std::string path = dir.File("plugin.so");
    const std::string unavailable = test::MakeHostile(c.kind, path, kBinaryFileSizeLimit);
    if (!unavailable.empty()) {
      std::cout << "[ SKIPPED  ] " << c.label << ": " << unavailable << "\n";
      continue;
    }
    const Outcome outcome = RunConsole({"--list-exports", path});
    EXPECT_EQ(outcome.exitCode, 1) << c.label;
    EXPECT_EQ(outcome.out, "") << c.label;
    EXPECT_NE(outcome.err.find(path), std::string::npos) << c.label << ": " << outcome.err;
  }
}

TEST(ConsoleProgram, DefaultDataFolderIsTheProgramsOwn) {
  // The build copies the installation constants next to the program.
  const Outcome outcome = RunConsole({"-e", "pi", "-e", "c"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "  3.14159265358979\n  299792458\n");
}

TEST(ConsoleProgram, HelpGoesToStandardOutput) {
  const Outcome outcome = RunConsole({"--help"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_NE(outcome.out.find("--data-dir DIR"), std::string::npos);
  EXPECT_EQ(outcome.err, "");
}

TEST(ConsoleProgram, ListExportsPrintsOneProcedurePerLine) {
  const Outcome dll = RunConsole({"--list-exports", ZC_TINY_PLUGIN_DLL});
  EXPECT_EQ(dll.exitCode, 0);
  EXPECT_EQ(dll.out, "Average@8\nTwice@8\n");
  EXPECT_EQ(dll.err, "");

  TempDir dir;
  std::ofstream(dir.File("notes.txt"), std::ios::binary) << "no library here";
  const Outcome text = RunConsole({"--list-exports", dir.File("notes.txt")});
  EXPECT_EQ(text.exitCode, 0) << "an empty list is no error";
  EXPECT_EQ(text.out, "");

  const Outcome missing = RunConsole({"--list-exports", dir.File("missing.so")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("missing.so"), std::string::npos);

  // A folder opens like a file but cannot be read: an error, not a crash.
  const Outcome folder = RunConsole({"--list-exports", dir.Path()});
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_EQ(folder.out, "");
  EXPECT_NE(folder.err.find(dir.Path()), std::string::npos);
}

// Where standard output can fail: a device that is always full (made here
// when the system allows it) and a pipe whose reader has gone.
struct FailingOutput {
  const char* label;
  std::string path;  // the device; empty for the closed pipe
};

// Opens the failing output for writing; -1 with a reason when unavailable.
int OpenFailingOutput(const FailingOutput& sink, std::string& unavailable) {
  if (sink.path.empty()) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
      unavailable = "no pipe";
      return -1;
    }
    close(ends[0]);
    return ends[1];
  }
  if (mknod(sink.path.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0) {
    unavailable = "cannot make a full device here: " + std::string(std::strerror(errno));
    return -1;
  }
  return open(sink.path.c_str(), O_WRONLY | O_CLOEXEC);
}

TEST(ConsoleProgram, AnOutputThatCannotBeWrittenEndsTheRunWithOne) {
  TempDir dir;
  std::ofstream(dir.File("lines"), std::ios::binary) << "1+1\n2+2\n3+3\n";
  const FailingOutput sinks[] = {{"full device", dir.File("full")}, {"closed pipe", ""}};
  const struct {
    const char* label;
    std::vector<std::string> args;
  } runs[] = {
      {"standard input", {}},
      {"-e", {"-e", "1+1", "-e", "2"}},
      {"--list-exports", {"--list-exports", ZC_EXAMPLE_PLUGIN}},
      {"--help", {"--help"}},
      {"--version", {"--version"}},
  };
  for (const FailingOutput& sink : sinks) {
    for (const auto& run : runs) {
      std::string unavailable;
      const int output = OpenFailingOutput(sink, unavailable);
      if (output < 0) {
        std::cout << "[ SKIPPED  ] " << sink.label << ": " << unavailable << "\n";
        break;
      }
      const Outcome outcome = RunConsoleWithStreams(run.args, dir.File("lines"), output);
      close(output);
      if (!sink.path.empty()) std::filesystem::remove(sink.path);
      EXPECT_EQ(outcome.exitCode, 1) << sink.label << ", " << run.label;
      EXPECT_TRUE(outcome.err.starts_with("zeltacalc-console: 標準出力に書き込めません: "))
          << sink.label << ", " << run.label << ": " << outcome.err;
      EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    }
  }
}

// The address sanitizer reserves far more address space than the limit
// below leaves.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceCanBeLimited = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSpaceCanBeLimited = false;
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif

TEST(ConsoleProgram, AnInputThatCannotBeReadEndsTheRunWithOne) {
  TempDir dir;
  const int output = open(dir.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(output, 0);
  const struct {
    const char* label;
    std::string input;
    rlim_t memoryLimit;
  } cases[] = {
      {"a folder", dir.Path(), RLIM_INFINITY},
      // One endless line, without a line end, in too little memory to hold it.
      {"a line too large to hold", "/dev/zero", rlim_t{192} << 20},
  };
  for (const auto& c : cases) {
    if (c.memoryLimit != RLIM_INFINITY && !kAddressSpaceCanBeLimited) {
      std::cout << "[ SKIPPED  ] " << c.label << ": the address sanitizer needs the address space\n";
      continue;
    }
    const Outcome outcome = RunConsoleWithStreams({}, c.input, output, c.memoryLimit);
    EXPECT_EQ(outcome.exitCode, 1) << c.label;
    EXPECT_TRUE(outcome.err.starts_with("zeltacalc-console: 標準入力を読み込めません: "))
        << c.label << ": " << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  }
  close(output);
  EXPECT_EQ(Slurp(dir.File("out")), "");
}

TEST(ConsoleProgram, ListExportsFindsTheExamplePluginsProcedures) {
  const Outcome plugin = RunConsole({"--list-exports", ZC_EXAMPLE_PLUGIN});
  EXPECT_EQ(plugin.exitCode, 0);
  EXPECT_NE(plugin.out.find("SumOfSquares\n"), std::string::npos) << plugin.out;
}

}  // namespace
}  // namespace zc
