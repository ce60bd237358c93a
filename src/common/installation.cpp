#include "installation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "install_layout.h"
#include "installed_data_files.h"

namespace zc {

namespace {

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string FolderFromPrograms(const std::string& programFolder, std::string_view relative) {
  const std::filesystem::path folder = std::filesystem::path(WithTrailingSlash(programFolder)) / relative;
  return WithTrailingSlash(folder.lexically_normal().string());
}

}  // namespace

std::string ProgramVersionLine(std::string_view program) {
  std::string line(program);
  line += ' ';
  line += kProgramVersion;
  line += '\n';
  return line;
}

std::string InstalledDataFolder(const std::string& programFolder) {
  return FolderFromPrograms(programFolder, kDataFolderFromPrograms);
}

std::string InstalledHelperFolder(const std::string& programFolder) {
  return FolderFromPrograms(programFolder, kHelperFolderFromPrograms);
}

bool HoldsShippedDataFiles(const std::string& folder) {
  const std::string prefix = WithTrailingSlash(folder);
  for (const char* name : kInstalledDataFileNames) {
    std::error_code error;
    if (std::filesystem::exists(prefix + name, error)) return true;
  }
  return false;
}

std::string ShippedDataFolder(const std::string& programFolder) {
  if (HoldsShippedDataFiles(programFolder)) return WithTrailingSlash(programFolder);
  const std::string installed = InstalledDataFolder(programFolder);
  if (HoldsShippedDataFiles(installed)) return installed;
  return WithTrailingSlash(programFolder);
}

std::string UserDataFolder(const char* xdgDataHome, const char* home) {
  std::string base;
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
    base = xdgDataHome;
  } else {
    base = WithTrailingSlash(home != nullptr && home[0] != '\0' ? home : "/") + ".local/share";
  }
  return WithTrailingSlash(base) + "zeltacalc/";
}

std::string UserDataFolderOfThisUser() {
  return UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string DataFolderForReading(const std::string& programFolder, const std::string& userDataFolder) {
  const std::string shipped = ShippedDataFolder(programFolder);
  if (shipped == WithTrailingSlash(programFolder)) return shipped;
  // The window gives a new user folder a copy of every shipped file.
  return HoldsShippedDataFiles(userDataFolder) ? WithTrailingSlash(userDataFolder) : shipped;
}

}  // namespace zc
