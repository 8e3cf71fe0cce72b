#include "plugin/rally/kestrun_event.h"

#include <cstring>

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_lists.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_message_box.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/model/host_service.h"
#include "plugin/host/workers/periodic_worker.h"
#include "plugin/rally/kestrun_menu.h"
#include "plugin/rally/skill_levels.h"
#include "plugin/foundation/logging/log_record.h"

namespace kvl::rally {
namespace {

using host::HostCarState;

constexpr std::int32_t kLoading = 5;
constexpr std::int32_t kInitFrontEnd = 6;
constexpr std::int32_t kEndRace = 9;

// Host player record 0 (the records the game modes hold); null while there is none.
HostCarState* playerRecord0() {
  void* modes = host::HostGameModes::instance();
  void* records = modes == nullptr ? nullptr : host::HostGameModes::playerRecords(modes);
  return records == nullptr ? nullptr : host::HostCarStateArray::at(records, 0);
}

std::int32_t stateOf(const void* record) { return static_cast<const host::GameStateEvent*>(record)->state; }

// The confirm callback of the message that ends a service: back one menu page.
void QZR_CDECL backOnePage(std::int32_t) noexcept {
  try {
    if (void* manager = host::HostMenuManager::instance()) host::HostMenuManager::back(manager);
  } catch (...) {
  }
}

}  // namespace

KestrunEvent& KestrunEvent::instance() {
  static KestrunEvent event;
  return event;
}

KestrunEvent::KestrunEvent()
    : handOverNode_(this, host::HostListenerNode::member<KestrunEvent, &KestrunEvent::handOverToHost>()),
      raceEndNode_(this, host::HostListenerNode::member<KestrunEvent, &KestrunEvent::finishOnRaceEnd>()),
      leaveNode_(this, host::HostListenerNode::member<KestrunEvent, &KestrunEvent::finishOnLeave>()) {
  for (std::size_t i = 0; i < host::HostRallyRecord::kCount; ++i) {
    host::HostRallyRecord::reset(eventTable_ + host::HostRallyRecord::kSize * i);
  }
  driverRecord_ = HostCarState::construct(driverStorage_);
  serviceInfo_.clear();
  if (host::HostEventHub* hub = host::HostEventHub::instance()) {
    host::EventSignal* source = hub->gameStateChanged();
    host::appendListener(*source->perId(3), handOverNode_);
    host::appendListener(*source->perId(1), raceEndNode_);
    host::appendListener(*source->perId(2), leaveNode_);
  }
  HostCarState::reset(driverRecord_);
  skillLevels_ = skillLevelWords();
  serviceInfo_.setMechanics(MechanicsOption(4).read())
      .setSkill(skillLevel(SkillOption("Competent").read()))
      .setAllowedRepairTime(static_cast<float>(AllowedRepairTimeOption(40).read()));
}

KestrunEvent::~KestrunEvent() {
  // The listener nodes leave their host lists as they are destroyed. When the process ends the
  // host's heap and menus are going away with it: the page is left to them.
  if (!host::PeriodicWorker::isProcessExiting()) destroyKestrunMenu(menuPage_);
  delete[] savedStageTable_;
}

std::int32_t KestrunEvent::skillLevel(const std::string& word) const { return skillLevelOf(skillLevels_, word); }

void KestrunEvent::configure(std::int32_t stageKey, std::int32_t mechanics, std::int32_t skill, float allowedRepairTime) {
  stageKey_ = stageKey;
  active_.store(true);
  serviceInfo_.setMechanics(mechanics).setSkill(skill).setAllowedRepairTime(allowedRepairTime);
}

void KestrunEvent::applyToHost() {
  void* modes = host::HostGameModes::instance();
  if (modes != nullptr && host::HostGameModes::pendingFlag(modes) != 0) host::HostGameModes::setPendingFlag(modes, 0);
  if (HostCarState* player = playerRecord0()) HostCarState::assign(player, driverRecord_);

  void* rallyTable = host::hostRallyTable();
  void* stageTable = host::hostStageTable();
  if (rallyTable != nullptr) {
    const auto* builtIn = static_cast<const std::uint8_t*>(host::HostRallyTable::builtInRecords(rallyTable));
    for (std::size_t i = 0; i < host::HostRallyRecord::kCount; ++i) {
      std::uint8_t* record = eventTable_ + host::HostRallyRecord::kSize * i;
      if (builtIn != nullptr) std::memcpy(record, builtIn + host::HostRallyRecord::kSize * i, host::HostRallyRecord::kSize);
      // The crew's mechanics (value A, +148) and skill (value B, +144), where the host's repair list
      // reads them.
      host::HostRallyRecord::setValueA(record, serviceInfo_.mechanics());
      host::HostRallyRecord::setValueB(record, serviceInfo_.skill());
    }
  }
  // A second start refreshes the event's tables but keeps what the first one saved of the host's.
  if (swapped_) {
    if (stageTable != nullptr) host::HostStageTable::selectEntry(stageTable, stageKey_);
    return;
  }
  if (rallyTable != nullptr) savedActiveTable_ = host::HostRallyTable::exchangeActive(rallyTable, eventTable_);
  if (stageTable != nullptr) {
    savedStageTable_ = host::copyHostStageTable(stageTable);
    host::HostStageTable::selectEntry(stageTable, stageKey_);
  }
  swapped_ = true;
}

std::int32_t KestrunEvent::start() {
  if (menuPage_ == nullptr) menuPage_ = buildKestrunMenu();
  applyToHost();
  if (void* modes = host::HostGameModes::instance()) host::HostGameModes::setMode(modes, 1);
  void* manager = host::HostMenuManager::instance();
  return manager == nullptr || menuPage_ == nullptr ? 0 : host::HostMenuManager::enterPage(manager, menuPage_);
}

void KestrunEvent::end() {
  if (HostCarState* player = playerRecord0()) HostCarState::assign(driverRecord_, player);
  // Only what a start saved goes back, once: never a null table, never a freed copy.
  if (!swapped_) return;
  swapped_ = false;
  void* rallyTable = host::hostRallyTable();
  if (rallyTable != nullptr && savedActiveTable_ != nullptr) host::HostRallyTable::exchangeActive(rallyTable, savedActiveTable_);
  savedActiveTable_ = nullptr;
  if (void* stageTable = host::hostStageTable()) {
    host::restoreHostStageTable(stageTable, savedStageTable_);
  } else {
    delete[] savedStageTable_;
  }
  savedStageTable_ = nullptr;
}

std::int32_t KestrunEvent::writeDriverRecord(const void* source, std::uint32_t length) {
  if (source == nullptr || length < HostCarState::kSize || driverRecord_ == nullptr) return 0;
  HostCarState::copyBody(driverRecord_, source);
  return static_cast<std::int32_t>(HostCarState::kSize);
}

std::int32_t KestrunEvent::readDriverRecord(void* destination, std::uint32_t length) const {
  if (destination == nullptr || length < HostCarState::kSize || driverRecord_ == nullptr) return 0;
  std::memcpy(destination, driverRecord_, HostCarState::kSize);
  return static_cast<std::int32_t>(HostCarState::kSize);
}

HostCarState* KestrunEvent::resetDriverRecord() {
  return driverRecord_ == nullptr ? nullptr : HostCarState::reset(driverRecord_);
}

std::int32_t KestrunEvent::driverRecordValue() {
  return driverRecord_ == nullptr ? 0 : HostCarState::query(driverRecord_);
}

void KestrunEvent::finish() {
  active_.store(false);
  if (HostCarState* player = playerRecord0()) HostCarState::assign(driverRecord_, player);
}

void KestrunEvent::handOverToHost(const void* record) {
  if (!active_.load() || stateOf(record) != kLoading) return;
  HostCarState::hostCall(driverRecord_, host::HostControls::settingValue(host::hostControls()));
  void* modes = host::HostGameModes::instance();
  if (void* records = modes == nullptr ? nullptr : host::HostGameModes::playerRecords(modes)) {
    host::HostCarStateArray::copyInto(records, driverRecord_);
  }
}

void KestrunEvent::finishOnRaceEnd(const void* record) {
  if (active_.load() && stateOf(record) == kEndRace) finish();
}

void KestrunEvent::finishOnLeave(const void* record) {
  if (active_.load() && (stateOf(record) == kEndRace || stateOf(record) == kInitFrontEnd)) finish();
}

void KestrunEvent::runRepairService() noexcept {
  try {
    instance().repairService();
  } catch (...) {
  }
}

void KestrunEvent::repairService() {
  void* service = host::hostService();
  if (service == nullptr || host::HostService::hostActionB(service) != 0) return;
  if (void* clock = host::hostServiceClock()) {
    host::HostServiceClock::setTime(clock, serviceInfo_.allowedRepairTime() * 60.0f);
  }
  void* game = host::HostGame::instance();
  const char* folder = game == nullptr ? nullptr : host::HostGame::stageFolder(game, stageKey_);
  const std::string path = std::string(folder == nullptr ? "" : folder) + "repair.ini";
  // A path the host's 260-character buffers cannot hold is not cut to a different file.
  if (path.size() > 260) {
    LogRecord record;
    record << "Kestrun: repair file path longer than 260 characters, no repair list: " << path << endRecord;
  } else {
    host::HostService::buildRepairList(service, path.c_str());
    host::HostService::refreshWheelParts(service);
  }
  if (host::HostService::elapsedCount(service) == 0) {
    host::HostService::finish(service);
    endServiceAtOnce();
  }
}

void KestrunEvent::endServiceAtOnce() {
  servicePenalty_ = 0.0f;
  if (void* modes = host::HostGameModes::instance()) host::HostGameModes::setMode(modes, 1);
  host::HostMessageBox::show(24, &backOnePage, this);
}

}  // namespace kvl::rally
