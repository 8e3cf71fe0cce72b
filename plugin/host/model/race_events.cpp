#include "plugin/host/model/race_events.h"

#include <cstring>
#include <cstdlib>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/events/host_listener.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_object_bindings.h"
#include "plugin/host/model/race_event_list.h"

namespace kvl::host {
namespace {

constexpr std::int32_t kCountdown = 10;

HostWord wordOf(const void* p) noexcept { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }
void* pointerAt(const void* object, std::size_t offset) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}

float raceEventValue(void* event) { return hostFunction<0x476BF0, float(QZR_THISCALL*)(void*)>()(event); }

void publishRaceEvent(std::uint8_t* event, float now) {
  RaceEventRecord record;
  record.time = now;
  record.raceEvent = wordOf(event);
  record.value = raceEventValue(event);
  if (HostEventHub* hub = HostEventHub::instance()) hub->raceEvent()->raise(&record);
}

void publishRaceValues(void* race) {
  RaceValuesEvent record;
  record.flag = 0;
  record.setFirstValue(HostRace::value320(race));
  for (std::uint32_t i = 0; i < 3; ++i) record.setValue(HostRace::value(race, i), i);
  if (HostEventHub* hub = HostEventHub::instance()) hub->raceValues()->raise(&record);
}

// In rally school: slot 40 of the application's path object with 1, then the host's event pair
// call on the int at 0x7C2CA0 with 0.
void rallySchoolCalls() {
  if (void* application = hostGlobal<0x7EA990, void*>()) {
    if (void* paths = pointerAt(application, 64)) HostObject::callSlot40(paths, 1);
  }
  hostCallEventPair(hostEventGlobal(), 0);
}

// The default settings record: the host's layout with nine unlinked listener nodes. Its last
// known word ends the node at +1280 (six words, to +1304); the record is that, rounded up to the
// 16 bytes it is aligned to, and every word past the nodes stays 0.
constexpr std::size_t kSettingsRecordSize = 1312;
constexpr std::size_t kSubRecordOffset = 1000;
constexpr std::size_t kSubRecordSize = 96;

void QZR_THISCALL idleNodeDestroy(HostListenerNode*, std::uint32_t) noexcept {}
void QZR_THISCALL idleNodeInvoke(HostListenerNode*, const void*) noexcept {}
const HostListenerNodeTable kIdleNodeTable = {idleNodeDestroy, idleNodeInvoke};

struct DefaultSettingsRecord {
  alignas(16) std::uint8_t record[kSettingsRecordSize] = {};
  alignas(16) std::uint8_t subRecord[kSubRecordSize] = {};

  static constexpr std::size_t nodeOffset(int k) noexcept { return k < 8 ? 12 + 24 * static_cast<std::size_t>(k) : 1280; }

  DefaultSettingsRecord() noexcept {
    fieldAt<std::int32_t>(record, 0) = 3;
    fieldAt<std::int32_t>(record, 4) = 3;
    fieldAt<std::int32_t>(record, 1004) = 3;
    for (int k = 0; k < 9; ++k) fieldAt<HostWord>(record, nodeOffset(k)) = wordOf(&kIdleNodeTable);
    fieldAt<float>(subRecord, 8) = 1.0f;
    fieldAt<float>(subRecord, 20) = 1.0f;
    fieldAt<HostWord>(record, kSubRecordOffset) = wordOf(subRecord);
  }
  ~DefaultSettingsRecord() {
    // A node the host linked meanwhile leaves its list with the record.
    for (int k = 0; k < 9; ++k) unlinkListener(*reinterpret_cast<HostListenerNode*>(record + nodeOffset(k)));
  }
};

}  // namespace

void HostRaceEventList::update(void* list, float now) {
  hostFunction<0x4783B0, void(QZR_THISCALL*)(void*, float)>()(list, now);
}

void handleRaceEvent(std::uint8_t* event, float now) {
  if (event == nullptr) return;
  RaceEventFields::markHandled(event);
  void* race = HostRace::instance();
  void* modes = HostGameModes::instance();
  const bool rallySchool = HostGameModes::mode() == HostGameModes::kRallySchool;
  switch (RaceEventFields::kind(event)) {
    case 21:
      if (race != nullptr) {
        if (rallySchool) {
          HostRace::modeWord(race) = 0;
        } else if (HostRace::isRunning(race) != 0 && HostGame::gameState() != kCountdown) {
          HostRace::advance(race);
        }
      }
      if (rallySchool) rallySchoolCalls();
      break;
    case 22:
      publishRaceEvent(event, now);
      if (modes != nullptr && HostGameModes::eventFlag(modes) != 0) {
        if (race != nullptr) {
          HostRace::modeWord(race) = 1;
          HostRace::finishStage(race);
        }
        break;
      }
      if (race != nullptr) publishRaceValues(race);
      break;
    case 23:
      if (race != nullptr) HostRace::applyValue(race, HostRace::value320(race));
      publishRaceEvent(event, now);
      break;
    case 24:
      publishRaceEvent(event, now);
      if (race != nullptr) publishRaceValues(race);
      break;
    default:
      break;
  }
}

void QZR_THISCALL raceEventCatchUpHook(void* list, float now) noexcept {
  try {
    const auto count = fieldAt<std::int32_t>(list, 32);
    auto* events = static_cast<std::uint8_t*>(pointerAt(list, 36));
    if (events != nullptr) {
      for (std::int32_t i : pendingRaceEvents(events, count, now)) {
        handleRaceEvent(events + RaceEventFields::kSize * static_cast<std::size_t>(i), now);
      }
    }
  } catch (...) {
  }
  try {
    HostRaceEventList::update(list, now);
  } catch (...) {
  }
}

void* defaultSettingsRecord() {
  static DefaultSettingsRecord defaults;
  return defaults.record;
}

void* QZR_THISCALL settingsRecordHook(void* object) noexcept {
  void* record = addressAt(object, 112);
  if (fieldAt<HostWord>(record, kSubRecordOffset) != 0) return record;
  return defaultSettingsRecord();
}

std::uint8_t QZR_THISCALL hostThresholdHook(void* object) noexcept {
  try {
    return hostFunction<0x4C2610, float(QZR_THISCALL*)(void*, std::int32_t)>()(object, 12) > 0.99f ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::host
