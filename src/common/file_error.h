// The failure of reading or writing a data file, worded for the user.
#pragma once

#include <sys/types.h>

#include <stdexcept>
#include <string>

namespace zc {

// A file that cannot be read or written. The message names the file and the
// reason, ready for an error box.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "ファイル "<path>" <what>: <reason>", with the system's own text for an
// errno value as the reason.
std::string FileErrorMessage(const std::string& path, const char* what, int error);
std::string FileErrorMessage(const std::string& path, const char* what, const std::string& reason);

// The reason a folder, named pipe, device or socket cannot be used as a
// data file, naming what it is.
std::string NotARegularFileReason(mode_t mode);

}  // namespace zc
