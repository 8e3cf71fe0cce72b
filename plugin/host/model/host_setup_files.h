#pragma once
// The host's catalogue of saved car-setup files: its lists by kind and the display names of the
// files (the catalogue's pointer is in host global 0x7C1184).
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostSetupFiles {
  static constexpr std::size_t kDisplayNameSize = 129;
  static void* instance();
  // Host 0x49E130, member call: the host list of setup files of that kind.
  static void* listOfKind(void* catalogue, std::int32_t kind);
  // Host 0x49E320, member call: the display name of a file into a 129-byte buffer.
  static void displayName(void* catalogue, char* buffer, const char* fileName, std::int32_t mode);
};

// The file name embedded in a host list entry.
inline const char* hostListData(const void* entry) noexcept { return static_cast<const char*>(entry) + 264; }

}  // namespace kvl::host
