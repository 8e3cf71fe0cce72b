#include "daemons/sound/sound_server.h"

#include <algorithm>
#include <cstring>

#include "daemons/sound/microsecond_clock.h"
#include "daemons/sound/sound_settings.h"

namespace kvl {

SoundServer::SoundServer(uintptr_t processHandle, std::shared_ptr<InheritedChannel> channel)
    : channel_(std::move(channel)),
      record_(new SoundRecord()),
      processHandle_(processHandle),
      clock_(performanceMicroseconds) {}

SoundServer::~SoundServer() {
  record_.reset();
  channel_.reset();
  for (auto& s : slots_) s.path.clear();
}

void SoundServer::initFmod() {
  FMOD_STUDIO_SYSTEM* created = nullptr;
  const FMOD_RESULT createResult = FMOD_Studio_System_Create(&created, FMOD_VERSION);
  system_ = created;
  if (!system_) return;
  auto fail = [this] {
    FMOD_Studio_System_Release(system_);
    system_ = nullptr;
  };
  if (createResult != FMOD_OK) return fail();

  const bool liveUpdate = readEnableLiveUpdate();
  const unsigned profilePort = readProfilePort();

  FMOD_ADVANCEDSETTINGS settings;
  std::memset(&settings, 0, sizeof(settings));
  settings.cbSize = 104;
  settings.vol0virtualvol = 0.001f;
  settings.profilePort = static_cast<unsigned short>(profilePort & 0xFFFFu);

  FMOD_SYSTEM* core = nullptr;
  if (FMOD_Studio_System_GetCoreSystem(system_, &core) != FMOD_OK) return fail();
  if (core && FMOD_System_SetAdvancedSettings(core, &settings) != FMOD_OK) return fail();

  const FMOD_STUDIO_INITFLAGS studioFlags =
      liveUpdate ? FMOD_STUDIO_INIT_LIVEUPDATE : FMOD_STUDIO_INIT_NORMAL;
  if (FMOD_Studio_System_Initialize(system_, 256, studioFlags, FMOD_INIT_VOL0_BECOMES_VIRTUAL,
                                    nullptr) != FMOD_OK) {
    return fail();
  }
}

void SoundServer::releaseFmod() {
  if (!system_) return;
  FMOD_Studio_System_Release(system_);
  system_ = nullptr;
}

void SoundServer::loadBank(const std::string& fileName, FMOD_STUDIO_BANK*& bank) {
  if (!system_) return;
  FMOD_STUDIO_BANK* loaded = nullptr;
  // A bank that fails to load stays none; its events are then not found.
  if (FMOD_Studio_System_LoadBankFile(system_, bankFilePath(fileName).c_str(),
                                      FMOD_STUDIO_LOAD_BANK_NORMAL, &loaded) == FMOD_OK) {
    bank = loaded;
  }
}

void SoundServer::createEvent(const char* path, SoundSlot& slot, int32_t& result) {
  if (!system_) return;
  slot.path = path;
  result = 0;
  FMOD_STUDIO_EVENTDESCRIPTION* description = nullptr;
  if (FMOD_Studio_System_GetEvent(system_, path, &description) != FMOD_OK || !description) {
    slot.description = nullptr;
    return;
  }
  slot.description = description;

  // The length may be stored as a float or an integer property; any other type means none.
  FMOD_STUDIO_USER_PROPERTY property;
  std::memset(&property, 0, sizeof(property));
  slot.fluctuationLength = 0.0f;
  if (FMOD_Studio_EventDescription_GetUserProperty(description, "fluctuation_length",
                                                   &property) == FMOD_OK) {
    if (property.type == FMOD_STUDIO_USER_PROPERTY_TYPE_FLOAT) {
      slot.fluctuationLength = property.floatvalue;
    } else if (property.type == FMOD_STUDIO_USER_PROPERTY_TYPE_INTEGER) {
      slot.fluctuationLength = static_cast<float>(property.intvalue);
    }
  }

  if (FMOD_Studio_EventDescription_LoadSampleData(description) != FMOD_OK) return;

  FMOD_STUDIO_EVENTINSTANCE* instance = nullptr;
  const FMOD_RESULT created = FMOD_Studio_EventDescription_CreateInstance(description, &instance);
  if (created != FMOD_OK) instance = nullptr;
  slot.instance = instance;
  // Only an instance that exists replaces the host's own sound.
  result = instance ? 1 : 0;
}

void SoundServer::loadCar() {
  // A load always starts from nothing: instances and banks of an earlier load are released.
  stopAll();
  const unsigned car = record_->carIndex;
  const std::string bankName = readBankName(car);
  if (bankName.empty()) return;

  loadBank(bankName + ".bank", mainBank_);
  loadBank(bankName + ".strings.bank", stringsBank_);

  SoundResults& r = record_->results;
  createEvent("event:/engine_int", slots_[EngineInt], r.engineInt);
  createEvent("event:/engine_ext", slots_[EngineExt], r.engineExt);
  createEvent("event:/turbo", slots_[Turbo], r.turbo);
  createEvent("event:/wind", slots_[Wind], r.wind);
  createEvent("event:/blowoff_int", slots_[BlowoffInt], r.blowoffInt);
  createEvent("event:/blowoff_ext", slots_[BlowoffExt], r.blowoffExt);
  createEvent("event:/ignition", slots_[Ignition], r.ignition);
  createEvent("event:/backfire_int", slots_[BackfireInt], r.backfireInt);
  createEvent("event:/backfire_ext", slots_[BackfireExt], r.backfireExt);
  createEvent("event:/gear_int", slots_[GearInt], r.gearInt);
  createEvent("event:/gear_ext", slots_[GearExt], r.gearExt);
  createEvent("event:/transmission", slots_[Transmission], r.transmission);
  for (int w = 0; w < 4; ++w) createEvent("event:/wheel", slots_[Wheel0 + w], r.wheels[w]);

  applyMasterVolume();
}

void SoundServer::set(Slot which, const char* name, float value) {
  const SoundSlot& s = slots_[which];
  if (!s.instance || s.paused) return;
  FMOD_Studio_EventInstance_SetParameterByName(s.instance, name, value, 0);
}

void SoundServer::start() {
  if (!system_) return;
  static const Slot order[] = {EngineInt, EngineExt, Turbo,   Wind,   BlowoffInt, BlowoffExt,
                               BackfireInt, BackfireExt, GearInt, GearExt, Ignition, Transmission,
                               Wheel0,    Wheel1,    Wheel2,  Wheel3};
  for (Slot s : order) {
    if (slots_[s].instance) FMOD_Studio_EventInstance_Start(slots_[s].instance);
  }
  previousGear_ = 1;
  for (Slot s : {EngineInt, EngineExt, GearInt, GearExt}) slots_[s].paused = 0;
  set(EngineInt, "rpms", record_->engineSpeed);
  set(EngineExt, "rpms", record_->engineSpeed);
  set(GearInt, "gear", 0.0f);
  set(GearExt, "gear", 0.0f);
  set(GearInt, "state", 0.0f);
  set(GearExt, "state", 0.0f);
}

void SoundServer::stopAll() {
  if (system_) {
    static const Slot order[] = {EngineInt, EngineExt, Turbo,   Wind,    BlowoffInt,  BlowoffExt,
                                 Ignition,  BackfireInt, BackfireExt, GearInt, GearExt,
                                 Transmission, Wheel0, Wheel1, Wheel2, Wheel3};
    for (Slot s : order) {
      FMOD_STUDIO_EVENTINSTANCE*& instance = slots_[s].instance;
      if (!instance) continue;
      FMOD_Studio_EventInstance_Stop(instance, FMOD_STUDIO_STOP_IMMEDIATE);
      FMOD_Studio_EventInstance_Release(instance);
      instance = nullptr;
    }
  }
  record_->results.clear();
  if (mainBank_) {
    FMOD_Studio_Bank_Unload(mainBank_);
    mainBank_ = nullptr;
  }
  if (stringsBank_) {
    FMOD_Studio_Bank_Unload(stringsBank_);
    stringsBank_ = nullptr;
  }
}

void SoundServer::applyMasterVolume() {
  const float volume = std::max(0.0f, readMasterVolume(record_->carIndex)) * record_->volumeFactor;
  if (!system_) return;
  FMOD_SYSTEM* core = nullptr;
  if (FMOD_Studio_System_GetCoreSystem(system_, &core) != FMOD_OK || !core) return;
  FMOD_CHANNELGROUP* master = nullptr;
  if (FMOD_System_GetMasterChannelGroup(core, &master) != FMOD_OK || !master) return;
  float current = 0.0f;
  if (FMOD_ChannelGroup_GetVolume(master, &current) != FMOD_OK) return;
  FMOD_ChannelGroup_SetVolume(master, volume);
}

}  // namespace kvl
