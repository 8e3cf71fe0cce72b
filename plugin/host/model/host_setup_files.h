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
  // Host 0x49DFA0, member call: the car's list of saved setups.
  static void* listForCar(void* catalogue, std::int32_t car);
  // Host 0x49EA40, member call: true when the car's slot holds no usable setup.
  static bool isSlotEmpty(void* catalogue, std::int32_t car, std::int32_t slot);
};

// The file name embedded in a host list entry.
inline const char* hostListData(const void* entry) noexcept { return static_cast<const char*>(entry) + 264; }

}  // namespace kvl::host
