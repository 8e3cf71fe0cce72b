#pragma once
// The two items of the rally event's service screen, mirrors of host menu objects: the service
// key decides what pressing the key does, the countdown runs the service time down, ends the
// visit when it runs out and hands the overtime to the event.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::gui {

constexpr std::int32_t kServiceKeyEvent = 0x40000020;
constexpr std::int32_t kServicePassEvent = 0x40000027;
// Host messages: the visit is over, the part list is empty, the time is up.
constexpr std::int32_t kServiceDoneMessage = 24;
constexpr std::int32_t kServiceEmptyMessage = 38;
constexpr std::int32_t kServiceTimeUpMessage = 39;

// The host's service panel (204 bytes) with slot 1 replaced.
struct ServiceKeyItem {
  static constexpr std::uint32_t kHostTable = 0x74C8BCu;
  static constexpr std::size_t kSize = 204;
  // The host panel constructor with the value, then the item's table.
  static void* construct(void* item, std::int32_t value);
  // Slot 1: the service key and the events the panel passes on.
  static std::int32_t QZR_THISCALL onInput(void* item, std::int32_t event, std::int32_t value) noexcept;
  static const void* table();
};

// The host's service timer (16 bytes: table, delay, fired flag, overtime value) with slot 2
// replaced.
struct ServiceCountdownItem {
  static constexpr std::uint32_t kHostTable = 0x74C83Cu;
  static constexpr std::size_t kSize = 16;
  static constexpr std::size_t kDelayOffset = 4;
  static constexpr std::size_t kFiredOffset = 8;
  static constexpr std::size_t kOvertimeOffset = 12;
  static void* construct(void* item);
  // Slot 2, once per frame with the frame time.
  static void QZR_THISCALL update(void* item, float frameSeconds) noexcept;
  static const void* table();
};

// Message box callbacks: with the answer 0 the visit ends with its overtime and the screen closes;
// after the end-of-service message the screen closes.
void QZR_CDECL onServiceConfirm(std::int32_t answer) noexcept;
void QZR_CDECL onServiceDone(std::int32_t answer) noexcept;

}  // namespace kvl::gui
