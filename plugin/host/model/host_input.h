#pragma once
// The host's input manager (global 0x895320) with its controller record, the input target's
// lock word and input update, and the host input device (global 0x8951D0).
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostInput {
  // Null while the host has none.
  static void* instance();
  static void* controller(const void* input) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(input, 4)));
  }
};

struct HostInputTarget {
  static bool locked(const void* target) noexcept { return fieldAt<std::int32_t>(target, 588) != 0; }
  // Hands the seconds to the host input update (0x4CBF50) unless the target is locked.
  static void setValue(void* target, float seconds);
  // One force-feedback tick: while the host is active and the target unlocked, sends the
  // steering force (gain +32 times the input worker's steering value, or 0 while the host's
  // control flag 11 is clear) to the force-feedback device of the target's first input item.
  static void tick(void* target);
  static std::int32_t gain(const void* target) noexcept { return fieldAt<std::int32_t>(target, 32); }
};

// A host input device: its first word is the force-feedback object that receives the force.
struct HostInputDevice {
  static void* output(const void* device) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(device, 0)));
  }
  // Host 0x4C6F70, member call: nonzero while the device takes a force.
  static bool isReady(void* device);
};

// The host's input device object; null while there is none.
void* hostInputDevice();
// Host 0x4C5F90, member call on the device: its controller value.
float hostControllerValue(void* device);

// Host 0x487840, member call: the poll that the input update makes.
void hostInputPoll(void* object, std::int32_t value);

}  // namespace kvl::host
