// One run of the terminal console: a variable list that lasts the whole run,
// and the printing of each line's result as the main window's log shows it.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

using Evaluator =
    std::function<void(EngineContext&, std::string_view, NameValueList&, TCalcResult&)>;
using ValueFormatter = std::function<std::string(long double)>;

class ConsoleSession {
 public:
  // `evaluate` and `format` are CalcExpression and ResultText in the program.
  ConsoleSession(EngineContext& context, Evaluator evaluate, ValueFormatter format,
                 std::ostream& out, std::ostream& err);

  // Evaluates one line and prints, each on its own line with two blanks in
  // front: the message, the error detail when there is one, and every
  // further answer. A blank line prints nothing. A thrown conversion failure
  // prints its message alone on the error stream. Both streams are flushed.
  void Run(std::string_view line);

  NameValueList& Variables() { return variables_; }

 private:
  void PrintLine(std::string_view text);

  EngineContext& context_;
  Evaluator evaluate_;
  ValueFormatter format_;
  std::ostream& out_;
  std::ostream& err_;
  NameValueList variables_;
};

}  // namespace zc
