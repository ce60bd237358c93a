// The failure of reading or writing a data file, worded for the user.
#pragma once

#include <stdexcept>
#include <string>

namespace zc {

// A file that cannot be read or written. The message names the file and the
// reason in Japanese, ready for an error box.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "ファイル "<path>" <what>: <the system's reason for error>".
std::string FileErrorMessage(const std::string& path, const char* what, int error);

}  // namespace zc
