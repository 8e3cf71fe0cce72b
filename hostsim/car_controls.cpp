#include "hostsim/car_controls.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/event_hub.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kApplyControls = 0x4E91F0, kControlsSite = 0x48D24F, kInputSource = 6;

void __attribute__((thiscall)) applyControls(void* car, const unsigned char* record) {
  std::uint32_t flags = 0;
  std::int32_t gear = 0;
  std::memcpy(&flags, record + 20, 4);
  std::memcpy(&gear, record + 24, 4);
  trace("host car controls " + std::to_string(record[0]) + " flags " + std::to_string(flags) + " gear " +
        std::to_string(gear) + (car == hostCarObject() ? "" : " on another object"));
}

}  // namespace

void appendCarControlsRows(std::vector<AddressEntry>& rows) {
  rows.push_back({EntryKind::function, kApplyControls, "applyControls", addressOf(&applyControls)});
}

bool runCarControlsStep(const std::string& step, std::istream& in) {
  if (step != "controls") return false;
  std::uint32_t flags = 0;
  std::int32_t gear = 0;
  in >> flags >> gear;
  unsigned char record[32] = {};
  std::memcpy(record + 20, &flags, 4);
  std::memcpy(record + 24, &gear, 4);
  runCallSite(kControlsSite, {wordOf(record)}, wordOf(eventSource(kInputSource)));
  return true;
}

}  // namespace hostsim
