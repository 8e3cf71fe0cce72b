#pragma once
// Calls on the host's sound objects through their host tables, the host routine the replay runs
// after a seek, and what a sound mirror leaves behind when it is destroyed.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostSoundManager {
  static bool contains(void* manager, void* sound);  // slot +32
};

struct HostSound {
  static bool hasFlag(void* sound, std::uint32_t mask);   // slot +52
  static void setLevel(void* sound, std::int32_t level);  // slot +96
  static void setMode(void* sound, std::int32_t mode);    // slot +88
  static void update(void* sound);                        // slot +84
  static void stop(void* sound);                          // slot +92
};

// Silences one host sound: only a sound the manager owns and whose flag 2 is set gets level 0,
// mode 1 and an update, and a stop when its flag 128 is set as well. Null objects are left alone.
void muteHostSound(void* manager, void* sound);

// Host 0x4DD600, with a value of a host object as `this`; the replay runs it after seeking.
void hostAfterSeek(std::uint32_t value);

struct HostSoundMirror {
  // Runs the object's host destructor (table entry 0, argument 0: the memory stays), then gives
  // the object a copy of host table 0x737784 whose slot 0 does nothing, so a later release by the
  // host finds a harmless destructor.
  static void destroy(void* object);
};

}  // namespace kvl::host
