// A thin layer over the system's shared-library loader, so that the host's
// loading and unloading of plugin libraries reads as what it does.
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

 private:
  void* handle_ = nullptr;
};

}  // namespace zc
