#pragma once

namespace kvl::host {

// The empty common base of every plugin object laid out like a host object; its constructor
// is the first step of every mirror constructor and does nothing.
struct HostMirror {
  HostMirror() noexcept = default;
};

}  // namespace kvl::host
