#include "hostsim/service_visit_model.h"

#include <cstdio>
#include <cstdlib>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_objects.h"
#include "hostsim/service_page_model.h"
#include "hostsim/site_invoker.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kServiceGlobal = 0x7D2AF4, kClockGlobal = 0x7D2AF8, kMessageBoxGlobal = 0x7D2344;
// The service object: repair count +0, repair list +4, part list +8, done flag +12, part table
// +20. The clock: period +0, remaining +4. The panel's limit at +8.
constexpr std::uint32_t kListCount = 0, kListEntries = 4, kPartListOffset = 8, kDoneOffset = 12, kPartTable = 20;
constexpr std::uint32_t kServiceSize = 24;
constexpr std::uint32_t kClockPeriod = 0, kClockRemaining = 4, kClockSize = 8;
constexpr std::uint32_t kPanelLimitOffset = 8;
constexpr int kMaxParts = 8;
constexpr std::uint32_t kPartSize = 16;

using MessageCallback = void(__cdecl*)(std::int32_t);

struct Visit {
  unsigned char* service;
  unsigned char* clock;
  unsigned char* box;
  unsigned char* parts;  // kMaxParts parts of kPartSize bytes
  std::int32_t partCount = 0, elapsed = 0, working = 0;
  float workTime = 0.0f;
  MessageCallback callback = nullptr;
};
Visit& visit() {
  static Visit v = [] {
    Visit n;
    // Between visits: no repair list, not done, no car being serviced. The part list's own words
    // (+8) and the word at +16 are the host's, named nowhere.
    n.service = hostObject("service", kServiceSize);
    put(n.service, kListCount, std::int32_t{0});
    put(n.service, kListEntries, 0u);
    put(n.service, kDoneOffset, std::int32_t{0});
    put(n.service, kPartTable, 0u);
    n.clock = hostObject("serviceclock", kClockSize);
    put(n.clock, kClockPeriod, 0.0f);
    put(n.clock, kClockRemaining, 0.0f);
    // The message box and the parts: their words are the host's, named nowhere.
    n.box = hostObject("messagebox", 16);
    n.parts = hostObject("serviceparts", kMaxParts * kPartSize);
    return n;
  }();
  return v;
}

unsigned char* nthPart(std::int32_t index) { return visit().parts + kPartSize * static_cast<std::uint32_t>(index); }
float remaining() { return get<float>(visit().clock, kClockRemaining); }

float THISCALL workTime(void*) { return visit().workTime; }
std::int32_t THISCALL elapsedCount(void*) { return visit().elapsed; }
std::int32_t THISCALL isWorking(void*) { return visit().working; }
std::int32_t THISCALL partCount(unsigned char* list) {
  if (list != visit().service + kPartListOffset) trace("host part list unexpected object");
  return visit().partCount;
}
void* THISCALL partAt(unsigned char*, std::int32_t index) {
  return index >= 0 && index < visit().partCount ? nthPart(index) : nullptr;
}
void THISCALL closePart(unsigned char* part) {
  trace("host service part close " + std::to_string((part - visit().parts) / kPartSize));
}
std::int32_t THISCALL finishVisit(void*) {
  trace("host service finish");
  visit().working = 0;
  return 1;
}
std::int32_t THISCALL advanceClock(unsigned char* clock, float seconds) {
  put(clock, kClockRemaining, get<float>(clock, kClockRemaining) - seconds);
  return 0;
}
void THISCALL showMessage(void* box, std::int32_t message, MessageCallback callback, const float* userData) {
  if (box != visit().box) trace("host message box unexpected object");
  trace("host message " + std::to_string(message) + " user " +
        (userData == nullptr ? std::string("none") : "float " + traceNumber(*userData)));
  visit().callback = callback;
}
std::int32_t THISCALL menuBack(void* manager, std::int32_t which) {
  if (manager != hostObjects().menuManager) trace("host menu back unexpected object");
  trace("host menu back " + std::to_string(which));
  return 1;
}
std::int32_t THISCALL panelInput(void*, std::int32_t event, std::int32_t value) {
  trace("host service panel input " + std::to_string(event) + " " + std::to_string(value));
  return 5;
}

// Slot n of a host object's table.
const void* slot(const unsigned char* object, int n) {
  return pointer(get(pointer(get(object, 0)), 4u * static_cast<std::uint32_t>(n)));
}

}  // namespace

void appendServiceVisitRows(std::vector<AddressEntry>& rows) {
  Visit& v = visit();
  rows.push_back({EntryKind::global, kServiceGlobal, "service", wordOf(v.service)});
  rows.push_back({EntryKind::global, kClockGlobal, "serviceClock", wordOf(v.clock)});
  rows.push_back({EntryKind::global, kMessageBoxGlobal, "messageBox", wordOf(v.box)});
  appendFunctions(rows, {
                            {0x5B11C0, "serviceWorkTime", addressOf(&workTime)},
                            {0x5B0590, "serviceElapsedCount", addressOf(&elapsedCount)},
                            {0x5B1360, "serviceIsWorking", addressOf(&isWorking)},
                            {0x5AFDE0, "partListCount", addressOf(&partCount)},
                            {0x5AFDB0, "partListAt", addressOf(&partAt)},
                            {0x5B03A0, "servicePartClose", addressOf(&closePart)},
                            {0x5B1140, "serviceFinish", addressOf(&finishVisit)},
                            {0x5B1640, "serviceClockAdvance", addressOf(&advanceClock)},
                            {0x58DC60, "messageBoxShow", addressOf(&showMessage)},
                            {0x560290, "menuBack", addressOf(&menuBack)},
                            {0x5C5920, "servicePanelInput", addressOf(&panelInput)},
                        });
}

unsigned char* serviceObject() { return visit().service; }

bool runServiceVisitStep(const std::string& step, std::istream& in) {
  Visit& v = visit();
  if (step == "servicevisit") {
    in >> v.partCount >> v.elapsed >> v.workTime;
    if (v.partCount < 0 || v.partCount > kMaxParts) v.partCount = 0;
    v.working = 1;
    put(v.service, kDoneOffset, std::int32_t{0});
  } else if (step == "serviceclock") {
    float seconds = 0.0f;
    in >> seconds;
    put(v.clock, kClockRemaining, seconds);
  } else if (step == "servicelimit" || step == "servicekey" || step == "servicetick") {
    unsigned char* panel = lastServiceObject("panel");
    unsigned char* timer = lastServiceObject("timer");
    if ((step == "servicetick" ? timer : panel) == nullptr) {
      trace("host service screen not built");
    } else if (step == "servicelimit") {
      std::int32_t limit = 0;
      in >> limit;
      put(panel, kPanelLimitOffset, limit);
    } else if (step == "servicekey") {
      std::string event;
      std::int32_t value = 0;
      in >> event >> value;
      const std::uint32_t args[] = {static_cast<std::uint32_t>(std::strtoul(event.c_str(), nullptr, 16)),
                                    static_cast<std::uint32_t>(value)};
      SiteOutcome outcome;
      const std::uint32_t result = hostsimCallMember(&outcome, slot(panel, 1), args, 2, wordOf(panel));
      trace("host service key result " + std::to_string(static_cast<std::int32_t>(result)) + " stack words left " +
            std::to_string(outcome.stackBytesLeft / 4));
    } else {
      float seconds = 0.0f;
      in >> seconds;
      const std::uint32_t args[] = {floatWord(seconds)};
      SiteOutcome outcome;
      hostsimCallMember(&outcome, slot(timer, 2), args, 1, wordOf(timer));
      trace("host service tick stack words left " + std::to_string(outcome.stackBytesLeft / 4));
    }
  } else if (step == "messageanswer") {
    std::int32_t answer = 0;
    in >> answer;
    trace("host message answer " + std::to_string(answer));
    const MessageCallback callback = v.callback;
    v.callback = nullptr;
    if (callback != nullptr) callback(answer);
  } else if (step == "serviceshow") {
    const unsigned char* panel = lastServiceObject("panel");
    trace("host service done " + std::to_string(get<std::int32_t>(v.service, kDoneOffset)) + " working " +
          std::to_string(v.working) + " limit " +
          (panel == nullptr ? std::string("none") : std::to_string(get<std::int32_t>(panel, kPanelLimitOffset))) +
          " clock period " + traceNumber(get<float>(v.clock, kClockPeriod)) + " remaining " + traceNumber(remaining()));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
