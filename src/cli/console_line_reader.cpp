#include "console_line_reader.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

// libedit's readline-compatible interface.
#include <editline/readline.h>

namespace zc {

namespace {

constexpr const char* kPrompt = "> ";

bool HasText(const std::string& line) {
  return line.find_first_not_of(" \t") != std::string::npos;
}

}  // namespace

std::optional<std::string> StreamLineReader::ReadLine() {
  std::string line;
  if (!std::getline(in_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

TerminalLineReader::TerminalLineReader() {
  rl_readline_name = "zeltacalc";
  using_history();
}

std::optional<std::string> TerminalLineReader::ReadLine() {
  char* raw = readline(kPrompt);
  if (raw == nullptr) {
    // End of input (Ctrl+D): leave the terminal on a fresh line.
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return std::nullopt;
  }
  std::string line(raw);
  std::free(raw);
  if (HasText(line)) add_history(line.c_str());
  return line;
}

std::unique_ptr<LineReader> MakeStandardInputReader() {
  if (isatty(STDIN_FILENO)) return std::make_unique<TerminalLineReader>();
  return std::make_unique<StreamLineReader>(std::cin);
}

}  // namespace zc
