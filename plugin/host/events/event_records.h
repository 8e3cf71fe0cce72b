#pragma once
// Records that travel through the host's event sources (host layout).
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// The host's game states.
enum class HostGameState : std::int32_t {
  init = 0,
  game = 1,
  pause = 2,
  menu = 3,
  demo = 4,
  loading = 5,
  initFrontEnd = 6,
  pcDev = 7,
  replay = 8,
  endRace = 9,
  countdown = 10,
  exit = 11,
  loadingFrontend = 12,
  initializeTrack = 13,
  loadingCutscene = 14,
  cutscene = 15,
  done = 16,
};

struct GameStateEvent {
  std::int32_t state = 0;
};
static_assert(sizeof(GameStateEvent) == 4, "game-state record");

struct CarChangeEvent {
  std::int32_t value = -1;  // -1: no car
};
static_assert(sizeof(CarChangeEvent) == 4, "car-change record");

struct EngineFailureEvent {
  float value = 1.0f;
};
static_assert(sizeof(EngineFailureEvent) == 4, "engine-failure record");

struct MenuCursorEvent {
  std::int32_t move = 0;  // 1 after a decrement, 2 after an increment
};
static_assert(sizeof(MenuCursorEvent) == 4, "menu-cursor record");

struct RaceEventRecord {
  float time = 0.0f;
  HostWord raceEvent = 0;  // the host race event
  float value = 0.0f;
};
static_assert(sizeof(RaceEventRecord) == 12, "race-event record");

struct RaceValuesEvent {
  float first = 0.0f;
  float values[3] = {0.0f, 0.0f, 0.0f};
  std::int32_t flag = 0;

  void setFirstValue(float v) noexcept { first = v; }
  void setValue(float v, std::uint32_t i) noexcept {
    if (i < 3) values[i] = v;
  }
  void setFlag(std::int32_t f) noexcept { flag = f; }
};
static_assert(sizeof(RaceValuesEvent) == 20, "race-values record");

struct InputEventRecord {
  std::uint8_t controls[16] = {};
  float value = 0.0f;
  std::uint32_t flags = 0;
  std::int32_t gear = 0;
  std::int32_t extra = 0;
};
static_assert(sizeof(InputEventRecord) == 32, "input record");

struct ReplayFrameEvent {
  HostWord controlRecord = 0;  // the 9-byte control record of the run being played
};
static_assert(sizeof(ReplayFrameEvent) == 4, "replay-frame record");

struct EngineEvent {
  float rotation = 0.0f;  // rad/s
  float throttle = 0.0f;
  float reserved8 = 0.0f;
  float boost = 0.0f;
  float exhaustPop = 0.0f;
  std::uint8_t rest[28] = {};
};
static_assert(sizeof(EngineEvent) == 48, "engine record");
static_assert(offsetof(EngineEvent, boost) == 12 && offsetof(EngineEvent, exhaustPop) == 16,
              "engine record fields");

// The host's raw input record; only the fields the plugin reads are named.
struct RawInputRecord {
  std::uint32_t flags;        // +0
  std::int32_t value4;        // +4
  std::uint8_t unused8[12];   // +8
  float value;                // +20
  std::uint8_t controls[16];  // +24 .. +39
  std::uint8_t gearPlusOne;   // +40: gear + 1, 0 = none
};
static_assert(offsetof(RawInputRecord, value) == 20 && offsetof(RawInputRecord, controls) == 24 &&
                  offsetof(RawInputRecord, gearPlusOne) == 40,
              "raw input fields");

// Records the plugin builds or copies whole.
struct CarTickRecord {
  std::uint8_t bytes[224];
};
struct SuspensionEvent {
  std::uint8_t bytes[88];
};
struct SuspensionEvent2 {
  std::uint8_t bytes[176];
};

}  // namespace kvl::host
