#include "hostsim/companion_plugin.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"
#include "hostsim/rally_host.h"
#include "hostsim/site_invoker.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

std::uint32_t objects[2] = {0, 0};

std::uint32_t wordAt(std::uint32_t address) {
  std::uint32_t w;
  std::memcpy(&w, reinterpret_cast<const void*>(address), 4);
  return w;
}

void traceCall(const SiteOutcome& outcome) {
  trace("proxy call stack words left " + std::to_string(outcome.stackBytesLeft / 4) + " registers " +
        (outcome.registersKept != 0 ? "kept" : "changed"));
}

// Slot n of the interface at `self` (its first word is the table).
const void* slot(std::uint32_t self, int n) {
  return reinterpret_cast<const void*>(wordAt(wordAt(self) + 4u * static_cast<std::uint32_t>(n)));
}
std::uint32_t call(std::uint32_t self, int n, const std::vector<std::uint32_t>& args = {}) {
  SiteOutcome outcome;
  const std::uint32_t result = hostsimCallMember(&outcome, slot(self, n), args.data(), static_cast<int>(args.size()), self);
  traceCall(outcome);
  return result;
}
// The control interface of an object, through its information interface.
std::uint32_t control(int which) { return call(objects[which], 4); }

std::string hex(std::uint32_t w) {
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(w));
  return text;
}

void traceTables() {
  std::uint32_t active;
  std::memcpy(&active, rallyTable() + 792, 4);
  const bool builtIn = active == wordOf(builtInRallyRecords());
  std::string line = std::string("proxy rally active ") + (builtIn ? "built-in" : "event");
  if (!builtIn && active != 0) {
    const auto* records = reinterpret_cast<const unsigned char*>(active);
    // The crew of record 0, and whether the other six hold the same.
    const std::string crew = rallyRecordCrew(records);
    bool same = true;
    for (std::uint32_t i = 1; i < 7; ++i) same = same && rallyRecordCrew(records + i * kRallyRecordSize) == crew;
    // Record 6 is the host's built-in record 6 but for the crew.
    const unsigned char* own = builtInRallyRecords() + 6 * kRallyRecordSize;
    const unsigned char* copy = records + 6 * kRallyRecordSize;
    const bool copied = std::memcmp(copy, own, kRallyRecordSkill) == 0 &&
                        std::memcmp(copy + kRallyRecordMechanics + 4, own + kRallyRecordMechanics + 4,
                                    kRallyRecordSize - kRallyRecordMechanics - 4) == 0;
    line += " " + crew + (same ? " in every record," : " in record 0 only,") + " record6 " +
            (copied ? "the host's" : "not the host's");
  }
  trace(line + " stage entry " + std::to_string(selectedStageEntry()));
}

}  // namespace

bool runCompanionStep(std::istream& in) {
  std::string step;
  in >> step;
  if (step == "create") {
    HMODULE plugin = GetModuleHandleA("QZR.dll");
    auto create = reinterpret_cast<void* (*)()>(reinterpret_cast<void*>(GetProcAddress(plugin, "CreateProxy")));
    if (create == nullptr) {
      trace("proxy CreateProxy missing");
      return true;
    }
    objects[0] = wordOf(create());
    objects[1] = wordOf(create());
    trace(std::string("proxy objects ") + (objects[0] != 0 && objects[1] != 0 && objects[0] != objects[1] ? "two" : "same"));
    for (int i = 0; i < 2; ++i) {
      const std::uint32_t c = control(i);
      trace("proxy control at +" + std::to_string(static_cast<std::int32_t>(c - objects[i])));
    }
    const std::uint32_t version = call(objects[0], 1);
    const std::uint32_t ready = call(objects[0], 2) & 0xFF;
    const std::uint32_t build = call(objects[0], 3);
    trace("proxy version " + std::to_string(version) + " ready " + std::to_string(ready) + " build " +
          std::to_string(build));
  } else if (step == "configure") {
    std::int32_t stage = 0, mechanics = 0, skill = 0;
    float minutes = 0;
    in >> stage >> mechanics >> skill >> minutes;
    call(control(0), 0,
         {static_cast<std::uint32_t>(stage), static_cast<std::uint32_t>(mechanics), static_cast<std::uint32_t>(skill),
          floatWord(minutes)});
  } else if (step == "write") {
    std::uint32_t length = 0;
    in >> length;
    std::vector<unsigned char> record(length < kCarStateSize ? kCarStateSize : length);
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<unsigned char>(i);
    const std::uint32_t beef = 0xDEADBEEF;
    std::memcpy(record.data(), &beef, 4);
    trace("proxy write result " + std::to_string(call(control(1), 3, {wordOf(record.data()), length})));
  } else if (step == "read") {
    std::uint32_t length = 0;
    in >> length;
    std::vector<unsigned char> buffer((length < kCarStateSize ? kCarStateSize : length) + 16, 0xCC);
    const std::uint32_t result = call(control(0), 4, {wordOf(buffer.data()), length});
    std::uint32_t table;
    std::memcpy(&table, buffer.data(), 4);
    bool pattern = true;
    for (std::size_t i = 4; i < kCarStateSize && pattern; ++i) pattern = i == 100 || buffer[i] == static_cast<unsigned char>(i);
    bool untouched = true;
    for (unsigned char b : buffer) untouched = untouched && b == 0xCC;
    std::string what = untouched ? "untouched"
                       : std::string("table ") + (table == carStateTableAddress() ? "host" : hex(table)) +
                             (pattern ? " body written" : " body other") + " byte100 " + std::to_string(buffer[100]) +
                             " after " + hex(buffer[kCarStateSize]);
    trace("proxy read result " + std::to_string(result) + " " + what);
  } else if (step == "start") {
    trace("proxy start result " + std::to_string(call(control(0), 2)));
    traceTables();
  } else if (step == "end") {
    call(control(1), 1);
    traceTables();
  } else if (step == "damage") {
    const unsigned char damage = 77;
    hostWrite(playerRecord(0) + 100, &damage, 1);
  } else if (step == "value") {
    SiteOutcome outcome;
    const double value = hostsimCallMemberDouble(&outcome, slot(control(0), 5), nullptr, 0, control(0));
    traceCall(outcome);
    trace("proxy value " + std::to_string(value));
  } else if (step == "reset") {
    trace(std::string("proxy reset ") + (call(control(0), 6) != 0 ? "record" : "null"));
  } else if (step == "query") {
    trace("proxy query " + std::to_string(call(control(0), 7)));
  } else if (step == "free") {
    for (std::uint32_t& o : objects) {
      trace("proxy free result " + std::string(call(o, 0, {1}) == o ? "self" : "other"));
      o = 0;
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
