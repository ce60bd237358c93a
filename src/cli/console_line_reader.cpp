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
  if (pending_.empty()) {
    std::string chunk;
    if (!std::getline(in_, chunk)) return std::nullopt;
    // The CR of a CR LF belongs to the LF; every other CR ends a line of
    // its own, as in files saved with old Mac line ends.
    if (!chunk.empty() && chunk.back() == '\r') chunk.pop_back();
    std::size_t start = 0;
    for (std::size_t cr = chunk.find('\r'); cr != std::string::npos; cr = chunk.find('\r', start)) {
      pending_.push_back(chunk.substr(start, cr - start));
      start = cr + 1;
    }
    pending_.push_back(chunk.substr(start));
  }
  std::string line = std::move(pending_.front());
  pending_.pop_front();
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
