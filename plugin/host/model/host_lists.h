#pragma once
// Small shared host bindings: the host's fixed-stride lists, the array of car-state records, the
// host effects object, one call into the host graphics module and the listed-code test.
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_car_state.h"

namespace kvl::host {

struct HostList {
  static constexpr std::uint32_t kEntrySize = 440;
  static void* entry(const void* list, std::int32_t i) noexcept;
  static std::int32_t count(const void* list) noexcept { return fieldAt<std::int32_t>(list, 8); }
};

struct HostCarStateArray {
  // Record i (a signed 16-bit index) at 16 + i x 16048.
  static HostCarState* at(void* array, std::int16_t index) noexcept;
  // Assigns the car state to records 0, 4 and 5 in that order; the last assignment's result.
  static HostCarState* copyInto(void* array, const HostCarState* state);
};

void* hostEffectsSource();  // host global 0x7C36A8

// Spindle3D.DLL 0x60070A10 (member call on the object): the call the track-loading hook makes.
std::int32_t hostGraphicsModuleCall(void* object, void* pointer);

// Replaces the host's test at 0x4D60E0: 0 for one of the 93 listed codes, else 1.
std::uint32_t QZR_CDECL isUnlistedCode(std::uint32_t code) noexcept;

}  // namespace kvl::host
