#pragma once
// The sound daemon's engine: one FMOD Studio system, the current car's two banks, twelve named
// event slots and four wheel slots, and a private copy of the sound record into which each
// request is copied.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/daemon/inherited_channel.h"
#include "common/sound/sound_record.h"
#include "daemons/sound/fmod_api.h"
#include "daemons/sound/sound_slot.h"

namespace kvl {

class SoundServer {
 public:
  using Clock = std::function<int64_t()>;  // microseconds

  // The channel may be null (the server then only works on its private record).
  SoundServer(uintptr_t processHandle, std::shared_ptr<InheritedChannel> channel);
  ~SoundServer();
  SoundServer(const SoundServer&) = delete;
  SoundServer& operator=(const SoundServer&) = delete;

  // Creates and initialises the Studio system; on any failure the server works on without one.
  void initFmod();
  // Command 1: full stop and unload, then the car's banks and events, then the master volume.
  void loadCar();
  // Command 2.
  void start();
  // Command 3, and the end of the command loop.
  void stopAll();
  void applyMasterVolume();
  // The pause rules; with all sounds playing and the engine sounds on, also the 3D placement.
  void setPaused(bool pauseAll);
  void apply3DAttributes();
  // Command 5.
  void update();
  // Releases the Studio system (after stopAll).
  void releaseFmod();

  // The command loop: Studio start-up, then requests until the plugin's process ends, its
  // wait fails, or the quit command; then everything is stopped and released.
  void run();

  // One request taken from the shared block (nullptr when the channel has no view): copies the
  // request part in, executes it and writes the result words back where the command asks for
  // it. Returns true after the quit command.
  bool serveRequest(uint8_t* block);
  // The command loop's 200-ms wait ended without a request.
  void onQuietPeriod();

  SoundRecord& record() { return *record_; }
  FMOD_STUDIO_SYSTEM* studioSystem() const { return system_; }
  uintptr_t processHandle() const { return processHandle_; }
  void setClock(Clock clock) { clock_ = std::move(clock); }

  enum Slot : int {
    EngineInt, EngineExt, BackfireInt, BackfireExt, GearInt, Ignition, BlowoffInt, GearExt,
    BlowoffExt, Transmission, Turbo, Wind, Wheel0, Wheel1, Wheel2, Wheel3, SlotCount
  };
  const SoundSlot& slot(Slot which) const { return slots_[which]; }
  int previousGear() const { return previousGear_; }

 private:
  void loadBank(const std::string& fileName, FMOD_STUDIO_BANK*& bank);
  void createEvent(const char* path, SoundSlot& slot, int32_t& result);
  void set(Slot which, const char* name, float value);
  void stepGearAndFluctuation();

  FMOD_STUDIO_SYSTEM* system_ = nullptr;
  FMOD_STUDIO_BANK* mainBank_ = nullptr;
  FMOD_STUDIO_BANK* stringsBank_ = nullptr;
  SoundSlot slots_[SlotCount];
  int32_t previousGear_ = 1;
  int64_t lastFluctuationStep_ = 0;
  std::shared_ptr<InheritedChannel> channel_;
  std::unique_ptr<SoundRecord> record_;
  uintptr_t processHandle_;
  bool commandSinceQuiet_ = false;
  Clock clock_;
};

}  // namespace kvl
