#pragma once
// The host's replay object (pointer in host global 0x893634), read afresh on every access.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

class HostReplay {
 public:
  static constexpr std::uint32_t kGlobal = 0x893634u;
  static constexpr std::uint32_t kTickCountOffset = 1620076;
  static constexpr std::uint32_t kClockOffset = 1620224;

  // Null while the host has none.
  static void* instance();
  static float speed(const void* replay) noexcept { return fieldAt<float>(replay, 4); }
  static void* setSpeed(void* replay, float speed) noexcept {
    fieldAt<float>(replay, 4) = speed;
    return replay;
  }
  static std::int32_t mode(const void* replay) noexcept { return fieldAt<std::int32_t>(replay, 16); }
  static std::uint32_t tickCount(const void* replay) noexcept { return fieldAt<std::uint32_t>(replay, kTickCountOffset); }
  static void* setTickCount(void* replay, std::uint32_t count) noexcept {
    fieldAt<std::uint32_t>(replay, kTickCountOffset) = count;
    return replay;
  }
  static void* clock(void* replay) noexcept { return addressAt(replay, kClockOffset); }
};

struct HostReplayClock {
  // The clock embeds a host listener node whose next, prev and list words are at +204, +208 and
  // +212: unlinks it from its list.
  static void detach(void* clock) noexcept;
};

}  // namespace kvl::host
