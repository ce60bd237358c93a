// Hostile Windows libraries must give an empty or partial list, never a
// crash or an out-of-bounds read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "library_exports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  (void)zc::ListPeExports(std::span<const std::uint8_t>(data, size), ".dll");
  return 0;
}
