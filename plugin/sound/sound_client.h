#pragma once
// The plugin's side of the sound daemon. It starts the daemon (once per process) when the
// sound settings ask for it, follows the host's game states, car changes and shutdown, hands
// the car's sound state to the daemon on every frame and silences the host's own sounds that
// the daemon replaces. The record is filled and exchanged under one lock, so the host thread,
// the engine-event thread and the 720-per-second worker never mix their fields.
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "common/sound/sound_record.h"
#include "plugin/host/events/host_listener.h"
#include "plugin/sound/sound_values.h"

namespace kvl {

class DaemonLauncher;

namespace host {
struct EngineEvent;
}

// Plugin floats the host reads through patched operands.
extern float gearSoundGate;
extern float gearSoundLevel;
extern float soundToggleValue;

class SoundClient {
 public:
  // Built on first use, destroyed at process exit.
  static SoundClient& instance();

  SoundClient(const SoundClient&) = delete;
  SoundClient& operator=(const SoundClient&) = delete;

  // True while the daemon's process runs.
  bool isActive() const;
  // True once the daemon was started, even when it has ended since.
  bool started() const { return daemon_.load() != nullptr; }

  void onGameState(const void* record);
  void onCarChanged(const void* record);
  void onShutdown(const void* record);
  // The per-frame update, with the host's engine event (GAME and REPLAY only).
  void update(const host::EngineEvent& engine);
  // The physics step's tick: after every step of the 720-per-second worker in GAME, after the
  // host's own step once per frame in the other states.
  void tick(float seconds);

  void loadCarSounds();
  void stopSounds();
  void setPaused(bool paused);
  void quit();

  // A copy of the record as last exchanged (for tests and diagnostics).
  SoundRecord record();

 private:
  SoundClient();

  void startDaemon();
  void sendStart();
  // Fills the record with fill() and exchanges it, under the client's lock. A daemon found
  // dead gives zero results and the host's levels back.
  template <typename Fill>
  void send(SoundCommand command, Fill fill);
  void exchangeLocked();
  void update3DLocked();
  void enterDriving(bool countdown);
  void saveHostLevels();
  HostLevels readHostLevels() const;
  void writeHostLevels(const HostLevels& levels);

  host::HostListenerNode gameStateNode_;
  host::HostListenerNode carChangedNode_;
  // Stored on the host thread, read by the worker's tick and the engine event's thread too.
  std::atomic<void*> audio_{nullptr};
  std::atomic<void*> car_{nullptr};
  void* game_ = nullptr;
  SoundRecord record_;
  std::shared_ptr<DaemonLauncher> launcher_;
  // The launcher once it exists, for the threads that did not make it.
  std::atomic<DaemonLauncher*> daemon_{nullptr};
  host::HostListenerNode shutdownNode_;

  std::mutex mutex_;
  bool hostLevelsPending_ = true;
  SavedHostLevels savedLevels_;
  bool daemonLost_ = false;
};

// The adapter of the engine event calls this before raising the event.
void soundEngineUpdate(const void* engineRecord) noexcept;
// The physics worker calls this after every step.
void soundStepTick(float seconds) noexcept;

}  // namespace kvl
