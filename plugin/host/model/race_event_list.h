#pragma once
// The host's list of timed race events: n events of 12 bytes (kind, flags, due time). Which of
// them the plugin handles before the host's own per-frame update, on plain bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvl::host {

struct RaceEventFields {
  static constexpr std::size_t kSize = 12;
  static constexpr std::uint32_t kHandled = 0x80000000u;
  static constexpr std::uint32_t kKindInFlags = 0x4000u;

  // The kind: the +0 word, or (flags >> 19) & 0xFFF when flags bit 14 is set.
  static std::uint32_t kind(const std::uint8_t* event) noexcept;
  static std::uint32_t flags(const std::uint8_t* event) noexcept;
  static float dueTime(const std::uint8_t* event) noexcept;
  static void markHandled(std::uint8_t* event) noexcept;
};

// Walking from the last event back, the first one due before now is the pivot (left to the
// host); every earlier event of kind 21 to 24 not yet handled is collected. The indexes come
// back in ascending order.
std::vector<std::int32_t> pendingRaceEvents(const std::uint8_t* events, std::int32_t count, float now);

}  // namespace kvl::host
