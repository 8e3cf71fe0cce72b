#pragma once
// The hooks around the host's timed race events and its settings record, and the host race
// object they drive.
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_race.h"

namespace kvl::host {

struct HostRaceEventList {
  static void update(void* list, float now);  // host 0x4783B0
};

// Replaces the host's call of its per-frame event update (0x478981): handles the pending events
// of kinds 21 to 24 in index order, then runs the host's update.
void QZR_THISCALL raceEventCatchUpHook(void* list, float now) noexcept;
void handleRaceEvent(std::uint8_t* event, float now);

// Replaces the host's calls of its settings-record accessor (0x4B6628, 0x4D57DE, 0x4D585A): the
// record embedded at +112, or the plugin's default record when its sub-record word is null.
void* QZR_THISCALL settingsRecordHook(void* object) noexcept;
// The plugin's default settings record, built on first use.
void* defaultSettingsRecord();

// Replaces the call at 0x4CC3E6: true when host 0x4C2610 (object, 12) is above 0.99.
std::uint8_t QZR_THISCALL hostThresholdHook(void* object) noexcept;

}  // namespace kvl::host
