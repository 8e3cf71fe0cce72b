#pragma once
// Small call-throughs and virtual call-throughs of the host model: the host file system and the
// stage animation-data loader (the default menu-slot handling is with the menu pages).
#include <cstddef>
#include <cstdint>

#include "plugin/host/model/host_menus.h"

namespace kvl::host {

// The host's file-system object; every call goes through the object's current table.
struct HostFileSystem {
  static constexpr std::size_t kFileExistsSlot = 88;
  static constexpr std::size_t kFileSizeSlot = 8;
  static constexpr std::size_t kReadFileSlot = 20;
  // Nonzero when the host finds the file described by the name record.
  static std::uint32_t fileExists(void* fileSystem, const void* nameRecord);
  static std::uint32_t fileSize(void* fileSystem, const char* name);
  static int readFile(void* fileSystem, const char* name, void* buffer, int size);
};

struct HostTrackLoader {
  // Host 0x479020, member call: loads the stage's animation data.
  static void loadAnimData(void* loader, void* data);
};

}  // namespace kvl::host
