#include "file_error.h"

#include <cstring>

namespace zc {

std::string FileErrorMessage(const std::string& path, const char* what, int error) {
  return "ファイル \"" + path + "\" " + what + ": " + std::strerror(error);
}

}  // namespace zc
