#pragma once

namespace kvl {

// The host's plugin-host pointer, kept for the life of the process. The plugin never looks
// inside it; the overlay screen hands it back to the host when it draws.
class PluginHostContext {
 public:
  void setHost(void* host) noexcept { host_ = host; }
  void* host() const noexcept { return host_; }

 private:
  void* host_ = nullptr;
};

PluginHostContext& pluginHostContext();

}  // namespace kvl
