// The per-frame command: event parameters from the car's state, gear changes shaped by a short
// random "state" value and a fading "fluctuation", exhaust pops, the ignition sound, then the
// pause rules with 3D placement and the Studio update.
#include <cstdlib>

#include "daemons/sound/sound_server.h"

namespace kvl {

namespace {
const float kUpshiftState = 0.6f;
const float kDownshiftState = 0.1f;
const float kStateSpread = 0.4f;
const float kFluctuationStart = 1.0f;
const float kExhaustPopThreshold = 0.9f;
}  // namespace

void SoundServer::stepGearAndFluctuation() {
  const SoundRecord& r = *record_;
  SoundSlot* fluctuating[] = {&slots_[EngineInt], &slots_[EngineExt], &slots_[Transmission]};

  int32_t gear = r.gear;
  float state = 0.0f;
  bool shifted = false;
  if (gear != previousGear_) {
    bool fading = false;
    for (SoundSlot* s : fluctuating) fading = fading || s->fluctuationLevel > 0.0f;
    if (fading) {
      // Held back until the last change has faded out; halving speeds that up.
      gear = previousGear_;
      for (SoundSlot* s : fluctuating) s->fluctuationLevel *= 0.5f;
    } else {
      const int32_t old = previousGear_;
      previousGear_ = gear;
      state = (gear > old ? kUpshiftState : kDownshiftState) +
              static_cast<float>(std::rand() % 100) / 100.0f * kStateSpread;
      shifted = true;
    }
  }
  // Widened first: the record's gear may be any 32-bit value.
  const float gearParameter = static_cast<float>(static_cast<int64_t>(gear) - 1);
  set(GearInt, "gear", gearParameter);
  set(GearExt, "gear", gearParameter);
  set(GearInt, "state", state);
  set(GearExt, "state", state);

  const int64_t now = clock_();
  if (shifted) {
    for (SoundSlot* s : fluctuating) {
      if (s->fluctuationLength > 0.0f) s->fluctuationLevel = kFluctuationStart;
    }
  } else {
    const double dt = static_cast<double>(now - lastFluctuationStep_) / 1000000.0;
    for (SoundSlot* s : fluctuating) {
      if (s->fluctuationLength <= 0.0f) {
        s->fluctuationLevel = 0.0f;
      } else if (s->fluctuationLevel > 0.0f) {
        s->fluctuationLevel = static_cast<float>(s->fluctuationLevel -
                                                 (1.0 / s->fluctuationLength) * dt);
      }
      if (s->fluctuationLevel < 0.0f) s->fluctuationLevel = 0.0f;
    }
  }
  lastFluctuationStep_ = now;
  set(EngineInt, "fluctuation", slots_[EngineInt].fluctuationLevel);
  set(EngineExt, "fluctuation", slots_[EngineExt].fluctuationLevel);
  set(Transmission, "fluctuation", slots_[Transmission].fluctuationLevel);
}

void SoundServer::update() {
  if (!system_) return;
  const SoundRecord& r = *record_;

  set(EngineInt, "rpms", r.engineSpeed);
  set(EngineExt, "rpms", r.engineSpeed);
  set(EngineInt, "throttle", r.throttle);
  set(EngineExt, "throttle", r.throttle);
  set(Turbo, "throttle", r.throttle);
  set(Turbo, "boost", r.boost);
  set(Transmission, "throttle", r.throttle);

  for (int w = 0; w < 4; ++w) {
    const Slot wheel = static_cast<Slot>(Wheel0 + w);
    set(wheel, "wheel_speed", r.wheelSpeed[w]);
    set(wheel, "brake", r.brake);
  }
  set(Transmission, "wheel_speed", r.transmissionWheelSpeed);
  set(Wind, "car_speed", r.carSpeed);

  stepGearAndFluctuation();

  const float pop = r.exhaustPop < kExhaustPopThreshold ? 0.0f : r.exhaustPop;
  set(BackfireInt, "throttle", r.throttle);
  set(BackfireExt, "throttle", r.throttle);
  set(BackfireInt, "exhaustpop", pop);
  set(BackfireExt, "exhaustpop", pop);

  if (r.engineSoundsOff != 0 && r.battery > 0.0f) {
    set(Ignition, "battery", r.battery);
    set(Ignition, "startup", 1.0f);
  } else {
    set(Ignition, "startup", 0.0f);
  }

  set(BlowoffInt, "valve", r.valve);
  set(BlowoffExt, "valve", r.valve);

  setPaused(r.paused != 0);
  FMOD_Studio_System_Update(system_);
}

}  // namespace kvl
