#include "plugin/host/entry/plugin_controller.h"

#include <algorithm>
#include <cstring>

#include <windows.h>

#include "plugin/foundation/clocks/perf_clock.h"
#include "plugin/foundation/clocks/step_timer.h"
#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/gui/service_time.h"
#include "plugin/gui/setup_menu_bindings.h"
#include "plugin/hooks/car_setup_hooks.h"
#include "plugin/hooks/center_menu_group.h"
#include "plugin/hooks/display_groups.h"
#include "plugin/hooks/head_gasket.h"
#include "plugin/hooks/game_stuff_group.h"
#include "plugin/hooks/load_data_group.h"
#include "plugin/hooks/main_hook_group.h"
#include "plugin/hooks/sound_group.h"
#include "plugin/hooks/track_loading_group.h"
#include "plugin/hooks/track_name_group.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_audio.h"
#include "plugin/host/model/gear_lamps.h"
#include "plugin/host/model/host_clock_source.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_localization.h"
#include "plugin/host/model/language_callbacks.h"
#include "plugin/host/model/host_names.h"
#include "plugin/host/model/host_key_tables.h"
#include "plugin/host/model/host_plugin_list.h"
#include "plugin/host/model/host_renderer.h"
#include "plugin/host/model/host_replay.h"
#include "plugin/host/workers/host_window_hook.h"
#include "plugin/host/workers/input_workers.h"
#include "plugin/host/workers/physics_worker.h"
#include "plugin/host/events/hook_adapters.h"
#include "plugin/physics/car_load_pass.h"
#include "plugin/physics/car_part_setups.h"
#include "plugin/physics/differential_part.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/effects_state.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/key_alias_tables.h"
#include "plugin/physics/wheel_setup.h"
#include "plugin/physics/surface_grip_fill.h"
#include "plugin/physics/surface_grip_sets.h"
#include "plugin/sound/sound_client.h"
#include "plugin/telemetry/telemetry_recorder.h"
#include "plugin/rally/kestrun_event.h"
#include "plugin/tracks/track_lists.h"

namespace kvl {

// The replay time step saved at state 5; a state 13 before the first state 5 reads the default.
float replayGripValue = physics::kPhysicsTimeStep;

std::uint8_t wheelRecordSnapshot[4][kWheelRecordSize];

namespace {

using host::HostGameState;

constexpr std::uint32_t kDisplayFlagByte = 0x7EA274u;
constexpr std::uint32_t kLoadingWord = 0x894FBCu;
constexpr std::uint32_t kRailwiseEntryTable = 0x6106C484u;
constexpr std::size_t kReplayGripOffset = 0x18B908;
constexpr char kRuntimeFolder[] = "Plugins\\QZR\\runtime";

bool is(std::int32_t state, HostGameState s) { return state == static_cast<std::int32_t>(s); }

std::uintptr_t wordAt(std::uintptr_t address, std::size_t offset) {
  return host::fieldAt<host::HostWord>(reinterpret_cast<const void*>(address), offset);
}

// In the loading states: every entry of the module's entry array whose word +0x20 is -1 gets 0.
void clearUnsetEntryMarks() {
  if (host::HostModuleTable::railwiseBase() == 0) return;  // the module is not loaded
  const auto global = reinterpret_cast<std::uintptr_t>(host::RailwiseAddress(kRailwiseEntryTable).resolve());
  const std::uintptr_t first = wordAt(global, 0);
  if (first == 0) return;
  const std::uintptr_t second = wordAt(first, 0);
  if (second == 0) return;
  const std::uintptr_t begin = wordAt(second, 0x14);
  const std::uintptr_t end = wordAt(second, 0x18);
  if (begin == 0 || end <= begin) return;
  for (std::uintptr_t at = begin; at < end; at += sizeof(host::HostWord)) {
    const std::uintptr_t entry = wordAt(at, 0);
    if (entry == 0) continue;
    auto& mark = host::fieldAt<std::int32_t>(reinterpret_cast<void*>(entry), 0x20);
    if (mark == -1) mark = 0;
  }
}

host::HostEventHub* hub() { return host::HostEventHub::instance(); }

}  // namespace

float skidSoundScaleFor(int threshold) noexcept {
  return static_cast<float>(std::clamp(threshold, 10, 200)) / 100.0f;
}

float gearChangeIndicatorDeltaFor(int deltaRpm) noexcept {
  return deltaRpm < 0 ? 200.0f : static_cast<float>(deltaRpm);
}

PluginController& PluginController::instance() {
  static PluginController controller;
  return controller;
}

PluginController::PluginController()
    : gameStateNode_(this, host::HostListenerNode::member<PluginController, &PluginController::gameStateHandler>()),
      wheelDataNode_(this, host::HostListenerNode::member<PluginController, &PluginController::wheelDataHandler>()),
      shutdownNode_(this, host::HostListenerNode::member<PluginController, &PluginController::shutdownHandler>()) {
  // The service screen's overtime becomes the rally event's service penalty.
  gui::setServiceTimeReceiver([](float seconds) { rally::KestrunEvent::instance().setServicePenalty(seconds); });
  // Feature members: "Head Gasket", the track-name group (in no list), "QZR Car Setup".
  headGasket_ = std::make_unique<hooks::HeadGasket>();
  headGasketGroup_ = headGasket_->patchGroup();
  trackNameGroup_ = hooks::buildTrackNameGroup();
  carSetupGroup_ = hooks::CarSetupHooks().patchGroup();

  host::bindLocalizedTexts();
  buildPatchGroups();

  if (host::HostEventHub* h = hub()) {
    host::appendListener(h->gameStateChanged()->catchAll(), gameStateNode_);
    host::appendListener(h->wheelData()->catchAll(), wheelDataNode_);
    host::appendListener(h->shutdown()->catchAll(), shutdownNode_);
  }

  startRuntime();
  loadRuntimeDlls();
}

PluginController::~PluginController() { windowHook_.reset(); }

void PluginController::startRuntime() {
  PerfClock::instance();
  SoundClient::instance();
  TelemetryRecorder::instance();
  // At END_RACE the physics worker switches an active recording off and saves it.
  host::physicsWorker().setEndRaceJob(&stopAndSaveTelemetry);
  host::setEngineEventObserver(&soundEngineUpdate);
  host::physicsWorker().setSoundTick(&soundStepTick);
  physics::carPartSetups().engine = &physics::setupEngine;
  physics::carPartSetups().differential = &physics::checkDifferentialMaps;
  physics::carPartSetups().drivetrain = &physics::setupDrivetrain;
  host::inputWorker();
  host::forceFeedbackWorker();
  host::useHostClockSource();
  (void)StepTimer::instance().periodSeconds();
}

void PluginController::loadRuntimeDlls() {
  char directory[261];
  const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory) return;
  host::HostPluginList::loadPluginDlls(std::string(directory) + "\\" + kRuntimeFolder);
}

void PluginController::collectGroups(PatchGroupList& out) const {
  out.insert(out.end(), startupGroups_.begin(), startupGroups_.end());
  out.insert(out.end(), modeGroups_.begin(), modeGroups_.end());
}

void PluginController::buildPatchGroups() {
  buildSoundGroup();
  buildGameStuffGroup();
  buildFullscreenWindowGroup();
  addMemberPatchGroup();
  buildCenterMenuGroup();
  buildLoadDataGroup();
  buildMainHookGroup();
  buildKeyAliasTables();
  for (const auto& group : startupGroups_) group->applyAll();
}

void PluginController::applyModeGroups() {
  buildAspectRatioGroup();
  buildTrackLoadingGroup();
  for (const auto& group : modeGroups_) group->applyAll();
}

void PluginController::buildSoundGroup() { startupGroups_.push_back(hooks::buildSoundGroup()); }
void PluginController::buildGameStuffGroup() { startupGroups_.push_back(hooks::buildGameStuffGroup()); }
void PluginController::buildFullscreenWindowGroup() {
  startupGroups_.push_back(makeFullscreenWindowGroup());
  startupGroups_.push_back(makeVSyncGroup());
}
void PluginController::addMemberPatchGroup() { startupGroups_.push_back(headGasketGroup_); }
void PluginController::buildCenterMenuGroup() {
  startupGroups_.push_back(hooks::buildCenterMenuGroup());
}
void PluginController::buildLoadDataGroup() { startupGroups_.push_back(hooks::buildLoadDataGroup()); }
void PluginController::buildMainHookGroup() {
  startupGroups_.push_back(hooks::buildMainHookGroup());
  startupGroups_.push_back(carSetupGroup_);
}
void PluginController::buildKeyAliasTables() { physics::buildKeyAliasTables(); }
void PluginController::buildAspectRatioGroup() { modeGroups_.push_back(makeAspectRatioGroup()); }
void PluginController::buildTrackLoadingGroup() {
  modeGroups_.push_back(hooks::buildTrackLoadingGroup());
}

void PluginController::gameStateHandler(const void* record) {
  const std::int32_t current = host::HostGame::gameState();
  const std::int32_t next = static_cast<const host::GameStateEvent*>(record)->state;

  if (is(current, HostGameState::init)) {
    if (modeGroups_.empty()) {
      applyModeGroups();
      PerfClock::instance();
    }
    bindHostMenus();
    buildTrackLists();
    hookHostWindow();
  } else if (is(current, HostGameState::loading) || is(current, HostGameState::loadingFrontend) ||
             is(current, HostGameState::loadingCutscene)) {
    clearUnsetEntryMarks();
  }

  if (is(next, HostGameState::loading)) prepareLoading();
  if (is(next, HostGameState::initializeTrack)) initializeTrack();

  if (!ShowRevisionOption(defaults::showRevision).read()) return;
  auto& displayFlag = host::fieldAt<std::uint8_t>(host::HostAddress(kDisplayFlagByte).resolve(), 0);
  if (is(current, HostGameState::pause) || is(current, HostGameState::countdown)) displayFlag = 0;
  if (is(current, HostGameState::initializeTrack)) displayFlag = 1;
  if (is(next, HostGameState::pause)) displayFlag = 1;
}

// The differential-map setup pages, the language menus, then the differentials page.
void PluginController::bindHostMenus() {
  gui::bindDiffMapMenus();
  host::registerLanguageCallbacks(host::HostMenuManager::menu(0), host::HostMenuManager::menu(1));
  gui::bindDifferentialsMenu();
}

void PluginController::buildTrackLists() {
  tracks::TrackNameTables::instance();
  tracks::TrackLists::buildFromTrackIni();
}

// One hook serves the process: a hook already held stays.
void PluginController::hookHostWindow() {
  if (windowHook_ && windowHook_->installed()) return;
  void* renderer = host::HostRenderer::instance();
  if (renderer == nullptr) return;
  windowHook_ = std::make_shared<host::HostWindowHook>(host::HostRenderer::window(renderer));
}

void PluginController::prepareLoading() {
  if (void* replay = host::HostReplay::instance()) {
    if (host::HostReplay::mode(replay) == 1) replayGripValue = host::fieldAt<float>(replay, kReplayGripOffset);
  }
  host::fieldAt<std::int32_t>(host::HostAddress(kLoadingWord).resolve(), 0) = 0;
  // A float: the loading step stores 300.0, and the layout's "int" names only the word it lands in.
  if (void* game = host::HostGame::instance()) host::fieldAt<float>(game, 112 + 660) = 300.0f;
}

void PluginController::initializeTrack() {
  if (void* audio = host::HostAudio::instance()) {
    if (void* stage = host::HostAudio::stage(audio)) host::HostAudioStage::setWord540(stage, 0);
  }
  physics::EffectsState::rebuildMaterials(physics::hostEffectsState());
  void* replay = host::HostReplay::instance();
  if (replay != nullptr) host::HostReplay::setTickCount(replay, 0);
  PerfClock::instance().reset();
  const bool loaded = loadCarParameters();
  bool parametersOk = false;
  if (void* grip = physics::hostSurfaceGripTable()) {
    physics::fillSurfaceGripTable(grip, replayGripValue);
    parametersOk = loaded && physics::SurfaceGripTable::revision(grip) == physics::kDetailedGripRevision;
  }
  if (replay == nullptr || host::HostReplay::mode(replay) != 1) tracks::TrackLists::updateForCurrentMap();
  const bool autoStart = parametersOk && (replay == nullptr || host::HostReplay::mode(replay) != 1) &&
                         TelemetryRecordingOption(defaults::telemetryRecording).read() &&
                         host::HostGameModes::mode() != host::HostGameModes::kRallySchool;
  startTelemetryRecording(autoStart);
  tarmacSkidSoundScale =
      skidSoundScaleFor(TarmacSkidSoundThresholdOption(defaults::tarmacSkidSoundThreshold).read());
  skidSoundScale = skidSoundScaleFor(SkidSoundThresholdOption(defaults::skidSoundThreshold).read());
  gearChangeIndicatorDelta =
      gearChangeIndicatorDeltaFor(GearChangeIndicatorDeltaRpmOption(defaults::gearChangeIndicatorDeltaRpm).read());
}

// The current car's altitude step and load pass. A pass that fails is logged; the car then keeps
// the host's own engine and the remaining steps of the state change still run.
bool PluginController::loadCarParameters() {
  void* car = physics::HostCar::current();
  if (car == nullptr) return false;
  // The step is added once per car object: a second state 13 without a new car leaves it.
  static void* steppedCar = nullptr;
  static float steppedValue = 0.0f;
  void* body = physics::HostCar::wordPointer(car, 1184);
  void* source = body == nullptr ? nullptr : physics::HostCar::wordPointer(body, 52);
  float& altitude = host::fieldAt<float>(car, 328);
  if (source != nullptr && !(car == steppedCar && altitude == steppedValue)) {
    altitude += host::fieldAt<float>(source, 312) - 0.215f;
    steppedCar = car;
    steppedValue = altitude;
  }
  physics::installWheelSetup();
  return physics::loadCarParametersLogged(car, wheelRecordSnapshot);
}

// Recording starts or stops on the physics worker's thread.
void PluginController::startTelemetryRecording(bool on) {
  host::physicsWorker().postToWorker([on] { TelemetryRecorder::instance().setActive(on); });
}

void PluginController::wheelDataHandler(const void*) {
  static const char* const kWheels[4] = {"CAR_WHEEL_LF", "CAR_WHEEL_RF", "CAR_WHEEL_LB", "CAR_WHEEL_RB"};
  for (int i = 0; i < 4; ++i) {
    const std::uintptr_t wheel = host::hostNameId(kWheels[i]);
    if (wheel == 0) {
      std::memset(wheelRecordSnapshot[i], 0, kWheelRecordSize);
    } else {
      std::memcpy(wheelRecordSnapshot[i], reinterpret_cast<const unsigned char*>(wheel) + 1388, kWheelRecordSize);
    }
  }
}

void PluginController::shutdownHandler(const void*) { windowHook_.reset(); }

}  // namespace kvl
