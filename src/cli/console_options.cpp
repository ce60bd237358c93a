#include "console_options.h"

#include <functional>
#include <string_view>

#include "ascii_text.h"

namespace zc {

namespace {

struct OptionRow {
  std::string_view name;
  bool takesValue;
  // Applies the option; returns an error text or an empty one.
  std::function<std::string(ConsoleOptions&, const std::string& value)> apply;
};

std::string ApplyAngle(ConsoleOptions& options, const std::string& value) {
  if (EqualsIgnoreAsciiCase(value, "deg")) {
    options.angleMode = AngleMode::Deg;
  } else if (EqualsIgnoreAsciiCase(value, "rad")) {
    options.angleMode = AngleMode::Rad;
  } else if (EqualsIgnoreAsciiCase(value, "grad")) {
    options.angleMode = AngleMode::Grad;
  } else {
    return "--angle には deg, rad, grad のどれかを指定してください: '" + value + "'";
  }
  return {};
}

const std::vector<OptionRow>& OptionTable() {
  static const std::vector<OptionRow> table = {
      {"--angle", true, ApplyAngle},
      {"--data-dir", true,
       [](ConsoleOptions& options, const std::string& value) -> std::string {
         if (value.empty()) return "--data-dir にフォルダを指定してください";
         options.dataDir = value;
         return {};
       }},
      {"-e", true,
       [](ConsoleOptions& options, const std::string& value) -> std::string {
         options.expressions.push_back(value);
         return {};
       }},
      {"--list-exports", true,
       [](ConsoleOptions& options, const std::string& value) -> std::string {
         options.listExports = value;
         return {};
       }},
      {"--help", false,
       [](ConsoleOptions& options, const std::string&) -> std::string {
         options.showHelp = true;
         return {};
       }},
      {"-h", false,
       [](ConsoleOptions& options, const std::string&) -> std::string {
         options.showHelp = true;
         return {};
       }},
      {"--version", false,
       [](ConsoleOptions& options, const std::string&) -> std::string {
         options.showVersion = true;
         return {};
       }},
  };
  return table;
}

}  // namespace

ConsoleOptionsResult ParseConsoleOptions(int argc, const char* const* argv) {
  ConsoleOptionsResult result;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const OptionRow* row = nullptr;
    std::optional<std::string> inlineValue;
    for (const OptionRow& candidate : OptionTable()) {
      if (argument == candidate.name) {
        row = &candidate;
        break;
      }
      // "--angle=rad"; short options take their value as the next argument only.
      if (candidate.takesValue && candidate.name.starts_with("--") &&
          argument.starts_with(candidate.name) && argument.size() > candidate.name.size() &&
          argument[candidate.name.size()] == '=') {
        row = &candidate;
        inlineValue = std::string(argument.substr(candidate.name.size() + 1));
        break;
      }
    }
    if (row == nullptr) {
      result.error = "不明な引数です: '" + std::string(argument) + "'";
      return result;
    }
    std::string value;
    if (inlineValue) {
      value = *inlineValue;
    } else if (row->takesValue) {
      // The next argument is the value even when it starts with '-': "-e -3".
      if (i + 1 >= argc) {
        result.error = std::string(row->name) + " の後に値がありません";
        return result;
      }
      value = argv[++i];
    }
    result.error = row->apply(result.options, value);
    if (!result.error.empty()) return result;
  }
  return result;
}

std::string ConsoleUsage() {
  return "使い方: zeltacalc-console [--angle deg|rad|grad] [--data-dir DIR] [-e EXPR]...\n"
         "       zeltacalc-console --list-exports FILE\n"
         "       zeltacalc-console --help | --version\n"
         "  --angle deg|rad|grad  角度の単位 (既定は deg)\n"
         "  --data-dir DIR        constants.txt と Functions.inf を読むフォルダ"
         " (既定は実行ファイルのフォルダ。\n"
         "                        そこになければ ../share/zeltacalc)\n"
         "  -e EXPR               EXPR を計算する。複数あれば順に計算する。\n"
         "                        -e がなければ標準入力を1行ずつ計算する\n"
         "  --list-exports FILE   プラグインライブラリ FILE が公開する関数名を1行ずつ表示する\n"
         "  -h, --help            この使い方を表示する\n"
         "  --version             バージョンを表示する\n";
}

}  // namespace zc
