#pragma once
// The companion plugin's event: a stage with a service park, run inside the host. The companion
// plugin drives it through the proxy interface; it hands the driver's car state to the host,
// swaps its own copy of the host's event table in, selects its stage and restores the host's
// tables when it ends.
#include <atomic>
#include <cstdint>
#include <map>
#include <string>

#include "plugin/host/events/host_listener.h"
#include "plugin/host/model/host_car_state.h"
#include "plugin/host/model/host_rally_tables.h"
#include "plugin/foundation/texts/name_lookup.h"
#include "plugin/rally/service_info.h"

namespace kvl::rally {

class KestrunEvent {
 public:
  static KestrunEvent& instance();
  ~KestrunEvent();
  KestrunEvent(const KestrunEvent&) = delete;
  KestrunEvent& operator=(const KestrunEvent&) = delete;

  // The operations behind the proxy's control slots, in slot order.
  void configure(std::int32_t stageKey, std::int32_t mechanics, std::int32_t skill, float allowedRepairTime);
  void end();
  std::int32_t start();
  // Copies 16048 bytes in (keeping the record's own table word) or out; 0 and nothing copied for
  // a null buffer or a length below 16048.
  std::int32_t writeDriverRecord(const void* source, std::uint32_t length);
  std::int32_t readDriverRecord(void* destination, std::uint32_t length) const;
  double servicePenalty() const noexcept { return servicePenalty_; }
  host::HostCarState* resetDriverRecord();
  std::int32_t driverRecordValue();

  host::HostCarState* driverRecord() noexcept { return driverRecord_; }
  ServiceInfo& serviceInfo() noexcept { return serviceInfo_; }
  std::int32_t stageKey() const noexcept { return stageKey_; }
  bool active() const noexcept { return active_.load(); }
  // The service screen's overtime, kept for the companion plugin to read. It goes to no stage:
  // the event has none of its own, and no stage word that would take a service time is known.
  void setServicePenalty(float seconds) noexcept { servicePenalty_ = seconds; }
  // The level whose word begins with the given word (any letter case); 0 when none does.
  std::int32_t skillLevel(const std::string& word) const;

  // The action of the event's service page: sets the service clock from the allowed repair
  // time and has the host build its repair list from the stage folder's "repair.ini"; with no
  // work pending the service ends at once.
  static void runRepairService() noexcept;

 private:
  KestrunEvent();
  void applyToHost();
  void finish();
  void repairService();
  void endServiceAtOnce();
  void handOverToHost(const void* record);
  void finishOnRaceEnd(const void* record);
  void finishOnLeave(const void* record);

  float servicePenalty_ = 0.0f;
  alignas(8) std::uint8_t eventTable_[host::HostRallyRecord::kCount * host::HostRallyRecord::kSize] = {};
  host::HostListenerNode handOverNode_;
  alignas(8) std::uint8_t driverStorage_[host::HostCarState::kSize] = {};
  host::HostCarState* driverRecord_ = nullptr;
  void* savedActiveTable_ = nullptr;
  std::uint8_t* savedStageTable_ = nullptr;
  std::int32_t stageKey_ = 0;
  NameTable skillLevels_;
  // The service page "new_main", built by the first start and kept (host heap).
  void* menuPage_ = nullptr;
  // Read by the host's game-state listeners and written by the companion plugin's calls.
  std::atomic<bool> active_{false};
  // The host uses the event's table and a saved copy of its stage table: from start to end.
  bool swapped_ = false;
  ServiceInfo serviceInfo_;
  host::HostListenerNode raceEndNode_;
  host::HostListenerNode leaveNode_;
};

}  // namespace kvl::rally
