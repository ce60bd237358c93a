#include "plugin_host_phase.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <utility>

#include "plugin_host_protocol.h"

namespace zc {

namespace protocol = plugin_host;

namespace {
// The engine's descriptor sits at or above this, so that the host's
// descriptors 3 to 5 can be filled from the engine's in any order.
constexpr int kFirstSpareDescriptor = 10;
}  // namespace

PluginHostPhase::~PluginHostPhase() { Release(); }

PluginHostPhase::PluginHostPhase(PluginHostPhase&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), word_(std::exchange(other.word_, nullptr)) {}

PluginHostPhase& PluginHostPhase::operator=(PluginHostPhase&& other) noexcept {
  if (this != &other) {
    Release();
    descriptor_ = std::exchange(other.descriptor_, -1);
    word_ = std::exchange(other.word_, nullptr);
  }
  return *this;
}

bool PluginHostPhase::Prepare() {
  if (word_ == nullptr) {
    const int created = memfd_create("zeltacalc-plugin-phase", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (created < 0) return false;
    const int descriptor = fcntl(created, F_DUPFD_CLOEXEC, kFirstSpareDescriptor);
    close(created);
    if (descriptor < 0) return false;
    // Sealed at its size: the host takes only such a file for its phase.
    void* word = MAP_FAILED;
    if (ftruncate(descriptor, protocol::kPhaseFileBytes) == 0 &&
        fcntl(descriptor, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) == 0) {
      word = mmap(nullptr, protocol::kPhaseFileBytes, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    }
    if (word == MAP_FAILED) {
      close(descriptor);
      return false;
    }
    descriptor_ = descriptor;
    word_ = static_cast<volatile std::uint32_t*>(word);
  }
  *word_ = static_cast<std::uint32_t>(protocol::Phase::Idle);
  return true;
}

std::optional<std::uint32_t> PluginHostPhase::Read() const {
  if (word_ == nullptr) return std::nullopt;
  return *word_;
}

void PluginHostPhase::Release() {
  if (word_ != nullptr) munmap(const_cast<std::uint32_t*>(word_), protocol::kPhaseFileBytes);
  if (descriptor_ >= 0) close(descriptor_);
  word_ = nullptr;
  descriptor_ = -1;
}

}  // namespace zc
