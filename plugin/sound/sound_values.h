#pragma once
// The per-frame conversions of the sound record's values and the host sound levels the sound
// client silences while the daemon plays those sounds. Plain values only: the client reads
// the host objects and passes what it read.
#include <array>
#include <cstdint>

#include "common/sound/sound_record.h"

namespace kvl {

// Engine rotation (rad/s) as revolutions per minute, 0 below 1, capped at 1.02 x revLimit.
float engineSpeedRpm(float rotation, float revLimit);
// |a x b x 3.6| in km/h, 0 below 1 (wheel speed: radius and spin; axle: spin and ratio).
float productSpeedKmh(float a, float b);
// The length of a velocity (m/s) in km/h, 0 below 1.
float velocityKmh(float x, float y, float z);
// min(1, boost / 3).
float boostLevel(float boost);
// The valve value when its flag is set and it is at least 0.1, else 0.
float valveLevel(std::uint32_t flag, float value);

// A host vector as the record stores it: optionally normalised (when its length is above 0),
// then y and z exchanged; the fourth component is 0.
SoundVector soundVector(const float host[3], bool normalise);
// One 3D block from the host's position, velocity, forward and up vectors.
SoundBlock3D soundBlock(const float position[3], const float velocity[3], const float forward[3],
                        const float up[3]);

// The host's 28 sound levels (floats at +67336 of its audio object).
constexpr int kHostLevelCount = 28;
using HostLevels = std::array<float, kHostLevelCount>;

constexpr float kSilentLevel = 0.003f;
constexpr float kSilentLevelAlternate = 0.00303f;
constexpr float kGearSoundLevel = 0.9f;
constexpr float kGearGateOpen = 1.0f;
constexpr float kGearGateClosed = 0.001f;

// The plugin floats the host reads through patched operands.
struct SharedSoundValues {
  float gearSoundGate = kGearGateClosed;
  float gearSoundLevel = kGearSoundLevel;
};

// The host's own sounds the daemon replaces, after its last results: level slots and whether
// the interior gear sound (the shared gear level) is among them.
struct SilencedSounds {
  std::array<int, kHostLevelCount> slots{};
  int count = 0;
  bool gear = false;
};
SilencedSounds silencedSounds(const SoundResults& results);

// Keeps the host levels as the front end first had them, so that entering a stage can put
// them back before silencing. Restores only what was saved.
class SavedHostLevels {
 public:
  bool saved() const { return saved_; }
  void save(const HostLevels& levels) {
    levels_ = levels;
    saved_ = true;
  }
  // Copies the saved levels back; leaves the host's own levels alone when nothing was saved.
  void restoreInto(HostLevels& levels) const {
    if (saved_) levels = levels_;
  }

 private:
  HostLevels levels_{};
  bool saved_ = false;
};

// Entering COUNTDOWN (countdown true), GAME or REPLAY: updates the gear gate and level, then
// silences the collected slots (COUNTDOWN: restore first, then 0.003; GAME and REPLAY: 0.003
// and 0.00303 by turns).
void silenceHostLevels(const SoundResults& results, bool countdown, const SavedHostLevels& saved,
                       HostLevels& levels, SharedSoundValues& shared);
// Puts back every level the daemon's sounds had silenced and opens the host's gear sound again.
void restoreHostLevels(const SavedHostLevels& saved, HostLevels& levels, SharedSoundValues& shared);

}  // namespace kvl
