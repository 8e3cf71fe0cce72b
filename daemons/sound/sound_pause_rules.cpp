// Which sounds play: interior or exterior view, engine sounds off, everything paused; and the
// placement of the listener and the events in 3D while they play.
#include "daemons/sound/sound_server.h"

namespace kvl {

void SoundServer::setPaused(bool pauseAll) {
  const bool interior = record_->interiorView != 0;
  const bool all = pauseAll;
  const bool engineOff = record_->engineSoundsOff != 0 || all;

  struct Rule {
    Slot slot;
    bool paused;
  };
  const Rule rules[] = {
      {GearInt, !interior || all},       {GearExt, interior || all},
      {Transmission, all},               {Ignition, all},
      {Wheel0, all},                     {Wheel1, all},
      {Wheel2, all},                     {Wheel3, all},
      {Wind, !interior || all},          {EngineInt, !interior || engineOff},
      {EngineExt, interior || engineOff}, {Turbo, engineOff},
      {BlowoffInt, !interior || engineOff}, {BlowoffExt, interior || engineOff},
      {BackfireInt, !interior || engineOff}, {BackfireExt, interior || engineOff},
  };
  for (const Rule& rule : rules) {
    SoundSlot& s = slots_[rule.slot];
    if (!s.instance) continue;
    FMOD_BOOL current = 0;
    if (FMOD_Studio_EventInstance_GetPaused(s.instance, &current) != FMOD_OK) continue;
    if ((current != 0) != rule.paused) {
      if (FMOD_Studio_EventInstance_SetPaused(s.instance, rule.paused ? 1 : 0) == FMOD_OK) {
        s.paused = rule.paused ? 1 : 0;
      }
    } else {
      s.paused = rule.paused ? 1 : 0;
    }
  }
  if (!engineOff) apply3DAttributes();
}

namespace {
FMOD_VECTOR toVector(const SoundVector& v) { return FMOD_VECTOR{v.x, v.y, v.z}; }

FMOD_3D_ATTRIBUTES toAttributes(const SoundBlock3D& block) {
  FMOD_3D_ATTRIBUTES a;
  a.position = toVector(block.position);
  a.velocity = toVector(block.velocity);
  a.forward = toVector(block.forward);
  a.up = toVector(block.up);
  return a;
}
}  // namespace

void SoundServer::apply3DAttributes() {
  if (!mainBank_) return;
  const SoundRecord& r = *record_;
  auto place = [this](Slot which, FMOD_3D_ATTRIBUTES attributes) {
    const SoundSlot& s = slots_[which];
    if (s.instance && !s.paused) FMOD_Studio_EventInstance_Set3DAttributes(s.instance, &attributes);
  };

  const FMOD_3D_ATTRIBUTES listener = toAttributes(r.blocks[kListenerBlock]);
  if (system_) FMOD_Studio_System_SetListenerAttributes(system_, 0, &listener, nullptr);
  place(Wind, listener);

  const FMOD_3D_ATTRIBUTES exterior = toAttributes(r.blocks[kExteriorEngineBlock]);
  place(EngineExt, exterior);
  place(BackfireExt, exterior);

  const FMOD_3D_ATTRIBUTES interior = toAttributes(r.blocks[kInteriorEngineBlock]);
  place(EngineInt, interior);
  place(BackfireInt, interior);
  place(Ignition, interior);

  const FMOD_3D_ATTRIBUTES turbo = toAttributes(r.blocks[kTurboBlock]);
  place(Turbo, turbo);
  place(BlowoffInt, turbo);
  place(BlowoffExt, turbo);

  const FMOD_3D_ATTRIBUTES gearbox = toAttributes(r.blocks[kGearboxBlock]);
  place(GearInt, gearbox);
  place(GearExt, gearbox);
  place(Transmission, gearbox);

  for (int w = 0; w < 4; ++w) {
    place(static_cast<Slot>(Wheel0 + w), toAttributes(r.blocks[kFirstWheelBlock + w]));
  }
}

}  // namespace kvl
