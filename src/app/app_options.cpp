#include "app_options.h"

#include <string_view>

namespace zc {

AppCommand ParseAppCommand(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") return AppCommand::ShowHelp;
    if (argument == "--version") return AppCommand::ShowVersion;
  }
  return AppCommand::Run;
}

std::string AppUsage() {
  return "使い方: zeltacalc [Qt のオプション]...\n"
         "       zeltacalc --help | --version\n"
         "関数電卓のウィンドウを開く。データファイルは実行ファイルのフォルダに置く。\n"
         "そこに書けないとき (インストールしたとき) は ~/.local/share/zeltacalc に置く。\n"
         "  -h, --help     この使い方を表示する\n"
         "  --version      バージョンを表示する\n";
}

}  // namespace zc
