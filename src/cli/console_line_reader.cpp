#include "console_line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>

// libedit's readline-compatible interface.
#include <editline/readline.h>

namespace zc {

namespace {

constexpr const char* kPrompt = "> ";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool HasText(const std::string& line) {
  return line.find_first_not_of(" \t") != std::string::npos;
}

}  // namespace

std::optional<std::string> StreamLineReader::ReadLine() {
  if (failure_) return std::nullopt;
  if (pending_.empty()) {
    std::string chunk;
    errno = 0;
    if (!std::getline(in_, chunk)) {
      // A line that outgrows the memory leaves the stream bad (getline
      // swallows the allocation failure); a failed read sets the C
      // stream's error flag. Either way the input did not end.
      const int error = errno;
      if (in_.bad() || (source_ != nullptr && std::ferror(source_))) {
        failure_ = error != 0 ? std::strerror(error) : "読み込みに失敗しました";
      }
      return std::nullopt;
    }
    if (atStart_ && chunk.starts_with(kUtf8Mark)) chunk.erase(0, kUtf8Mark.size());
    atStart_ = false;
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
  return std::make_unique<StreamLineReader>(std::cin, stdin);
}

}  // namespace zc
