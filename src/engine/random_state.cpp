#include <chrono>
#include <cstdint>

#include "engine_context.h"

namespace zc {

RandomState::RandomState() { SeedFromClock(); }

void RandomState::SeedFromClock() {
  // Fold the whole tick count into 32 bits so that both the fast-moving
  // low bits and the slower high bits differ from run to run.
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto wide = static_cast<std::uint64_t>(ticks);
  state_ = static_cast<std::uint32_t>(wide ^ (wide >> 32));
}

}  // namespace zc
