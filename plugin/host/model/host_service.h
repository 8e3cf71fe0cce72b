#pragma once
// The host's service park: the service object with its parts, repair list and part table, and
// the service clock. The plugin builds the repair list with its own work times for the
// wheel-related parts, puts its own repair entries for the four wheels into the part table and
// ends a service visit keeping the car's wheel records.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

void* hostService();  // host global 0x7D2AF4

struct HostService {
  static constexpr std::size_t kRepairEntrySize = 84;

  static float workTime(void* service);             // host 0x5B11C0
  static std::int32_t elapsedCount(void* service);  // host 0x5B0590
  static std::int32_t hostActionB(void* service);   // host 0x5AFE00
  static std::int32_t isWorking(void* service);     // host 0x5B1360

  static void* partList(void* service) noexcept { return addressAt(service, 8); }
  static bool isDone(const void* service) noexcept { return fieldAt<std::int32_t>(service, 12) != 0; }
  static void markDone(void* service) noexcept { fieldAt<std::int32_t>(service, 12) = 1; }
  // The first repair-list entry with the part id, or null.
  static void* findEntry(void* service, std::int32_t partId) noexcept;

  // The host builder (0x5B16F0) with the repair file, then the plugin's wheel work times, scaled
  // by the crew of the current stage record.
  static void buildRepairList(void* service, const char* repairFile);
  // The host's wheel refresh (0x5AFE40), then the plugin's entries for the four wheels.
  static void refreshWheelParts(void* service);
  // Ends a service visit, keeping the serviced car's four wheel records; the host closing step's
  // result.
  static std::int32_t finish(void* service);
};

struct HostPartList {
  static std::int32_t count(void* list);           // host 0x5AFDE0
  static void* at(void* list, std::int32_t index);  // host 0x5AFDB0
};

void* hostServiceClock();  // host global 0x7D2AF8

struct HostServiceClock {
  static void setTime(void* clock, float seconds);                // host 0x5B0050
  static std::int32_t advance(void* clock, float elapsedSeconds);  // host 0x5B1640
  static float remaining(const void* clock) noexcept { return fieldAt<float>(clock, 4); }
  static void consume(void* clock, float seconds) noexcept { fieldAt<float>(clock, 4) -= seconds; }
  static void setPeriod(void* clock, float period) noexcept { fieldAt<float>(clock, 0) = period; }
};

// The plugin's repair entries (16 bytes: table word, part id at +4, wheel index at +12); the
// host calls their slots with the serviced car's record.
struct WheelEntry {
  static std::int32_t QZR_THISCALL condition(void* entry, void* carState) noexcept;
  static void QZR_THISCALL repair(void* entry, void* carState) noexcept;
};
struct WheelPartEntry {
  static std::int32_t QZR_THISCALL condition(void* entry, void* carState) noexcept;
};

}  // namespace kvl::host
