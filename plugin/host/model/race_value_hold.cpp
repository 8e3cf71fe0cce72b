#include "plugin/host/model/race_value_hold.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_race.h"

namespace kvl::host {

void QZR_THISCALL raceValueHoldHook(void* race, float value) noexcept {
  try {
    const auto update = hostFunction<0x573D90, void(QZR_THISCALL*)(void*, float)>();
    if (race == nullptr) {
      update(race, value);
      return;
    }
    const std::int32_t state = HostGame::gameState();
    const float kept = HostRace::value320(race);
    update(race, value);
    if (state == static_cast<std::int32_t>(HostGameState::game) && HostGameModes::mode() != HostGameModes::kRallySchool) {
      HostRace::value320(race) = kept;
    }
  } catch (...) {
  }
}

}  // namespace kvl::host
