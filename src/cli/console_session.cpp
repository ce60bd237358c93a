#include "console_session.h"

#include <exception>
#include <utility>

#include "ascii_text.h"

namespace zc {

ConsoleSession::ConsoleSession(EngineContext& context, Evaluator evaluate, ValueFormatter format,
                               std::ostream& out, std::ostream& err)
    : context_(context), evaluate_(std::move(evaluate)), format_(std::move(format)), out_(out), err_(err) {}

void ConsoleSession::PrintLine(std::string_view text) {
  out_ << "  " << text << '\n';
}

void ConsoleSession::Run(std::string_view line) {
  if (TrimBlanks(line).empty()) return;
  TCalcResult result;
  try {
    evaluate_(context_, line, variables_, result);
  } catch (const std::exception& failure) {
    // A malformed number literal; the variables written before it stay.
    err_ << failure.what() << '\n' << std::flush;
    return;
  }
  PrintLine(result.dwMessage);
  if (!result.dwErrorMsg.empty()) PrintLine(result.dwErrorMsg);
  for (long double answer : result.dwAnswers) PrintLine(format_(answer));
  out_ << std::flush;
}

}  // namespace zc
