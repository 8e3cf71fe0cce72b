#include "hostsim/runtime_host.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/car_physics_tick.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_event_sites.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/host_words.h"
#include "hostsim/race.h"
#include "hostsim/replay.h"
#include "hostsim/sound_tick_count.h"
#include "hostsim/thread_roles.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", v);
  return text;
}

// Sites that raise a host event source: the record's address, or for one-word records the word.
struct RaiseSite {
  std::uint32_t site;
  bool word;
};
const RaiseSite kRaiseSites[] = {
    {0x4CC42F, false}, {0x48D24F, false}, {0x4CC48E, false}, {0x56E6EA, false}, {0x5191A9, false},
    {0x5FDDF3, false}, {0x5FDC15, false}, {0x51FEEC, true},  {0x522377, true},  {0x60D443, true},
    {0x47F52A, false}, {0x47F653, false}, {0x4E9307, false}, {0x4EF703, true},  {0x4F149B, false},
    {0x6180AF, false}, {0x4E8FBE, true},  {0x4E9BBA, true},  {0x52C501, false}, {0x4E4934, false},
    {0x4EA3B1, false}, {0x4E977C, false}, {0x4E9C5C, false}, {0x4EA1CC, false}, {0x4EBC8E, false},
    {0x51FC9F, false}, {0x5220DB, false}, {0x52C6F6, false}, {0x5F9933, false}, {0x60092A, false},
    {0x5F9A26, false}, {0x4EA1F7, true},  {0x5F9A4B, true},  {0x5358A7, false}, {0x5FD8FB, false},
    {0x50855C, false}, {0x5FDE62, false}, {0x5232E3, false}, {0x518D71, false}, {0x4F212D, false},
    {0x4E991B, false}, {0x51FCEB, false}, {0x52E025, false}, {0x4919CE, true},
};

std::uint32_t sourceNumber(const EventSource* source) {
  return static_cast<std::uint32_t>((reinterpret_cast<std::uintptr_t>(source) -
                                     reinterpret_cast<std::uintptr_t>(eventSource(0))) /
                                    kSourceStride);
}

void __attribute__((thiscall)) raiseRecord(EventSource* source, const void* record) {
  raiseEvent(sourceNumber(source), record);
}
void __attribute__((thiscall)) raiseWord(EventSource* source, std::uint32_t word) {
  raiseEvent(sourceNumber(source), &word);
}

std::uint32_t stepCount = 0;

// The host's own physics step; each raises the step's event through its site.
void __attribute__((thiscall)) runStep(void*, float seconds, std::int32_t argument) {
  const HostStepGuard step;
  ++stepCount;
  trace("host physics step " + number(seconds) + " periods " + std::to_string(argument) + " on " + threadRole());
  if (threadTag() != "main") noteWorkerStep(seconds);
  noteThreadRole("physics");
  noteSoundTickStep();
  const std::uint32_t record[2] = {stepCount, 0};
  runCallSite(kStepEventSite, {wordOf(record)}, wordOf(eventSource(kStepEventSource)), false);
  raiseQueuedEventSites();
  runCarPhysicsTick(seconds);
}
void __attribute__((thiscall)) finishStep(void*) {}

// What the frame's step call reaches in the host: the step, inline.
std::uint8_t __stdcall frameStep(float seconds, std::int32_t argument) {
  runStep(hostObjects().game, seconds, argument);
  finishStep(hostObjects().game);
  return 0;
}
void __cdecl frameCallback() { trace("host frame callback"); }

void __attribute__((thiscall)) hostForce(void*, std::int32_t magnitude) {
  trace("host force " + std::to_string(magnitude));
}
void __attribute__((thiscall)) inputPoll(void*, std::int32_t value) {
  trace("host input poll " + std::to_string(value) + " on " + threadRole());
}

// The DirectInput effect stand-in: slot 6 is SetParameters.
struct EffectParameters {
  std::uint32_t size, flags, duration, samplePeriod, gain, triggerButton, triggerRepeat, axes;
  std::uint32_t axisList, direction, envelope, typeSpecificSize, typeSpecific, startDelay;
};
static_assert(sizeof(EffectParameters) == 56, "DIEFFECT");
std::int32_t __stdcall setParameters(void*, const EffectParameters* p, std::uint32_t flags) {
  std::int32_t magnitude = 0;
  if (p->typeSpecific != 0) std::memcpy(&magnitude, reinterpret_cast<const void*>(p->typeSpecific), 4);
  char text[160];
  std::snprintf(text, sizeof text, "effect SetParameters magnitude %d flags %08x size %u dieff %02x duration %08x axes %u",
                static_cast<int>(magnitude), static_cast<unsigned>(flags), static_cast<unsigned>(p->size),
                static_cast<unsigned>(p->flags), static_cast<unsigned>(p->duration), static_cast<unsigned>(p->axes));
  trace(text);
  return 0;
}
std::int32_t __stdcall effectUnused(void*) { return 0; }
void* effectTable[12] = {};
struct Effect {
  void** table;
} effect;
unsigned char* forceDevice = nullptr;

// The plugin list and its loader: an entry is 8 bytes, the module handle first.
std::vector<void*> pluginList;
void __attribute__((thiscall)) pluginListAdd(void*, void** entry) {
  pluginList.push_back(*entry);
  trace("host plugin list add, " + std::to_string(pluginList.size()) + " plugins");
}
void __attribute__((thiscall)) pluginEntryConstruct(void* entry) { std::memset(entry, 0, 8); }
std::uint32_t __attribute__((thiscall)) pluginEntryLoad(void* entry, const char* path) {
  HMODULE module = LoadLibraryA(path);
  const bool ok = module != nullptr && GetProcAddress(module, "KVL_CreatePlugin") != nullptr;
  const char* name = std::strrchr(path, '\\');
  trace(std::string("host plugin load ") + (name != nullptr ? name + 1 : path) + (ok ? " ok" : " failed"));
  const auto word = wordOf(module);
  std::memcpy(entry, &word, 4);
  return ok ? 0x101u : 0x100u;  // only the low byte tells
}
void __attribute__((thiscall)) pluginEntryDestroy(void* entry) {
  std::uint32_t word = 0;
  std::memcpy(&word, entry, 4);
  if (word != 0) FreeLibrary(reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(word)));
  trace("host plugin entry destroyed");
}

unsigned char* replay = nullptr;
unsigned char* renderer = nullptr;
unsigned char* pluginListObject = nullptr;

}  // namespace

const char* threadRole() { return threadTag() == "main" ? "host" : "worker"; }

void createRuntimeObjects() {
  if (replay != nullptr) return;
  replay = newReplayObject();
  renderer = hostObject("renderer", 512);
  // No device yet, no window, a screen of 0 x 0 until the host knows its mode.
  for (std::uint32_t at : {228u, 244u, 256u, 260u}) put(renderer, at, 0u);
  // The plugin only hands the list to the host's own append.
  pluginListObject = hostObject("pluginlist", 16);
  for (void*& slot : effectTable) slot = reinterpret_cast<void*>(&effectUnused);
  effectTable[6] = reinterpret_cast<void*>(&setParameters);
  effect.table = effectTable;
  forceDevice = hostObject("forcedevice", kDeviceEffectOffset + 4);
  put(forceDevice, kDeviceEffectOffset, wordOf(&effect));
  for (std::uint32_t k : {kInputSource, kStepEventSource, kFrameEventSource, kSteeringSource}) addHostListener(k);
}

void* rendererObject() { return renderer; }
void* forceFeedbackObject() {
  createRuntimeObjects();
  return forceDevice;
}

std::vector<AddressEntry> runtimeEntries() {
  createRuntimeObjects();
  std::vector<AddressEntry> rows = {
      {EntryKind::function, kRunStep, "runStep", addressOf(&runStep)},
      {EntryKind::function, kFinishStep, "finishStep", addressOf(&finishStep)},
      {EntryKind::function, kFrameStep, "frameStep", addressOf(&frameStep)},
      {EntryKind::function, kFrameCallback, "frameCallback", addressOf(&frameCallback)},
      {EntryKind::function, kForceFunction, "hostForce", addressOf(&hostForce)},
      {EntryKind::function, kInputPoll, "inputPoll", addressOf(&inputPoll)},
      {EntryKind::function, kRaiseRecord, "raiseRecord", addressOf(&raiseRecord)},
      {EntryKind::function, kRaiseWord, "raiseWord", addressOf(&raiseWord)},
      {EntryKind::function, kPluginListAdd, "pluginListAdd", addressOf(&pluginListAdd)},
      {EntryKind::function, kPluginEntryConstruct, "pluginEntryConstruct", addressOf(&pluginEntryConstruct)},
      {EntryKind::function, kPluginEntryLoad, "pluginEntryLoad", addressOf(&pluginEntryLoad)},
      {EntryKind::function, kPluginEntryDestroy, "pluginEntryDestroy", addressOf(&pluginEntryDestroy)},
      {EntryKind::callSite, kFrameStepSite, "frameStepSite", kFrameStep},
      {EntryKind::callSite, kFrameCallbackSite, "frameCallbackSite", kFrameCallback},
      {EntryKind::callSite, kForceSite, "forceSite", kForceFunction},
      {EntryKind::callSite, kInputPollSite, "inputPollSite", kInputPoll},
      {EntryKind::global, kReplayGlobal, "replay", wordOf(replay)},
      {EntryKind::global, kRendererGlobal, "renderer", wordOf(renderer)},
      {EntryKind::global, kPluginListGlobal, "pluginList", wordOf(pluginListObject)},
  };
  for (const RaiseSite& r : kRaiseSites) {
    rows.push_back({EntryKind::callSite, r.site, "raiseSite", r.word ? kRaiseWord : kRaiseRecord});
  }
  return rows;
}

void runFrameCalls(float stepSeconds) {
  // The step call and the callback call right after it run as one stretch of host code.
  runCallSite(kFrameStepSite, {floatWord(stepSeconds), 1}, 0, false);
  static std::int32_t frameValue = 0;
  frameValue = 1;  // the frame's one-int record, passed by address
  runCallSite(kFrameEventSite, {wordOf(&frameValue)}, wordOf(eventSource(kFrameEventSource)), false);
  runCallSite(kSteeringSite, {7}, wordOf(eventSource(kSteeringSource)), false);
}

void runForceSite(std::int32_t magnitude) {
  runCallSite(kForceSite, {static_cast<std::uint32_t>(magnitude)}, wordOf(forceDevice));
}

void runRaiseSite(std::uint32_t site, std::uint32_t source, std::int32_t first) {
  static bool listening[kSourceCount] = {};
  if (source >= kSourceCount) return;
  if (!listening[source]) addHostListener(source);
  listening[source] = true;
  bool word = false;
  for (const RaiseSite& r : kRaiseSites) word = word || (r.site == site && r.word);
  std::int32_t record[64] = {first};
  runCallSite(site, {word ? static_cast<std::uint32_t>(first) : wordOf(record)}, wordOf(eventSource(source)));
}

void runInputPollSite(std::int32_t value) {
  runCallSite(kInputPollSite, {static_cast<std::uint32_t>(value)}, wordOf(forceDevice));
}

}  // namespace hostsim
