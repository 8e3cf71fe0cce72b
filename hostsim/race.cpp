#include "hostsim/race.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/stage_model.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kRaceGlobal = 0x165FC68;
constexpr std::uint32_t kUpdate = 0x4783B0, kUpdateSite = 0x478981;
constexpr std::uint32_t kAdvance = 0x579430, kIsRunning = 0x572FC0, kFinishStage = 0x573530;
constexpr std::uint32_t kApplyValue = 0x572DA0, kEventValue = 0x476BF0, kEventFlag = 0x565E80;
constexpr std::uint32_t kEventPair = 0x492AE0, kEventPairGlobal = 0x7C2CA0;
constexpr std::uint32_t kRaceEventSource = 51, kRaceValuesSource = 58;
constexpr std::uint32_t kEventSize = 12;

// The host's race events (12 bytes each), in a block that grows by one event at a time.
unsigned char* events = nullptr;
std::uint32_t eventCount = 0;
std::int32_t eventFlagAnswer = 0;
constexpr float kStartTime = 12.5f;
float workerStepTime = kStartTime;

// The race's words (4096 bytes): the car's speed in km/h and its engine speed, the distances
// along the stage's drive line in metres, the progress (a fraction of the drive line), the race
// time with its hold word, the gear, three race values, the dashboard link.
constexpr std::uint32_t kSpeed = 12, kEngineSpeed = 16, kDriveLineLocation = 32, kTravelDistance = 36;
constexpr std::uint32_t kDistanceToEnd = 40, kProgress = 316, kRaceTime = 320, kHold = 324, kGear = 368;
constexpr std::uint32_t kRaceValues = 600, kDashboardLink = 1996;
// The stage's drive line, as long as the simulated game's stages are.
constexpr float kDriveLineMetres = 5000.0f;

// Before a stage: no car moving on a drive line, the race clock at its start, no dashboard.
unsigned char* raceObject() {
  static unsigned char* race = [] {
    unsigned char* r = hostObject("race", 4096);
    for (std::uint32_t at : {kSpeed, kEngineSpeed, kDriveLineLocation, kTravelDistance, kDistanceToEnd, kProgress}) {
      put(r, at, 0.0f);
    }
    put(r, kRaceTime, kStartTime);
    put(r, kHold, 0);
    put(r, kGear, 0);
    for (int i = 0; i < 3; ++i) put(r, kRaceValues + 4 * i, 1.0f + static_cast<float>(i));
    put(r, kDashboardLink, 0u);
    return r;
  }();
  return race;
}

// The event list: its count at +32 and its array at +36.
constexpr std::uint32_t kListCount = 32, kListArray = 36;
unsigned char* eventList() {
  static unsigned char* list = [] {
    unsigned char* l = hostObject("raceeventlist", kListArray + 4);
    put(l, kListCount, 0u);
    put(l, kListArray, 0u);
    return l;
  }();
  return list;
}

// A new event at the end: a new block of the host's takes the old events and the new one, whose
// words the caller lays out.
unsigned char* appendEvent() {
  unsigned char* grown = hostObject("raceevents", kEventSize * (eventCount + 1));
  if (events != nullptr) {
    hostWrite(grown, events, kEventSize * eventCount);
    releaseObject(events);
    std::free(events);
  }
  events = grown;
  ++eventCount;
  put(eventList(), kListCount, eventCount);
  put(eventList(), kListArray, wordOf(events));
  return events + kEventSize * (eventCount - 1);
}

std::int32_t indexOf(const void* event) {
  return static_cast<std::int32_t>((static_cast<const unsigned char*>(event) - events) / kEventSize);
}

void THISCALL hostUpdate(void*, float now) {
  std::string handled;
  for (std::uint32_t i = 0; i < eventCount; ++i) {
    if ((get(events, i * kEventSize + 4) & 0x80000000u) != 0) handled += " " + std::to_string(i);
  }
  trace("host raceUpdate " + traceNumber(now) + " handled" + handled);
}
void THISCALL hostAdvance(void*) { trace("host raceAdvance"); }
std::int32_t THISCALL hostIsRunning(void*) { return 1; }
std::int32_t THISCALL hostFinishStage(void*) {
  trace("host raceFinishStage");
  return 0;
}
void THISCALL hostApplyValue(void*, float v) { trace("host raceApplyValue " + traceNumber(v)); }
float THISCALL hostEventValue(void* event) { return 100.0f + indexOf(event); }
std::int32_t THISCALL hostEventFlag(void*) { return eventFlagAnswer; }
std::int32_t THISCALL hostEventPair(std::int32_t object, std::int32_t v) {
  trace("host raceEventPair object " + std::to_string(object) + " " + std::to_string(v));
  return 0;
}
std::int32_t THISCALL pathsSlot40(void*, std::int32_t v) {
  trace("host paths slot40 " + std::to_string(v));
  return 0;
}

// The application's paths object gets a table whose slot 40 the rally school's event calls.
void tablePathsOnce() {
  static unsigned char* table = hostObject("pathstable", 4 * 41);
  put(table, 4 * 40, addressOf(&pathsSlot40));
  put(applicationPaths(), 0, wordOf(table));
}

void THISCALL listenerDestroy(ListenerNode*, std::uint32_t) {}
void THISCALL raceEventInvoke(ListenerNode*, const void* record) {
  float time, value;
  std::uint32_t event;
  std::memcpy(&time, record, 4);
  std::memcpy(&event, static_cast<const unsigned char*>(record) + 4, 4);
  std::memcpy(&value, static_cast<const unsigned char*>(record) + 8, 4);
  trace("host raceEvent " + std::to_string(indexOf(reinterpret_cast<const void*>(event))) + " at " + traceNumber(time) +
        " value " + traceNumber(value));
}
void THISCALL raceValuesInvoke(ListenerNode*, const void* record) {
  float v[4];
  std::int32_t flag;
  std::memcpy(v, record, 16);
  std::memcpy(&flag, static_cast<const unsigned char*>(record) + 16, 4);
  trace("host raceValues " + traceNumber(v[0]) + " " + traceNumber(v[1]) + " " + traceNumber(v[2]) + " " + traceNumber(v[3]) + " flag " +
        std::to_string(flag));
}
const ListenerNodeTable raceEventTable = {listenerDestroy, raceEventInvoke};
const ListenerNodeTable raceValuesTable = {listenerDestroy, raceValuesInvoke};

void listenOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  static ListenerNode a = {&raceEventTable, nullptr, nullptr, nullptr};
  static ListenerNode b = {&raceValuesTable, nullptr, nullptr, nullptr};
  appendHostListener(kRaceEventSource, a);
  appendHostListener(kRaceValuesSource, b);
}

}  // namespace

unsigned char* hostRace() { return raceObject(); }

void advanceRaceDistance(float metres) {
  unsigned char* race = raceObject();
  const float travelled = get<float>(race, kTravelDistance) + metres;
  const float location = std::min(get<float>(race, kDriveLineLocation) + metres, kDriveLineMetres);
  put(race, kTravelDistance, travelled);
  put(race, kDriveLineLocation, location);
  put(race, kDistanceToEnd, kDriveLineMetres - location);
  put(race, kProgress, location / kDriveLineMetres);
}

void noteWorkerStep(float seconds) {
  if (get<std::int32_t>(raceObject(), kHold) == 0) workerStepTime += seconds;
}

std::vector<AddressEntry> raceEntries() {
  tablePathsOnce();
  return {
      {EntryKind::global, kRaceGlobal, "race", wordOf(raceObject())},
      {EntryKind::global, kEventPairGlobal, "eventPairObject", 0x1234},
      {EntryKind::function, kUpdate, "raceUpdate", addressOf(&hostUpdate)},
      {EntryKind::function, kAdvance, "raceAdvance", addressOf(&hostAdvance)},
      {EntryKind::function, kIsRunning, "raceIsRunning", addressOf(&hostIsRunning)},
      {EntryKind::function, kFinishStage, "raceFinishStage", addressOf(&hostFinishStage)},
      {EntryKind::function, kApplyValue, "raceApplyValue", addressOf(&hostApplyValue)},
      {EntryKind::function, kEventValue, "raceEventValue", addressOf(&hostEventValue)},
      {EntryKind::function, kEventFlag, "modesEventFlag", addressOf(&hostEventFlag)},
      {EntryKind::function, kEventPair, "eventPair", addressOf(&hostEventPair)},
      {EntryKind::callSite, kUpdateSite, "raceUpdateSite", kUpdate},
  };
}

bool runRaceStep(std::istream& in) {
  listenOnce();
  std::string step;
  in >> step;
  if (step == "event") {
    std::uint32_t kind = 0;
    float time = 0;
    std::string flagsText = "0";
    in >> kind >> time >> flagsText;
    std::uint32_t flags = static_cast<std::uint32_t>(std::strtoul(flagsText.c_str(), nullptr, 16));
    // The kind is in the low half of the first word, unless the flags carry it; the rest of
    // that word is not the event's.
    unsigned char* e = appendEvent();
    if ((flags & 0x4000u) != 0) {
      flags |= (kind & 0xFFFu) << 19;
    } else {
      put(e, 0, static_cast<std::uint16_t>(kind));
    }
    put(e, 4, flags);
    put(e, 8, time);
  } else if (step == "mode") {
    std::int32_t mode = 0;
    in >> mode;
    put(hostObjects().gameModes, 0, mode);
  } else if (step == "time") {
    trace("host race time " + traceNumber(get<float>(raceObject(), kRaceTime)));
  } else if (step == "hold") {
    std::int32_t hold = 0;
    in >> hold;
    put(raceObject(), kHold, hold);
  } else if (step == "stall") {
    double seconds = 0;
    in >> seconds;
    Sleep(static_cast<DWORD>(seconds * 1000.0));
  } else if (step == "total") {
    const float elapsed = get<float>(raceObject(), kRaceTime);
    char text[96];
    std::snprintf(text, sizeof text, "host race time %.9g worker steps %.9g", static_cast<double>(elapsed),
                  static_cast<double>(workerStepTime));
    trace(text);
  } else if (step == "eventflag") {
    in >> eventFlagAnswer;
  } else if (step == "update") {
    float now = 0;
    in >> now;
    runCallSite(kUpdateSite, {floatWord(now)}, wordOf(eventList()));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
