#include "dynamic_library.h"

#include <dlfcn.h>

namespace zc {

bool DynamicLibrary::Open(const std::string& absolutePath) {
  Close();
  // Symbols stay local so that two libraries with equally named procedures
  // do not see each other's; RTLD_NOW reports missing dependencies at once.
  handle_ = dlopen(absolutePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle_ != nullptr;
}

void* DynamicLibrary::Procedure(const std::string& name) const {
  if (handle_ == nullptr) return nullptr;
  return dlsym(handle_, name.c_str());
}

void DynamicLibrary::Close() {
  if (handle_ != nullptr) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

}  // namespace zc
