#include "hostsim/car_controls.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kApplyControls = 0x4E91F0;

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

}  // namespace hostsim
