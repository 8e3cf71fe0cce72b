#pragma once
// The host's race object (global 0x165FC68): what the plugin reads and drives of it.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostRace {
  static constexpr std::uint32_t kGlobal = 0x165FC68u;
  static void* instance();  // null while there is none

  // Revolutions per minute. (The telemetry packet reads the speed, distances and progress from
  // the object's bytes itself.)
  static float engineSpeed(const void* race) noexcept { return fieldAt<float>(race, 16); }
  static float& value320(void* race) noexcept { return fieldAt<float>(race, 320); }
  static std::int32_t& modeWord(void* race) noexcept { return fieldAt<std::int32_t>(race, 324); }
  static std::int32_t gear(const void* race) noexcept { return fieldAt<std::int32_t>(race, 368); }
  static float value(const void* race, std::uint32_t i) noexcept { return i < 3 ? fieldAt<float>(race, 600 + 4 * i) : 0.0f; }

  // The driving display's integer places: a base pair (x, y) and the lamp offsets x0, x1, y0,
  // y1 of the first position set (base at +724, offsets from +828) or the second (base at the
  // object's start, offsets from +1484).
  static const std::int32_t* displayBase(const void* race, bool secondSet) noexcept {
    return &fieldAt<std::int32_t>(race, secondSet ? 0 : 724);
  }
  static const std::int32_t* lampOffsets(const void* race, bool secondSet) noexcept {
    return &fieldAt<std::int32_t>(race, secondSet ? 1484 : 828);
  }
  // The dashboard link; null while there is none.
  static void* dashboardLink(const void* race) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(race, 1996)));
  }

  static void advance(void* race);                         // host 0x579430
  static std::int32_t isRunning(void* race);               // host 0x572FC0
  static std::int32_t finishStage(void* race);             // host 0x573530
  static void applyValue(void* race, float value);         // host 0x572DA0
};

}  // namespace kvl::host
