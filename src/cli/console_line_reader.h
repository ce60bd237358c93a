// Where zeltacalc-console's lines come from: a terminal with a prompt, line
// editing and history, or any other standard input read as it is.
#pragma once

#include <cstdio>
#include <deque>
#include <istream>
#include <memory>
#include <optional>
#include <string>

namespace zc {

class LineReader {
 public:
  virtual ~LineReader() = default;
  // The next line without its line end; nothing at the end of the input,
  // and nothing once the input failed.
  virtual std::optional<std::string> ReadLine() = 0;
  // Why the lines stopped before the end of the input, in the system's
  // words: a read error, or a line too large to hold. Nothing otherwise.
  virtual std::optional<std::string> Failure() const { return std::nullopt; }
};

// Lines of a stream, ended by LF, CR LF or CR. A UTF-8 byte-order mark at
// the very start, as editors put in front of saved scripts, is dropped.
class StreamLineReader : public LineReader {
 public:
  // `source`, when given, is the C stream that `in` reads (stdin under
  // std::cin): its error flag tells a failed read from the end of the input.
  explicit StreamLineReader(std::istream& in, std::FILE* source = nullptr)
      : in_(in), source_(source) {}
  std::optional<std::string> ReadLine() override;
  std::optional<std::string> Failure() const override { return failure_; }

 private:
  std::istream& in_;
  std::FILE* source_;
  std::deque<std::string> pending_;  // lines cut at CRs, not yet returned
  std::optional<std::string> failure_;
  bool atStart_ = true;
};

// A prompt with line editing and an in-memory history; nothing is saved.
class TerminalLineReader : public LineReader {
 public:
  TerminalLineReader();
  std::optional<std::string> ReadLine() override;
};

// The terminal reader when standard input is a terminal, else the stream one.
std::unique_ptr<LineReader> MakeStandardInputReader();

}  // namespace zc
