// Where zeltacalc-console's lines come from: a terminal with a prompt, line
// editing and history, or any other standard input read as it is.
#pragma once

#include <deque>
#include <istream>
#include <memory>
#include <optional>
#include <string>

namespace zc {

class LineReader {
 public:
  virtual ~LineReader() = default;
  // The next line without its line end; nothing at the end of the input.
  virtual std::optional<std::string> ReadLine() = 0;
};

// Lines of a stream, ended by LF, CR LF or CR.
class StreamLineReader : public LineReader {
 public:
  explicit StreamLineReader(std::istream& in) : in_(in) {}
  std::optional<std::string> ReadLine() override;

 private:
  std::istream& in_;
  std::deque<std::string> pending_;  // lines cut at CRs, not yet returned
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
