#include "plugin/sound/sound_values.h"

#include <algorithm>
#include <cmath>

namespace kvl {
namespace {

constexpr float kRadPerSecondPerRpm = 0.10471976f;
constexpr float kKmhPerMs = 3.6f;
constexpr float kRevLimitHeadroom = 1.02f;

float cutBelowOne(float v) { return v < 1.0f ? 0.0f : v; }

}  // namespace

float engineSpeedRpm(float rotation, float revLimit) {
  const float rpm = cutBelowOne(rotation / kRadPerSecondPerRpm);
  return std::min(rpm, kRevLimitHeadroom * revLimit);
}

float productSpeedKmh(float a, float b) { return cutBelowOne(std::fabs(a * b * kKmhPerMs)); }

float velocityKmh(float x, float y, float z) { return cutBelowOne(std::sqrt(x * x + y * y + z * z) * kKmhPerMs); }

float boostLevel(float boost) { return std::min(1.0f, boost / 3.0f); }

float valveLevel(std::uint32_t flag, float value) { return flag != 0 && value >= 0.1f ? value : 0.0f; }

SoundVector soundVector(const float host[3], bool normalise) {
  float x = host[0], y = host[1], z = host[2];
  if (normalise) {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0f) {
      x /= length;
      y /= length;
      z /= length;
    }
  }
  return SoundVector{x, z, y, 0.0f};
}

SoundBlock3D soundBlock(const float position[3], const float velocity[3], const float forward[3],
                        const float up[3]) {
  return SoundBlock3D{soundVector(position, false), soundVector(velocity, false), soundVector(forward, true),
                      soundVector(up, true)};
}

SilencedSounds silencedSounds(const SoundResults& r) {
  SilencedSounds s;
  auto add = [&s](std::initializer_list<int> slots) {
    for (int slot : slots) s.slots[s.count++] = slot;
  };
  if (r.engineInt != 0) add({0, 13});
  if (r.transmission != 0) add({1, 2});
  if (r.turbo != 0) add({3});
  if (r.blowoffInt != 0) add({4});
  if (r.wind != 0) add({12});
  if (r.backfireInt != 0) add({15, 16});
  if (r.backfireExt != 0) add({17});
  if (r.ignition != 0) add({18});
  s.gear = r.gearInt != 0;
  return s;
}

void silenceHostLevels(const SoundResults& results, bool countdown, const SavedHostLevels& saved,
                       HostLevels& levels, SharedSoundValues& shared) {
  const SilencedSounds s = silencedSounds(results);
  if (s.gear) {
    shared.gearSoundGate = kGearGateOpen;
  } else {
    shared.gearSoundLevel = kGearSoundLevel;
    shared.gearSoundGate = kGearGateClosed;
  }
  auto silence = [countdown](float& level) {
    if (countdown) {
      level = kSilentLevel;
    } else {
      level = level == kSilentLevel ? kSilentLevelAlternate : kSilentLevel;
    }
  };
  if (countdown) saved.restoreInto(levels);
  for (int i = 0; i < s.count; ++i) silence(levels[static_cast<size_t>(s.slots[i])]);
  if (s.gear) silence(shared.gearSoundLevel);
}

void restoreHostLevels(const SavedHostLevels& saved, HostLevels& levels, SharedSoundValues& shared) {
  saved.restoreInto(levels);
  shared.gearSoundLevel = kGearSoundLevel;
  shared.gearSoundGate = kGearGateClosed;
}

}  // namespace kvl
