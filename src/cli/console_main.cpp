// zeltacalc-console: the calculator in a terminal or a script.
#include <clocale>
#include <iostream>
#include <new>
#include <string>

#include "calc_expression.h"
#include "console_data_folder.h"
#include "console_line_reader.h"
#include "console_options.h"
#include "console_session.h"
#include "installation.h"
#include "list_exports_command.h"
#include "plugin_host.h"
#include "standard_output.h"

namespace {

constexpr int kFailure = 1;

// Evaluates the -e expressions, else standard input's lines, until the
// input ends or standard output fails; the caller reports the latter.
int EvaluateLines(const zc::ConsoleOptions& options) {
  zc::EngineContext context;
  context.angleMode = options.angleMode;
  context.appDir = options.dataDir ? zc::DataFolderPath(*options.dataDir) : zc::DefaultDataFolder();
  context.pluginHost.SetProgram(zc::PluginHostProgramFor(zc::ExecutableFolder()));
  for (const std::string& warning : zc::LoadDataFolder(context)) std::cerr << warning << '\n';
  std::cerr << std::flush;

  zc::ConsoleSession session(
      context,
      [](zc::EngineContext& c, std::string_view line, zc::NameValueList& variables,
         zc::TCalcResult& result) { zc::CalcExpression(c, line, variables, result); },
      [](long double value) { return zc::ResultText(value); }, std::cout, std::cerr);

  // Once standard output fails, later results would be lost as well.
  if (!options.expressions.empty()) {
    for (const std::string& expression : options.expressions) {
      session.Run(expression);
      if (zc::StandardOutputFailed()) return kFailure;
    }
    return 0;
  }
  const auto reader = zc::MakeStandardInputReader();
  while (const std::optional<std::string> line = reader->ReadLine()) {
    session.Run(*line);
    if (zc::StandardOutputFailed()) return kFailure;
  }
  if (const std::optional<std::string> failure = reader->Failure()) {
    std::cerr << "zeltacalc-console: 標準入力を読み込めません: " << *failure << '\n';
    return kFailure;
  }
  return 0;
}

int Run(int argc, char** argv) {
  const zc::ConsoleOptionsResult parsed = zc::ParseConsoleOptions(argc, argv);
  if (!parsed.error.empty()) {
    std::cerr << "zeltacalc-console: " << parsed.error << '\n' << zc::ConsoleUsage();
    return 2;
  }
  const zc::ConsoleOptions& options = parsed.options;
  if (options.showHelp) {
    std::cout << zc::ConsoleUsage();
    return 0;
  }
  if (options.showVersion) {
    std::cout << zc::ProgramVersionLine("zeltacalc-console");
    return 0;
  }
  if (options.listExports) return zc::RunListExports(*options.listExports, std::cout, std::cerr);
  return EvaluateLines(options);
}

}  // namespace

int main(int argc, char** argv) {
  // The user's locale, as the window programs get it from Qt: line editing
  // then handles the terminal's multibyte text. Numbers are read and
  // printed the same way under every locale.
  std::setlocale(LC_ALL, "");
  int status = kFailure;
  try {
    status = Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "zeltacalc-console: メモリが足りません\n";
    return kFailure;
  }
  // Whatever the run printed must have arrived, or the run failed.
  return zc::FinishStandardOutput("zeltacalc-console", status);
}
