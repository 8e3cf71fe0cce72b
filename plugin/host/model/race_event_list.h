#pragma once
// The host's list of timed race events: n note entries of 12 bytes (kind, flags, due time). Which
// of them the plugin handles before the host's own per-frame update, and the entries' flag rules,
// on plain bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvl::host {

struct RaceEventFields {
  static constexpr std::size_t kSize = 12;
  static constexpr std::uint32_t kHandled = 0x80000000u;
  static constexpr std::uint32_t kKindInFlags = 0x4000u;
  static constexpr std::uint32_t kKindField = 0xFFFu << 19;  // bits 19..30
  // At most one of these is set: setting one clears the one set before.
  static constexpr std::uint32_t kExclusiveBits = 0x1u | 0x2u | 0x4u | 0x10u | 0x20u | 0x40u | 0x80u | 0x400u |
                                                  0x800u | 0x1000u | 0x2000u;

  // The kind: the 16-bit +0 word, or (flags >> 19) & 0xFFF when flags bit 14 is set.
  static std::uint32_t kind(const std::uint8_t* event) noexcept;
  // Kinds 21 to 24 form group 1, the only group with a nonzero low byte; any other kind's group
  // is the kind with its low byte cleared.
  static std::uint32_t kindGroup(std::uint32_t kind) noexcept;
  static std::uint32_t flags(const std::uint8_t* event) noexcept;
  static float dueTime(const std::uint8_t* event) noexcept;
  static void markHandled(std::uint8_t* event) noexcept;
  // One flag at a time, as the host's timeline code sets and clears them. Setting 0x4000 moves
  // the +0 kind into bits 19..30, clearing it moves it back and clears those bits; an exclusive
  // bit replaces the one set before; any other flag is just that bit.
  static void setFlag(std::uint8_t* event, std::uint32_t flag) noexcept;
  static void clearFlag(std::uint8_t* event, std::uint32_t flag) noexcept;
};

// Walking from the last event back, the first one due before now is the pivot (left to the
// host); every earlier event of kind 21 to 24 not yet handled is collected. The indexes come
// back in ascending order.
std::vector<std::int32_t> pendingRaceEvents(const std::uint8_t* events, std::int32_t count, float now);

}  // namespace kvl::host
