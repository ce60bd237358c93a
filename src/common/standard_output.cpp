#include "standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace zc {

bool StandardOutputFailed() { return !std::cout || std::ferror(stdout) != 0; }

std::optional<std::string> StandardOutputFailure() {
  std::cout.flush();
  // The error number of the write that failed: a flush that fails now sets
  // it afresh, else it is still the one of the failed write before.
  if (std::fflush(stdout) == 0 && !StandardOutputFailed()) return std::nullopt;
  const int error = errno;
  if (error == 0) return "書き込みに失敗しました";
  return std::string(std::strerror(error));
}

int FinishStandardOutput(const char* program, int status) {
  const std::optional<std::string> failure = StandardOutputFailure();
  if (!failure) return status;
  std::cerr << program << ": 標準出力に書き込めません: " << *failure << '\n';
  return 1;
}

}  // namespace zc
