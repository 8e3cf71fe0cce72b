#include "plugin/gui/service_items.h"

#include "plugin/gui/service_overtime.h"
#include "plugin/gui/service_time.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_message_box.h"
#include "plugin/host/model/host_service.h"

namespace kvl::gui {
namespace {

constexpr std::size_t kTableSlots = 14;

void showMessage(std::int32_t message, host::MessageCallback callback, void* userData) {
  host::HostMessageBox::show(message, callback, userData);
}

void leaveScreen() {
  if (void* manager = host::HostMenuManager::instance()) host::HostMenuManager::back(manager);
}

}  // namespace

const void* ServiceKeyItem::table() {
  return host::replacedTableCopy<kHostTable, kTableSlots, 1>(reinterpret_cast<void*>(&ServiceKeyItem::onInput));
}

void* ServiceKeyItem::construct(void* item, std::int32_t value) {
  host::HostServicePanel::construct(item, value);
  host::setTable(item, table());
  return item;
}

std::int32_t QZR_THISCALL ServiceKeyItem::onInput(void* item, std::int32_t event, std::int32_t value) noexcept {
  try {
    void* service = host::hostService();
    void* clock = host::hostServiceClock();
    if (service == nullptr || clock == nullptr) return 0;
    if (host::HostService::isDone(service)) {
      if (event == kServiceKeyEvent) host::HostServiceClock::consume(clock, host::HostService::workTime(service));
      return 0;
    }
    if (event == kServicePassEvent) return host::HostServicePanel::handleInput(item, event, value);
    if (event != kServiceKeyEvent) return 0;
    if (value != 0) {
      host::HostServicePanel::setLimit(item, 0);
    } else if (host::HostServicePanel::limit(item) <= host::HostService::elapsedCount(service)) {
      return host::HostServicePanel::handleInput(item, kServiceKeyEvent, 0);
    } else if (host::HostPartList::count(host::HostService::partList(service)) == 0) {
      showMessage(kServiceEmptyMessage, &onServiceConfirm, nullptr);
    } else {
      host::HostService::markDone(service);
      host::HostServiceClock::setPeriod(clock, 30.0f);
    }
  } catch (...) {
  }
  return 0;
}

const void* ServiceCountdownItem::table() {
  return host::replacedTableCopy<kHostTable, kTableSlots, 2>(
      reinterpret_cast<void*>(&ServiceCountdownItem::update));
}

void* ServiceCountdownItem::construct(void* item) {
  if (host::HostServiceTimer::construct(item) == nullptr) return nullptr;
  host::setTable(item, table());
  return item;
}

void QZR_THISCALL ServiceCountdownItem::update(void* item, float frameSeconds) noexcept {
  try {
    void* service = host::hostService();
    void* clock = host::hostServiceClock();
    if (service == nullptr || clock == nullptr) return;
    host::HostServiceClock::advance(clock, frameSeconds);
    const float remaining = host::HostServiceClock::remaining(clock);
    auto& delay = host::fieldAt<float>(item, kDelayOffset);
    auto& fired = host::fieldAt<std::int32_t>(item, kFiredOffset);
    auto& overtime = host::fieldAt<float>(item, kOvertimeOffset);
    if (remaining > 0.0f || host::HostService::isDone(service)) {
      if (host::HostService::isWorking(service) != 0) {
        delay -= frameSeconds;
        if (fired == 0 && delay <= 0.0f) {
          host::HostService::finish(service);
          overtime = serviceOvertimeValue(-remaining);
          addServiceTime(overtime);
          showMessage(kServiceDoneMessage, &onServiceDone, &overtime);
          fired = 1;
        }
      } else {
        fired = 0;
        delay = 1.0f;
      }
    } else if (fired == 0) {
      showMessage(kServiceTimeUpMessage, &onServiceConfirm, nullptr);
      fired = 1;
    }
  } catch (...) {
  }
}

void QZR_CDECL onServiceConfirm(std::int32_t answer) noexcept {
  if (answer != 0) return;
  try {
    void* service = host::hostService();
    void* clock = host::hostServiceClock();
    if (service != nullptr) host::HostService::finish(service);
    if (clock != nullptr) addServiceTime(serviceOvertimeValue(-host::HostServiceClock::remaining(clock)));
    leaveScreen();
  } catch (...) {
  }
}

void QZR_CDECL onServiceDone(std::int32_t) noexcept {
  try {
    leaveScreen();
  } catch (...) {
  }
}

}  // namespace kvl::gui
