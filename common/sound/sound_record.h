#pragma once
// The 720-byte block the plugin's sound client exchanges with the sound daemon: a command with
// the car's sound state and nine 3D blocks in bytes 0-655 (plugin to daemon), and sixteen
// result words in bytes 656-719 (daemon to plugin). Both sides build from this header.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvl {

enum class SoundCommand : uint32_t {
  None = 0,
  Load = 1,         // load the car's banks and events
  Start = 2,        // start every instance
  StopUnload = 3,   // stop, release, unload
  PauseResume = 4,  // pause or resume by the paused field
  Frame = 5,        // per-frame update
  Quit = 6,
};

// x, y, z and a fourth component that no side reads; y and z are exchanged with respect to
// the host's axes.
struct SoundVector {
  float x;
  float y;
  float z;
  float w;
};

struct SoundBlock3D {
  SoundVector position;
  SoundVector velocity;
  SoundVector forward;
  SoundVector up;
};

// One word per daemon sound event: 1 when the last load set up its instance, else 0.
struct SoundResults {
  int32_t engineInt;
  int32_t engineExt;
  int32_t backfireInt;
  int32_t backfireExt;
  int32_t gearInt;
  int32_t gearExt;
  int32_t ignition;
  int32_t blowoffInt;
  int32_t transmission;
  int32_t blowoffExt;
  int32_t turbo;
  int32_t wind;
  int32_t wheels[4];

  void clear();
  // One line, " engineInt=%d ... wheels[3]=%d\n", at most 999 characters.
  std::string describe() const;
};

enum SoundBlockIndex : int {
  kListenerBlock = 0,
  kExteriorEngineBlock = 1,
  kInteriorEngineBlock = 2,
  kTurboBlock = 3,
  kGearboxBlock = 4,
  kFirstWheelBlock = 5,  // wheels 0 to 3 are blocks 5 to 8
  kSoundBlockCount = 9,
};

struct SoundRecord {
  uint32_t command;
  uint32_t carIndex;
  uint32_t interiorView;
  float throttle;
  float brake;
  int32_t gear;
  uint32_t engineSoundsOff;
  float engineSpeed;
  float valve;
  float boost;
  float exhaustPop;
  float battery;
  float transmissionWheelSpeed;
  float carSpeed;
  float wheelSpeed[4];
  uint32_t paused;
  float volumeFactor;
  SoundBlock3D blocks[kSoundBlockCount];
  SoundResults results;

  SoundRecord();

  static constexpr size_t kSize = 720;
  static constexpr size_t kRequestSize = 656;  // bytes 0-655 travel to the daemon
  static constexpr size_t kResultsOffset = 656;
  static constexpr size_t kResultsSize = 64;   // bytes 656-719 travel back
};

// A block with four zero vectors.
void clearSoundBlock(SoundBlock3D& block);

static_assert(sizeof(SoundVector) == 16, "vector layout");
static_assert(sizeof(SoundBlock3D) == 64, "3D block layout");
static_assert(sizeof(SoundResults) == 64, "results layout");
static_assert(sizeof(SoundRecord) == SoundRecord::kSize, "sound record is 720 bytes");
static_assert(offsetof(SoundRecord, carIndex) == 4, "layout");
static_assert(offsetof(SoundRecord, interiorView) == 8, "layout");
static_assert(offsetof(SoundRecord, throttle) == 12, "layout");
static_assert(offsetof(SoundRecord, brake) == 16, "layout");
static_assert(offsetof(SoundRecord, gear) == 20, "layout");
static_assert(offsetof(SoundRecord, engineSoundsOff) == 24, "layout");
static_assert(offsetof(SoundRecord, engineSpeed) == 28, "layout");
static_assert(offsetof(SoundRecord, valve) == 32, "layout");
static_assert(offsetof(SoundRecord, boost) == 36, "layout");
static_assert(offsetof(SoundRecord, exhaustPop) == 40, "layout");
static_assert(offsetof(SoundRecord, battery) == 44, "layout");
static_assert(offsetof(SoundRecord, transmissionWheelSpeed) == 48, "layout");
static_assert(offsetof(SoundRecord, carSpeed) == 52, "layout");
static_assert(offsetof(SoundRecord, wheelSpeed) == 56, "layout");
static_assert(offsetof(SoundRecord, paused) == 72, "layout");
static_assert(offsetof(SoundRecord, volumeFactor) == 76, "layout");
static_assert(offsetof(SoundRecord, blocks) == 80, "layout");
static_assert(offsetof(SoundRecord, results) == SoundRecord::kResultsOffset, "layout");

}  // namespace kvl
