// The phase word the plugin host shares with the engine through a sealed
// memory file: what the host was doing (loading a library, calling its
// procedure, unloading it) when it died without a reply.
#pragma once

#include <cstdint>
#include <optional>

namespace zc {

class PluginHostPhase {
 public:
  PluginHostPhase() = default;
  ~PluginHostPhase();
  PluginHostPhase(PluginHostPhase&& other) noexcept;
  PluginHostPhase& operator=(PluginHostPhase&& other) noexcept;
  PluginHostPhase(const PluginHostPhase&) = delete;
  PluginHostPhase& operator=(const PluginHostPhase&) = delete;

  // Makes the memory file and maps it, once; later calls only set the
  // phase back to Idle for a new host. False when the system offers no
  // such file: the host then keeps its phase to itself.
  bool Prepare();

  // The memory file for the host to map (close-on-exec), or -1.
  int Descriptor() const { return descriptor_; }

  // The word the host last wrote, a plugin_host::Phase unless a procedure
  // scribbled on it; nothing when there is no shared word.
  std::optional<std::uint32_t> Read() const;

 private:
  void Release();

  int descriptor_ = -1;
  volatile std::uint32_t* word_ = nullptr;
};

}  // namespace zc
