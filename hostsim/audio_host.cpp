#include "hostsim/audio_host.h"

#include "hostsim/car_model.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/replay.h"
#include "hostsim/fields.h"
#include "hostsim/stray_words.h"
#include "hostsim/frame_pacing.h"
#include "hostsim/car_model.h"
#include "hostsim/car_telemetry_words.h"
#include "hostsim/event_hub.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/host_sound_objects.h"
#include "hostsim/host_words.h"
#include "hostsim/race.h"
#include "hostsim/runtime_host.h"
#include "hostsim/site_coverage.h"
#include "hostsim/sound_sites.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kAudioGlobal = 0x8D5338;
constexpr std::uint32_t kSetupRangesGlobal = 0x7ECD04;
constexpr std::uint32_t kTransformPoint = 0x51B560;
constexpr std::uint32_t kEngineSite = 0x5191A9;
constexpr std::uint32_t kEngineSource = 47;
constexpr std::uint32_t kVehicleStateSource = 46;
constexpr std::uint32_t kReplayFrameSource = 1;
constexpr std::uint32_t kLevelsOffset = 67336;
// The audio stage: its word +540, and the words around it that the host keeps (600 bytes, as the
// controller's loading check reads them).
constexpr std::uint32_t kStageWord = 540, kStageSize = 600;

unsigned char* audio = nullptr;
unsigned char* listener = nullptr;
unsigned char* soundSystem = nullptr;
unsigned char* car = nullptr;
unsigned char* engineData = nullptr;
unsigned char* wheels[4] = {};
unsigned char carFrame[64] = {};
// The car's drivetrain state, the block the car's word +1208 points at (the power train's solver
// state): the frames write the transmission's speed (+900) and the gear (+1356); +1392 is the
// gear the host shows. Marked, its words hold sentinels of their own, all but the two the power
// train reads (+1116 and the car at +1408).
constexpr std::uint32_t kDrivetrainPointer = 1208;
constexpr std::uint32_t kDrivetrainBytes = 1412;
std::uint32_t drivetrainSentinel(std::uint32_t offset) { return 0x5E000000u | offset; }
bool drivetrainSentinelWord(std::uint32_t offset) { return offset != 1116 && offset != 1408; }
unsigned char* removedDrivetrain = nullptr;
void* carTable[16] = {};

void __attribute__((thiscall)) idleNodeDestroy(ListenerNode*, std::uint32_t) {}
void __attribute__((thiscall)) idleNodeInvoke(ListenerNode*, const void*) {}

// Slot 12 of the car's table: the body's frame.
void* __attribute__((thiscall)) carBodyFrame(void*) { return carFrame; }
// The host's maths routine, a member of the maths object: the car drives straight ahead, so its
// frame is the world's. On any other object the point comes out as NaN.
void __attribute__((thiscall)) transformPoint(void* object, const float* input, void*, float* output) {
  if (object == hostObjects().math) {
    std::memcpy(output, input, 16);
  } else {
    for (int i = 0; i < 4; ++i) output[i] = std::nanf("");
  }
}

void createObjects() {
  if (audio != nullptr) return;
  audio = hostObject("audio", 68000);
  listener = hostObject("listener", 1024);
  soundSystem = hostObject("soundsystem", 269000);
  // The car is the car model's; the sound reads its engine data and wheels.
  car = hostCarObject();
  engineData = get<unsigned char*>(car, 52);
  put(audio, 352, wordOf(listener));
  put(audio, 67012, wordOf(soundSystem));
  attachSystemSounds(soundSystem);
  // The audio stage, its word +540 set by the last stage; its other words are the host's, named
  // nowhere.
  unsigned char* stage = hostObject("audiostage", kStageSize);
  put(stage, kStageWord, 3u);
  put(audio, 67008, wordOf(stage));
  for (int k = 0; k < 28; ++k) put(audio, kLevelsOffset + 4 * k, 0.5f + 0.01f * static_cast<float>(k));
  putRow(listener, 936 + 12, 0, 0, 2);  // forward, not yet of unit length
  putRow(listener, 936 + 24, 0, 1, 0);
  // The sound system listens on the vehicle-state source through a node at +180: while it is
  // linked, the system runs.
  static const ListenerNodeTable idleNode = {&idleNodeDestroy, &idleNodeInvoke};
  auto& node = *reinterpret_cast<ListenerNode*>(soundSystem + 180);
  node.table = &idleNode;
  appendHostListener(kVehicleStateSource, node);
  hostWrote(&node, sizeof node);
  put(soundSystem, 268388, 1u);
  put(soundSystem, 268392, 0.5f);
  put(soundSystem, 268528, 12.5f);
  putRow(soundSystem, 268452 + 12, 0, 0, 1);
  putRow(soundSystem, 268452 + 24, 0, 1, 0);
  for (void*& slot : carTable) slot = nullptr;
  carTable[12] = reinterpret_cast<void*>(&carBodyFrame);
  put(car, 0, wordOf(carTable));
  put(engineData, 984, 7500.0f);
  put(engineData, 588, 0.35f);
  for (std::uint32_t w = 0; w < 4; ++w) {
    wheels[w] = get<unsigned char*>(car, 1136 + 4 * w);
    put(wheels[w], 2720, 0.3f);
  }
}

}  // namespace

void raiseEngineEvent(std::int32_t frame) {
  float engine[12] = {};
  engine[0] = 150.0f + 10.0f * static_cast<float>(std::min(frame % 120, 60));  // rad/s
  engine[1] = 0.8f;
  engine[3] = 1.5f;
  engine[4] = frame % 10 == 0 ? 1.0f : 0.0f;
  runCallSite(kEngineSite, {wordOf(engine)}, wordOf(eventSource(kEngineSource)), false);
}

// One GAME frame of a car speeding up along z to 30 m/s, changing up every 120 frames (the engine
// rising for 60 frames in each gear) to fifth: the frame's events without its step call. The
// race clock advances by the frame unless the plugin's steps advance it.
void driveFrameEvents(std::int32_t frame, bool advanceRaceClock) {
  auto speedAt = [](std::int32_t f) { return std::min(5.0f + 0.5f * static_cast<float>(f), 30.0f); };  // m/s
  const float speed = speedAt(frame);
  const std::int32_t gear = std::min(1 + frame / 120, 5);
  const float engineSpeed = 150.0f + 10.0f * static_cast<float>(std::min(frame % 120, 60));  // rad/s
  DrivenMotion motion;
  motion.seconds = 1.0f / 60.0f;
  motion.speed = speed;
  motion.acceleration = (speed - speedAt(frame - 1)) * 60.0f;
  motion.throttle = 1.0f;
  driveCarTelemetryWords(motion);
  const float z = get<float>(car, 328);
  put(car, 2144, 0.1f);
  putRow(listener, 936 + 36, 1.0f, 2.5f, z - 4.0f);
  putRow(soundSystem, 268800, 1.0f, 0.7f, z + 1.5f);
  for (std::uint32_t w = 0; w < 4; ++w) {
    put(wheels[w], 2640, speed / 0.3f);
    putRow(wheels[w], 2608, w % 2 == 0 ? 0.2f : 1.8f, 0.3f, z + (w < 2 ? 1.2f : -1.2f));
  }
  if (auto* drivetrain = get<unsigned char*>(car, kDrivetrainPointer)) {
    put(drivetrain, 900, speed / 0.3f);
    put(drivetrain, 1356, gear);
  }
  unsigned char* race = hostRace();
  put(race, 12, speed * 3.6f);
  put(race, 16, engineSpeed);
  if (advanceRaceClock) put(race, 320, get<float>(race, 320) + 1.0f / 60.0f);
  advanceRaceDistance(speed / 60.0f);
  put(race, 368, gear);
  put(hostObjects().game, 2824, 1.0f);  // the driver's throttle, full
  // The replay records the frame's inputs: the throttle bit, the gear.
  const unsigned char inputs[9] = {1, static_cast<unsigned char>(gear)};
  recordDrivenFrame(inputs);

  raiseEngineEvent(frame);
  // The frame's control record, whose words are the host's, named nowhere.
  static unsigned char control[9];
  static const bool watched = (watchObject("drivencontrol", control, sizeof control), true);
  (void)watched;
  const std::uint32_t pointer = wordOf(control);
  raiseEvent(kReplayFrameSource, &pointer);
}

namespace {

void driveFrame(std::int32_t frame) {
  driveFrameEvents(frame, true);
  runFrameCalls(1.0f / 60.0f);
}

// The daemon processes this host started, by executable name (other hosts of the same Wine
// session have their own).
std::vector<DWORD> daemonProcesses(const std::string& name) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, name.c_str()) == 0 && entry.th32ParentProcessID == GetCurrentProcessId()) {
      ids.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return ids;
}

// The sound manager: slot 24 plays a deferred call, slot 68 follows a drain; its lock at +0x10590.
constexpr std::uint32_t kManagerLockOffset = 0x10590;
unsigned char* manager = nullptr;
void* managerTable[32] = {};
// A slot call made without the manager's lock held by the calling thread says so.
std::string lockNote() {
  const auto* lock = reinterpret_cast<const CRITICAL_SECTION*>(manager + kManagerLockOffset);
  return reinterpret_cast<std::uintptr_t>(lock->OwningThread) == GetCurrentThreadId() ? "" : " outside its lock";
}
// A played call of 100 or more defers one more (the value less 100) through the first deferring
// site, as the manager's own code may while the queue is drained.
void __attribute__((thiscall)) managerPlay(void*, std::uint32_t value) {
  trace("host soundManager play " + std::to_string(value) + lockNote());
  if (value >= 100) runCallSite(0x4DCEDD, {value - 100}, wordOf(manager), false);
}
void __attribute__((thiscall)) managerFlush(void*) { trace("host soundManager flush" + lockNote()); }
std::int32_t __attribute__((thiscall)) managerUpdate(void*, float seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "host soundManager update %g", static_cast<double>(seconds));
  trace(text);
  return 7;
}
void __attribute__((thiscall)) managerCall(void*, std::uint32_t value) { trace("host soundManager call " + std::to_string(value)); }
// The routine the plugin replaces: one byte-sized argument, callee cleans.
void __stdcall soundFlagRoutine(std::uint32_t argument) { trace("host soundFlag routine " + std::to_string(argument)); }

// The per-frame sound-update object: its constructor sets the host table at 0x73574C. Its other
// words are the host's, named nowhere.
constexpr std::uint32_t kTickerTable = 0x73574C;
unsigned char ticker[64];
void* __attribute__((thiscall)) tickerConstruct(void* object) {
  put(object, 0, kTickerTable);
  trace("host soundTicker constructed");
  return object;
}
void* __attribute__((thiscall)) tickerRelease(void* object, std::int32_t flags) {
  trace("host soundTicker release " + std::to_string(flags));
  return object;
}
// The times the host's update was given while frames run at a rate.
std::vector<float> tickerTimes;
void __attribute__((thiscall)) tickerUpdate(void*, float seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "host soundTicker update %.4f", static_cast<double>(seconds));
  trace(text);
  tickerTimes.push_back(seconds);
}
void __attribute__((thiscall)) tickerOwnTick(void*) { trace("host soundTicker own tick"); }
// Slot 2 of the sound-update object once per frame at the rate for that many seconds; a frame
// before them starts the update's clock. Traces what the host's update was given against the
// frames' time ("host soundTicker R per second: F frames over W s, U updates totalling T s (P %),
// median M s").
void runTickerFrames(void(__attribute__((thiscall)) * update)(void*), std::uint32_t rate, double wallSeconds) {
  update(ticker);
  tickerTimes.clear();
  FramePacer pacer(rate);
  pacer.nextFrame();
  int frames = 0;
  while (pacer.elapsed() < wallSeconds) {
    pacer.nextFrame();
    update(ticker);
    ++frames;
  }
  const double wall = pacer.elapsed();
  double total = 0;
  for (float t : tickerTimes) total += t;
  std::vector<float> sorted = tickerTimes;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted.empty() ? 0.0 : sorted[sorted.size() / 2];
  char text[160];
  std::snprintf(text, sizeof text, "host soundTicker %u per second: %d frames over %.2f s, %d updates totalling %.2f s (%d %%), median %.3f s",
                rate, frames, wall, static_cast<int>(tickerTimes.size()), total, static_cast<int>(total / wall * 100.0 + 0.5),
                median);
  trace(text);
}

const float kHostConstant = 0.25f;
// A call of the flag routine from the host's sound code (an address of the simulation's own).
constexpr std::uint32_t kSoundFlagCall = 0x1700030;

}  // namespace

std::vector<AddressEntry> soundSystemEntries() {
  if (manager == nullptr) {
    // The manager's table word and its lock; its other words are the host's, named nowhere.
    manager = hostObject("soundmanager", kManagerLockOffset + sizeof(CRITICAL_SECTION));
    InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(manager + kManagerLockOffset));
    hostWrote(manager + kManagerLockOffset, sizeof(CRITICAL_SECTION));
    managerTable[6] = reinterpret_cast<void*>(&managerPlay);
    managerTable[17] = reinterpret_cast<void*>(&managerFlush);
    managerTable[8] = managerContainsEntry();
    put(manager, 0, wordOf(managerTable));
  }
  if (!isWatched(ticker)) watchObject("soundticker", ticker, sizeof ticker);
  std::vector<AddressEntry> rows = {
      {EntryKind::function, 0x4D44D0, "soundTickerConstruct", addressOf(&tickerConstruct)},
      {EntryKind::function, 0x4D4960, "soundTickerRelease", addressOf(&tickerRelease)},
      {EntryKind::function, 0x4D4980, "soundTickerUpdate", addressOf(&tickerUpdate)},
      {EntryKind::function, 0x4D49A0, "soundTickerOwnTick", addressOf(&tickerOwnTick)},
      {EntryKind::function, 0x4DB760, "soundManagerUpdate", addressOf(&managerUpdate)},
      {EntryKind::function, 0x4DB800, "soundManagerCall", addressOf(&managerCall)},
      {EntryKind::function, 0x4DB347, "soundFlagRoutine", addressOf(&soundFlagRoutine)},
      {EntryKind::callSite, 0x446F05, "soundTickerConstructSite", 0x4D44D0},
      {EntryKind::callSite, kSoundFlagCall, "soundFlagCall", 0x4DB347},
      {EntryKind::callSite, 0x4D4A3E, "soundManagerUpdateSite", 0x4DB760},
      {EntryKind::callSite, 0x4DCEDD, "soundManagerCallSiteA", 0x4DB800},
      {EntryKind::callSite, 0x4DCFE3, "soundManagerCallSiteB", 0x4DB800},
      {EntryKind::operand, 0x4AE62D, "gearSoundGate", wordOf(&kHostConstant), {0xD9, 0x05}, 2},
      {EntryKind::operand, 0x4D34E7, "gearSoundLevel", wordOf(&kHostConstant), {0xD9, 0x05}, 2},
      {EntryKind::operand, 0x4D2778, "soundToggleValue", wordOf(&kHostConstant), {0xD9, 0x05}, 2},
  };
  for (std::uint32_t k = 0; k < 27; ++k) {
    const std::uint32_t slot = k == 0 ? 0x4D4960u : k == 2 ? 0x4D49A0u : 0u;
    rows.push_back({EntryKind::global, kTickerTable + 4 * k, "soundTickerTable", slot});
  }
  return rows;
}

std::vector<AddressEntry> audioEntries() {
  createObjects();
  return {
      {EntryKind::global, kAudioGlobal, "audio", wordOf(audio)},
      {EntryKind::function, kTransformPoint, "transformPoint", addressOf(&transformPoint)},
  };
}

bool runAudioStep(const std::string& step, std::istream& in) {
  if (step == "drive") {
    std::int32_t frames = 0;
    double wallSeconds = 0;
    in >> frames >> wallSeconds;
    const DWORD start = GetTickCount();
    unsigned char* ranges = reinterpret_cast<unsigned char*>(static_cast<std::uintptr_t>(*reinterpret_cast<std::uint32_t*>(kSetupRangesGlobal)));
    if (ranges != nullptr) put(ranges, 5056, std::int32_t{900});
    std::int32_t driven = 0;
    for (std::int32_t f = 1; f <= frames; ++f) {
      // Given a wall time, the frames are spread over it, and the drive ends when it has passed
      // (a slow machine drives fewer frames).
      const auto due = static_cast<DWORD>(wallSeconds * 1000.0 * (f - 1) / frames);
      const DWORD elapsed = GetTickCount() - start;
      if (wallSeconds > 0 && elapsed >= static_cast<DWORD>(wallSeconds * 1000.0)) break;
      if (elapsed < due) Sleep(due - elapsed);
      driveFrame(f);
      driven = f;
      trace("host drive frame " + std::to_string(f));
    }
    trace("host drove " + std::to_string(driven) + " frames");
    return true;
  }
  if (step == "drivetrain") {
    std::string what;
    in >> what;
    auto* state = get<unsigned char*>(car, kDrivetrainPointer);
    if (what == "none") {
      removedDrivetrain = state;
      put(car, kDrivetrainPointer, 0u);
    } else if (what == "back") {
      put(car, kDrivetrainPointer, wordOf(removedDrivetrain));
    } else if (state == nullptr) {
      trace("host drivetrain missing");
    } else if (what == "mark") {
      for (std::uint32_t o = 0; o < kDrivetrainBytes; o += 4) {
        if (drivetrainSentinelWord(o)) put(state, o, drivetrainSentinel(o));
      }
    } else {
      // The words the frames did not write: +1392 and how many others left their sentinel.
      int changed = 0;
      for (std::uint32_t o = 0; o < kDrivetrainBytes; o += 4) {
        if (drivetrainSentinelWord(o) && o != 900 && o != 1356 && o != 1392 &&
            get<std::uint32_t>(state, o) != drivetrainSentinel(o)) {
          ++changed;
        }
      }
      const std::uint32_t shown = get<std::uint32_t>(state, 1392);
      trace("host drivetrain shows " +
            (shown == drivetrainSentinel(1392) ? std::string("the host's word") : std::to_string(static_cast<std::int32_t>(shown))) +
            ", " + std::to_string(changed) + " other words changed");
    }
    return true;
  }
  if (step == "carchange") {
    std::int32_t value = 0;
    in >> value;
    raiseEvent(kCarChangedSource, &value);
    return true;
  }
  if (step == "sound") {
    std::string what;
    in >> what;
    if (runSoundSiteStep(what, in)) return true;
    std::uint32_t value = 0;
    in >> value;
    if (what == "ticker") {
      // The host builds its per-frame sound-update object and calls slot 2 of its table.
      runCallSite(0x446F05, {}, wordOf(ticker));
      std::uint32_t table = 0, slot = 0;
      std::memcpy(&table, ticker, 4);
      trace(std::string("host soundTicker table ") + (table == kTickerTable ? "host" : "replaced"));
      std::memcpy(&slot, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table + 8)), 4);
      const auto update = reinterpret_cast<void(__attribute__((thiscall))*)(void*)>(static_cast<std::uintptr_t>(slot));
      double wallSeconds = 0;
      if (value != 0 && in >> wallSeconds) {
        runTickerFrames(update, value, wallSeconds);
        return true;
      }
      // Frames a few milliseconds apart.
      for (int frame = 0; frame < 20; ++frame) {
        update(ticker);
        Sleep(1);
      }
    } else if (what == "toggles") {
      // The host's sound code reads the alternating value (0x4D2778) as fast as it can for that
      // many seconds, running no frame meanwhile.
      FramePacer clock(1.0);
      float last = runFloatOperandSite(0x4D2778);
      int changes = 0;
      while (clock.elapsed() < static_cast<double>(value)) {
        const float now = runFloatOperandSite(0x4D2778);
        if (now != last) ++changes;
        last = now;
      }
      char text[96];
      std::snprintf(text, sizeof text, "host sound toggle changed %d times in %.2f s", changes, clock.elapsed());
      trace(text);
    } else if (what == "queue") {
      runCallSite(value % 2 == 0 ? 0x4DCEDD : 0x4DCFE3, {value}, wordOf(manager));
    } else if (what == "update") {
      runCallSite(0x4D4A3E, {floatWord(0.5f)}, wordOf(manager));
    } else if (what == "stage") {
      const auto* stage = get<unsigned char*>(audio, 67008);
      trace("host audio stage word " + std::to_string(get<std::uint32_t>(stage, kStageWord)));
    } else if (what == "flag") {
      put(soundSystem, 4364, 0u);
      runCallSite(kSoundFlagCall, {value});
      noteCallTargetRun(kSoundFlagCall);
      trace("host soundSystem flag " + std::to_string(get<std::uint32_t>(soundSystem, 4364)));
    } else {
      return false;
    }
    return true;
  }
  if (step == "levels") {
    std::string line = "host levels";
    char text[24];
    for (int k = 0; k < 28; ++k) {
      std::snprintf(text, sizeof text, " %.5g", static_cast<double>(get<float>(audio, kLevelsOffset + 4 * k)));
      line += text;
    }
    trace(line);
    trace(systemSoundsLine(soundSystem));
    return true;
  }
  if (step == "daemon") {
    std::string what, name;
    in >> what >> name;
    if (what == "kill") {
      for (DWORD id : daemonProcesses(name)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (process == nullptr) continue;
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
      }
      trace("host daemon " + name + " killed");
    } else {
      // Daemons may take a moment to notice: up to a second.
      bool running = !daemonProcesses(name).empty();
      for (int i = 0; running && i < 10; ++i) {
        Sleep(100);
        running = !daemonProcesses(name).empty();
      }
      trace("host daemon " + name + (running ? " running" : " gone"));
    }
    return true;
  }
  return false;
}

}  // namespace hostsim
