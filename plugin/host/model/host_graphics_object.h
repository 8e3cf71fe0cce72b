#pragma once
// The host's graphics object class (host table 0x78E7C4, 13 slots), which the plugin builds on
// its own storage for the v-sync subclass.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/host_mirror.h"

namespace kvl::host {

struct HostGraphicsObject : HostMirror {
  static constexpr std::uint32_t kHostTable = 0x78E7C4u;
  static constexpr std::size_t kTableSlots = 13;
  static constexpr std::size_t kWord100 = 100;
  static constexpr std::size_t kWord156 = 156;
  static constexpr std::size_t kSettingsBlock = 172;

  // Initialises the plugin-side base; with the flag set, also the host part.
  static void* construct(void* object, bool hostPart);
  // Host constructor 0x40AE60 on the object; the object then points at the base table copy.
  static void* hostConstruct(void* object);
  // Host destructor 0x40E890.
  static void hostDestroy(void* object);
  // Points the object at the base table copy before it is destroyed.
  static void restoreBaseTable(void* object) noexcept;
  // Slot 4 of the host's own table, on the object.
  static std::int32_t callBaseSlot4(void* object);

  static void* settingsBlock(void* object) noexcept { return addressAt(object, kSettingsBlock); }
  static void* setWord156(void* object, std::int32_t value) noexcept {
    fieldAt<std::int32_t>(object, kWord156) = value;
    return object;
  }
  static void* setWord100(void* object, std::int32_t value) noexcept {
    fieldAt<std::int32_t>(object, kWord100) = value;
    return object;
  }
};

}  // namespace kvl::host
