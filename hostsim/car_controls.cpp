#include "hostsim/car_controls.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kApplyControls = 0x4E91F0, kControlsSite = 0x48D24F, kInputSource = 6, kRawInputSource = 3;

void __attribute__((thiscall)) applyControls(void* car, const unsigned char* record) {
  char bytes[33];
  for (int i = 0; i < 16; ++i) std::snprintf(bytes + 2 * i, 3, "%02x", record[i]);
  char values[64];
  std::snprintf(values, sizeof values, " value %g extra %d bytes ", static_cast<double>(get<float>(record, 16)),
                static_cast<int>(get<std::int32_t>(record, 28)));
  trace("host car controls " + std::to_string(record[0]) + " flags " + std::to_string(get<std::uint32_t>(record, 20)) +
        " gear " + std::to_string(get<std::int32_t>(record, 24)) + values + bytes +
        (car == hostCarObject() ? "" : " on another object"));
}

}  // namespace

void appendCarControlsRows(std::vector<AddressEntry>& rows) {
  rows.push_back({EntryKind::function, kApplyControls, "applyControls", addressOf(&applyControls)});
}

bool runCarControlsStep(const std::string& step, std::istream& in) {
  if (step == "rawinput") {
    std::uint32_t flags = 0;
    float value = 0.0f;
    std::int32_t word = 0;
    std::uint32_t gearByte = 0;
    in >> flags >> value >> word >> gearByte;
    // The host's raw controller event; the words it does not set keep their pattern.
    unsigned char raw[44];
    watchObject("rawinput", raw, sizeof raw);
    put(raw, 0, flags);
    put(raw, 4, word);
    put(raw, 20, value);
    for (std::uint8_t i = 24; i < 40; ++i) put(raw, i, i);
    put(raw, 40, static_cast<std::uint8_t>(gearByte));
    raiseEvent(kRawInputSource, raw);
    releaseObject(raw);
    return true;
  }
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
