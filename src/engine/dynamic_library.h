// A thin platform layer over shared libraries, so that the calls of library
// functions read the same on every system.
#pragma once

#include <string>

namespace zc {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary() { Close(); }
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads the library at an absolute path. False when it cannot be loaded.
  bool Open(const std::string& absolutePath);
  // The address of an exported procedure, or nullptr.
  void* Procedure(const std::string& name) const;
  // Unloads the library; harmless when nothing is loaded.
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;
};

// `path` made absolute: relative paths count from `baseDirectory` (which
// ends in a path delimiter or is empty, meaning the current directory).
std::string AbsoluteLibraryPath(const std::string& path, const std::string& baseDirectory);

}  // namespace zc
