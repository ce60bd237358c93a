#include "installation.h"

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

}  // namespace zc
