#include "plugin/sound/sound_values.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(SoundValues, PerFrameConversions) {
  // Standing still and slower than 1 rpm or 1 km/h: exactly 0.
  EXPECT_EQ(engineSpeedRpm(0.1f, 7000.0f), 0.0f);
  EXPECT_EQ(productSpeedKmh(0.2f, 1.0f), 0.0f);
  EXPECT_EQ(velocityKmh(0.1f, 0.1f, 0.0f), 0.0f);
  // 100 rad/s is about 955 rpm; above the limit the speed stops at 1.02 x the limit.
  EXPECT_NEAR(engineSpeedRpm(100.0f, 7000.0f), 954.93f, 0.05f);
  EXPECT_FLOAT_EQ(engineSpeedRpm(1000.0f, 7000.0f), 7140.0f);
  // Wheel speed is a magnitude; the car speed is the velocity's length.
  EXPECT_FLOAT_EQ(productSpeedKmh(-0.3f, 50.0f), 54.0f);
  EXPECT_FLOAT_EQ(velocityKmh(3.0f, 0.0f, 4.0f), 18.0f);
  EXPECT_FLOAT_EQ(boostLevel(4.5f), 1.0f);
  EXPECT_FLOAT_EQ(boostLevel(1.5f), 0.5f);
  EXPECT_EQ(valveLevel(0, 5.0f), 0.0f);
  EXPECT_EQ(valveLevel(1, 0.05f), 0.0f);
  EXPECT_FLOAT_EQ(valveLevel(1, 0.5f), 0.5f);
}

TEST(SoundValues, BlockSwapsYAndZAndNormalisesDirections) {
  const float position[3] = {1, 2, 3}, velocity[3] = {4, 5, 6}, forward[3] = {0, 0, 2}, up[3] = {0, 0, 0};
  const SoundBlock3D b = soundBlock(position, velocity, forward, up);
  EXPECT_EQ(b.position.x, 1.0f);
  EXPECT_EQ(b.position.y, 3.0f);
  EXPECT_EQ(b.position.z, 2.0f);
  EXPECT_EQ(b.velocity.y, 6.0f);
  EXPECT_EQ(b.forward.y, 1.0f);  // (0, 0, 2) normalised, z moved to y
  EXPECT_EQ(b.forward.z, 0.0f);
  EXPECT_EQ(b.up.x, 0.0f);  // a zero direction stays zero
  EXPECT_EQ(b.position.w, 0.0f);
}

SoundResults results(std::initializer_list<int SoundResults::*> on) {
  SoundResults r{};
  for (auto member : on) r.*member = 1;
  return r;
}

TEST(SoundValues, SilencedSlotsFollowTheResults) {
  struct Case {
    SoundResults results;
    std::vector<int> slots;
    bool gear;
  } cases[] = {
      {results({}), {}, false},
      {results({&SoundResults::engineInt}), {0, 13}, false},
      {results({&SoundResults::transmission, &SoundResults::turbo}), {1, 2, 3}, false},
      {results({&SoundResults::backfireInt, &SoundResults::backfireExt, &SoundResults::ignition}), {15, 16, 17, 18}, false},
      {results({&SoundResults::blowoffInt, &SoundResults::wind, &SoundResults::gearInt}), {4, 12}, true},
      {results({&SoundResults::engineExt, &SoundResults::gearExt, &SoundResults::blowoffExt}), {}, false},
  };
  for (const Case& c : cases) {
    const SilencedSounds s = silencedSounds(c.results);
    EXPECT_EQ(std::vector<int>(s.slots.begin(), s.slots.begin() + s.count), c.slots);
    EXPECT_EQ(s.gear, c.gear);
  }
}

TEST(SoundValues, EnteringStagesSilencesByTurnsAndRestoresOnlyWhatWasSaved) {
  HostLevels levels{};
  levels.fill(0.8f);
  SharedSoundValues shared;
  SavedHostLevels saved;
  const SoundResults r = results({&SoundResults::engineInt, &SoundResults::gearInt});

  // COUNTDOWN before any save: the host's own levels stay, the silenced ones get 0.003.
  silenceHostLevels(r, true, saved, levels, shared);
  EXPECT_EQ(levels[0], kSilentLevel);
  EXPECT_EQ(levels[1], 0.8f);
  EXPECT_EQ(shared.gearSoundLevel, kSilentLevel);
  EXPECT_EQ(shared.gearSoundGate, kGearGateOpen);

  // Two GAME entries: 0.00303, then 0.003.
  silenceHostLevels(r, false, saved, levels, shared);
  EXPECT_EQ(levels[13], kSilentLevelAlternate);
  silenceHostLevels(r, false, saved, levels, shared);
  EXPECT_EQ(levels[13], kSilentLevel);

  // A saved front end comes back on COUNTDOWN, and all of it when the daemon is lost.
  HostLevels front{};
  front.fill(0.5f);
  saved.save(front);
  silenceHostLevels(r, true, saved, levels, shared);
  EXPECT_EQ(levels[1], 0.5f);
  EXPECT_EQ(levels[0], kSilentLevel);
  restoreHostLevels(saved, levels, shared);
  EXPECT_EQ(levels, front);
  EXPECT_EQ(shared.gearSoundLevel, kGearSoundLevel);
  EXPECT_EQ(shared.gearSoundGate, kGearGateClosed);

  // Without the gear sound the host's gear level is full again.
  shared.gearSoundLevel = kSilentLevel;
  silenceHostLevels(SoundResults{}, false, saved, levels, shared);
  EXPECT_EQ(shared.gearSoundLevel, kGearSoundLevel);
  EXPECT_EQ(shared.gearSoundGate, kGearGateClosed);
}

}  // namespace
}  // namespace kvl
