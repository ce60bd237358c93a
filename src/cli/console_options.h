// The command line of zeltacalc-console.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine_context.h"

namespace zc {

struct ConsoleOptions {
  AngleMode angleMode = AngleMode::Deg;
  std::optional<std::string> dataDir;    // the shipped data files' folder when absent
  std::vector<std::string> expressions;  // -e, in order; empty: read stdin
  bool showHelp = false;
  bool showVersion = false;
  std::optional<std::string> listExports;  // --list-exports FILE
};

struct ConsoleOptionsResult {
  ConsoleOptions options;
  std::string error;  // empty when the command line was understood
};

// Reads argv[1..argc-1]. Each option is one row of the table in the .cpp;
// "--name value" and "--name=value" are both accepted for long options.
ConsoleOptionsResult ParseConsoleOptions(int argc, const char* const* argv);

// The usage text, ending in a line break.
std::string ConsoleUsage();

}  // namespace zc
