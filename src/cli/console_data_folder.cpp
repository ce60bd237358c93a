#include "console_data_folder.h"

#include <filesystem>
#include <system_error>
#include <string>

#include "file_reader.h"
#include "installation.h"
#include "text_lines.h"
#include "user_function_store.h"

namespace zc {

namespace {

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return WithTrailingSlash(std::filesystem::current_path(error).string());
  return WithTrailingSlash(exe.parent_path().string());
}

std::string DefaultDataFolder() { return DataFolderForReading(ExecutableFolder(), UserDataFolderOfThisUser()); }

std::string DataFolderPath(const std::string& dir) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(dir, error);
  return WithTrailingSlash(error ? dir : absolute.lexically_normal().string());
}

std::vector<std::string> LoadDataFolder(EngineContext& context) {
  std::vector<std::string> warnings;
  const std::string constantsPath = context.appDir + "constants.txt";
  context.constants.clear();
  try {
    if (const std::optional<DecodedText> constants = ReadTextFileIfExists(constantsPath)) {
      context.constants = SplitLines(constants->utf8);
    } else {
      warnings.push_back("警告: 定数ファイル \"" + constantsPath + "\" を開けません。定数なしで続けます。");
    }
  } catch (const FileError& failure) {
    warnings.push_back(std::string("警告: ") + failure.what() + "。定数なしで続けます。");
  }

  const std::string functionsPath = context.appDir + "Functions.inf";
  context.userFunctions.clear();
  try {
    if (const std::optional<DecodedText> functions = ReadTextFileIfExists(functionsPath)) {
      AppendUserFunctions(context.userFunctions, functions->utf8);
    }
  } catch (const FileError& failure) {
    warnings.push_back(std::string("警告: ") + failure.what() + "。ユーザー関数なしで続けます。");
  }
  return warnings;
}

}  // namespace zc
