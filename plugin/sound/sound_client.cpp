#include "plugin/sound/sound_client.h"

#include <cstring>

#include "common/daemon/channel_exchange.h"
#include "common/daemon/daemon_executable_path.h"
#include "common/daemon/daemon_launcher.h"
#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_audio.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/model/host_replay.h"
#include "plugin/host/model/host_sound_queue.h"
#include "plugin/host/model/host_vehicle_state.h"

namespace kvl {

float gearSoundGate = kGearGateClosed;
float gearSoundLevel = kGearSoundLevel;
float soundToggleValue = -9800.0f;

namespace {

enum State : std::int32_t { kInit = 0, kGame = 1, kPause = 2, kLoading = 5, kFrontEnd = 6, kReplay = 8,
                            kEndRace = 9, kCountdown = 10, kLoadingCutscene = 14 };

const ChannelLayout& soundLayout() {
  static const ChannelLayout layout{SoundRecord::kSize,
                                    {0, SoundRecord::kRequestSize},
                                    {{656, 16}, {672, 16}, {688, 16}, {704, 16}}};
  return layout;
}

float hostVolumeFactor() {
  void* controls = host::hostControls();
  return controls == nullptr ? 0.0f : host::HostAnalogInputs::primaryAxis(host::HostControls::analogInputs(controls));
}

bool drivingState(std::int32_t s) { return s == kGame || s == kReplay || s == kCountdown; }

}  // namespace

SoundClient& SoundClient::instance() {
  static SoundClient client;
  return client;
}

SoundClient::SoundClient()
    : gameStateNode_(this, host::HostListenerNode::member<SoundClient, &SoundClient::onGameState>()),
      carChangedNode_(this, host::HostListenerNode::member<SoundClient, &SoundClient::onCarChanged>()),
      shutdownNode_(this, host::HostListenerNode::member<SoundClient, &SoundClient::onShutdown>()) {
  if (host::HostEventHub* hub = host::HostEventHub::instance()) {
    host::appendListener(hub->gameStateChanged()->catchAll(), gameStateNode_);
    host::appendListener(hub->carChanged()->catchAll(), carChangedNode_);
    host::appendListener(hub->shutdown()->catchAll(), shutdownNode_);
  }
  EnableFmodOption enable(false);
  saveIfMissing(enable);
  EnableLiveUpdateOption liveUpdate(false);
  saveIfMissing(liveUpdate);
  ProfilePortOption port(0);
  saveIfMissing(port);
  for (int car = 0; car < 8; ++car) {
    BankNameOption bank(car, "");
    saveIfMissing(bank);
    MasterVolumeOption volume(car, 1.0f);
    saveIfMissing(volume);
  }
}

bool SoundClient::isActive() const {
  DaemonLauncher* daemon = daemon_.load();
  return daemon != nullptr && daemon->process() != nullptr && WaitForSingleObject(daemon->process(), 0) == WAIT_TIMEOUT;
}

SoundRecord SoundClient::record() {
  std::lock_guard<std::mutex> lock(mutex_);
  return record_;
}

// One launcher per process: replacing it would close a kill-on-close job that holds the host.
void SoundClient::startDaemon() {
  if (launcher_ != nullptr) return;
  launcher_ = std::make_shared<DaemonLauncher>(daemonExecutablePath("QzrFmodDaemon.exe"), "", SoundRecord::kSize);
  daemon_.store(launcher_.get());
}

template <typename Fill>
void SoundClient::send(SoundCommand command, Fill fill) {
  std::lock_guard<std::mutex> lock(mutex_);
  fill();
  record_.command = static_cast<std::uint32_t>(command);
  exchangeLocked();
}

void SoundClient::exchangeLocked() {
  DaemonLauncher* daemon = daemon_.load();
  if (daemon == nullptr || daemonLost_) return;
  const ExchangeResult result = exchangeWithDaemon(daemon, &record_, soundLayout(),
                                                   [this] { record_.volumeFactor = hostVolumeFactor(); });
  if (result != ExchangeResult::DaemonGone && result != ExchangeResult::NoReply) return;
  // The daemon is gone: its sounds are silent, so the host plays its own again.
  daemonLost_ = true;
  record_.results.clear();
  if (audio_ != nullptr) {
    HostLevels levels = readHostLevels();
    SharedSoundValues shared{gearSoundGate, gearSoundLevel};
    restoreHostLevels(savedLevels_, levels, shared);
    writeHostLevels(levels);
    gearSoundGate = shared.gearSoundGate;
    gearSoundLevel = shared.gearSoundLevel;
  }
}

HostLevels SoundClient::readHostLevels() const {
  HostLevels levels{};
  std::memcpy(levels.data(), host::HostAudio::levels(audio_), sizeof levels);
  return levels;
}

void SoundClient::writeHostLevels(const HostLevels& levels) {
  std::memcpy(host::HostAudio::levels(audio_), levels.data(), sizeof levels);
}

// Once per process: a later copy could hold the levels this client silenced.
void SoundClient::saveHostLevels() {
  if (!savedLevels_.saved()) savedLevels_.save(readHostLevels());
}

void SoundClient::onGameState(const void* event) {
  const std::int32_t a = host::HostGame::gameState();
  const std::int32_t b = static_cast<const host::GameStateEvent*>(event)->state;
  if (a == kInit) {
    game_ = host::HostGame::instance();
    if (EnableFmodOption(false).read()) startDaemon();
  }
  if (daemon_.load() == nullptr) return;
  if (a == kLoading || a == kLoadingCutscene) {
    audio_ = host::HostAudio::instance();
    car_ = host::HostSoundCar::current();
  }
  if (b == kFrontEnd) stopSounds();
  // The first front end with a sound system drops its two sound objects, even when a stage
  // entered before it has already saved the levels.
  if (a == kFrontEnd && hostLevelsPending_ && audio_ != nullptr) {
    if (void* system = host::HostAudio::soundSystem(audio_)) {
      host::HostSoundSystem::clearSoundObjects(system);
      std::lock_guard<std::mutex> lock(mutex_);
      hostLevelsPending_ = false;
      saveHostLevels();
    }
  }
  if (b == kGame || b == kReplay || b == kCountdown) enterDriving(b == kCountdown);
  if (b == kPause || b == kEndRace) setPaused(true);
}

void SoundClient::enterDriving(bool countdown) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (audio_ != nullptr) {
      // A stage entered before the front end saved the levels saves them now.
      saveHostLevels();
      HostLevels levels = readHostLevels();
      SharedSoundValues shared{gearSoundGate, gearSoundLevel};
      silenceHostLevels(record_.results, countdown, savedLevels_, levels, shared);
      writeHostLevels(levels);
      gearSoundGate = shared.gearSoundGate;
      gearSoundLevel = shared.gearSoundLevel;
    }
  }
  if (countdown) {
    sendStart();
  } else {
    setPaused(false);
  }
}

void SoundClient::sendStart() {
  send(SoundCommand::Start, [this] {
    record_.gear = 1;
    record_.paused = 0;
    record_.interiorView = 0;
    record_.engineSoundsOff = 0;
    record_.engineSpeed = static_cast<float>(host::hostSetupIdleSpeed());
  });
}

void SoundClient::onCarChanged(const void* event) {
  if (daemon_.load() == nullptr) return;
  std::int32_t value = 0;
  std::memcpy(&value, event, sizeof value);
  if (value == -1) return;
  stopSounds();
  loadCarSounds();
}

void SoundClient::onShutdown(const void*) {
  quit();
  DaemonLauncher* daemon = daemon_.load();
  if (daemon != nullptr && daemon->process() != nullptr) WaitForSingleObject(daemon->process(), 2000);
}

void SoundClient::loadCarSounds() {
  send(SoundCommand::Load, [this] {
    void* game = host::HostGame::instance();
    record_.carIndex = game == nullptr ? 0 : static_cast<std::uint32_t>(host::HostGame::carId(game));
  });
}

void SoundClient::stopSounds() {
  send(SoundCommand::StopUnload, [] {});
}

void SoundClient::setPaused(bool paused) {
  send(SoundCommand::PauseResume, [this, paused] { record_.paused = paused ? 1u : 0u; });
}

void SoundClient::quit() {
  send(SoundCommand::Quit, [] {});
}

void SoundClient::update3DLocked() {
  if (car_ == nullptr || audio_ == nullptr) return;
  void* listener = host::HostAudio::listener(audio_);
  void* system = host::HostAudio::soundSystem(audio_);
  if (listener == nullptr || system == nullptr) return;
  using host::HostFrameRows;
  const float* frame = host::HostAudioListener::frame(listener);
  record_.blocks[kListenerBlock] = soundBlock(HostFrameRows::origin(frame), host::HostAudioListener::velocity(listener),
                                              HostFrameRows::forward(frame), HostFrameRows::up(frame));
  const float* carVelocity = host::HostSoundCar::velocity(car_);
  const float* systemFrame = host::HostSoundSystem::frame(system);
  auto block = [&](const float* position) {
    return soundBlock(position, carVelocity, HostFrameRows::forward(systemFrame), HostFrameRows::up(systemFrame));
  };
  using host::HostSoundSystem;
  record_.blocks[kExteriorEngineBlock] = block(HostSoundSystem::position(system, HostSoundSystem::kExteriorEnginePosition));
  record_.blocks[kInteriorEngineBlock] = block(HostSoundSystem::position(system, HostSoundSystem::kInteriorEnginePosition));
  record_.blocks[kTurboBlock] = block(HostSoundSystem::position(system, HostSoundSystem::kTurboPosition));
  record_.blocks[kGearboxBlock] = block(HostSoundSystem::position(system, HostSoundSystem::kGearboxPosition));
  for (int w = 0; w < 4; ++w) {
    void* wheel = host::HostSoundCar::wheel(car_, w);
    static const float kOrigin[3] = {0, 0, 0};
    record_.blocks[kFirstWheelBlock + w] = block(wheel == nullptr ? kOrigin : &host::fieldAt<float>(wheel, 2608));
  }
}

void SoundClient::update(const host::EngineEvent& engine) {
  if (daemon_.load() == nullptr) return;
  const std::int32_t state = host::HostGame::gameState();
  if (state != kGame && state != kReplay) return;
  if (audio_ == nullptr || car_ == nullptr) return;
  void* system = host::HostAudio::soundSystem(audio_);
  if (host::HostAudio::listener(audio_) == nullptr || system == nullptr || host::HostVehicleState::isFlagClear(system)) return;
  send(SoundCommand::Frame, [&] {
    using host::HostSoundCar;
    update3DLocked();
    void* drivetrain = HostSoundCar::drivetrain(car_);
    const void* engineData = HostSoundCar::engineData(car_);
    const float revLimit = engineData == nullptr ? 0.0f : host::fieldAt<float>(engineData, 984);
    const float axleRatio = engineData == nullptr ? 0.0f : host::fieldAt<float>(engineData, 588);
    record_.throttle = engine.throttle;
    record_.engineSpeed = engineSpeedRpm(engine.rotation, revLimit);
    record_.boost = boostLevel(engine.boost);
    record_.interiorView = host::HostAudio::interiorView(audio_) ? 1u : 0u;
    for (int w = 0; w < 4; ++w) {
      const void* wheel = HostSoundCar::wheel(car_, w);
      record_.wheelSpeed[w] =
          wheel == nullptr ? 0.0f : productSpeedKmh(host::fieldAt<float>(wheel, 2720), host::fieldAt<float>(wheel, 2640));
    }
    record_.brake = HostSoundCar::brake(car_);
    // A car without a drivetrain turns no transmission; its gear stays as last sent.
    record_.transmissionWheelSpeed =
        drivetrain == nullptr ? 0.0f : productSpeedKmh(host::fieldAt<float>(drivetrain, 900), axleRatio);
    const float* v = HostSoundCar::velocity(car_);
    record_.carSpeed = velocityKmh(v[0], v[1], v[2]);
    if (drivetrain != nullptr) {
      const std::int32_t gear = host::fieldAt<std::int32_t>(drivetrain, 1356);
      record_.gear = gear;
      if (state == kReplay) {
        auto& shown = host::fieldAt<std::int32_t>(drivetrain, 1392);
        if (shown != gear) shown = gear;
      }
    }
    record_.exhaustPop = engine.exhaustPop;
    record_.engineSoundsOff = host::HostSoundSystem::engineSoundsOff(system);
    record_.battery = host::HostSoundSystem::battery(system);
    record_.valve = valveLevel(host::HostSoundSystem::valveFlag(system), host::HostSoundSystem::valve(system));
    record_.paused = 0;
  });
}

void SoundClient::tick(float) {
  if (daemon_.load() == nullptr) return;
  const std::int32_t state = host::HostGame::gameState();
  if (!drivingState(state)) {
    setPaused(true);
    return;
  }
  if (audio_ == nullptr || host::HostAudio::listener(audio_) == nullptr || host::HostAudio::soundSystem(audio_) == nullptr)
    return;
  soundToggleValue = soundToggleValue != -9800.0f ? -9800.0f : -9898.0f;
  if (state == kCountdown) {
    send(SoundCommand::PauseResume, [this] {
      update3DLocked();
      record_.paused = 0;
    });
  } else if (state == kReplay) {
    void* replay = host::HostReplay::instance();
    if (replay == nullptr || host::HostReplay::mode(replay) != 2) setPaused(true);
  }
}

void soundEngineUpdate(const void* engineRecord) noexcept {
  try {
    host::EngineEvent engine;
    std::memcpy(&engine, engineRecord, sizeof engine);
    SoundClient::instance().update(engine);
  } catch (...) {
  }
}

void soundStepTick(float seconds) noexcept {
  try {
    SoundClient::instance().tick(seconds);
  } catch (...) {
  }
}

}  // namespace kvl
