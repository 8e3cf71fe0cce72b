#include "hostsim/replay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"
#include "hostsim/runtime_host.h"
#include "hostsim/host_words.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/stray_words.h"
#include "hostsim/step_site.h"
#include "hostsim/site_invoker.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

// The replay object's fields (the object itself is the runtime pieces' one, kReplayGlobal).
constexpr std::uint32_t kChecksumOwnerGlobal = 0x7C29B4;
constexpr std::uint32_t kMode = 16, kLastRun = 60, kRecordedFrames = 64;
constexpr std::uint32_t kPlayRun = 1620068, kFrameInRun = 1620072, kTickCount = 1620076;
constexpr std::uint32_t kChecksummed = 1620192, kControlRecord = 1620208, kClock = 1620224;
constexpr std::uint32_t kSpeed = 4, kTimeStep = kClock + 8;
// The clock's embedded listener node: its table word, then next, prev and list.
constexpr std::uint32_t kClockNode = kClock + 200;
constexpr std::uint32_t kRunSize = 12;

// Host functions and sites.
constexpr std::uint32_t kChecksum = 0x490C00, kClockAfterRecord = 0x61E150, kClockBeforePlay = 0x6208C0;
constexpr std::uint32_t kClockSync = 0x61EC60, kRestart = 0x49A1D0, kPlayFrame = 0x49A130;
constexpr std::uint32_t kRecordSite = 0x47F4C3, kRaiseSite = 0x47F4CE, kRaiseSite2 = 0x47F59C;
constexpr std::uint32_t kFinishedSite = 0x4990E2, kRestartSite = 0x4806C7, kRestartSite2 = 0x48287A;
constexpr std::uint32_t kLoadCode = 0x499BE5, kLoadCode2 = 0x49A472, kSaveCode = 0x49AAF5;
// A call of the play function from the host's replay loop (an address of the simulation's own).
constexpr std::uint32_t kPlayCallSite = 0x1700010;
constexpr std::uint32_t kReplayFrameSource = 1;

// The host's replay object, as its global holds it.
unsigned char* replayObject() {
  std::uint32_t object = 0;
  std::memcpy(&object, reinterpret_cast<const void*>(kReplayGlobal), 4);
  return reinterpret_cast<unsigned char*>(static_cast<std::uintptr_t>(object));
}

// The checksum routine's owner: the plugin hands it over as the call's object and reads none of
// its words.
unsigned char* checksumOwner() {
  static unsigned char* object = hostObject("checksumowner", 64);
  return object;
}

std::int32_t word(std::uint32_t offset) { return get<std::int32_t>(replayObject(), offset); }
std::uint16_t halfWord(std::uint32_t offset) { return get<std::uint16_t>(replayObject(), offset); }
void setWord(std::uint32_t offset, std::int32_t value) { put(replayObject(), offset, value); }
void setHalfWord(std::uint32_t offset, std::uint16_t value) { put(replayObject(), offset, value); }

std::string hexBytes(const unsigned char* p, std::size_t n) {
  std::string out;
  char two[3];
  for (std::size_t i = 0; i < n; ++i) {
    std::snprintf(two, sizeof two, "%02x", p[i]);
    out += two;
  }
  return out;
}

// The host's own routines behind the sites.
std::uint32_t THISCALL hostChecksum(void* owner, const unsigned char* bytes, std::uint32_t length) {
  std::uint32_t sum = 0;
  for (std::uint32_t i = 0; i < length; ++i) sum = sum * 31 + bytes[i];
  trace(std::string("host checksum ") + (owner == checksumOwner() ? "owner" : "other") + " " +
        (bytes == replayObject() + kChecksummed ? "replay" : "other") + " " + std::to_string(length));
  return sum;
}
// Calls of the clock after a recorded frame with the replay's clock and 1, and others; the
// record step traces the counts (a long recording would otherwise trace every frame).
int afterRecordCalls = 0;
int afterRecordOther = 0;
void THISCALL hostClockAfterRecord(void* clock, std::int32_t v) {
  if (clock == replayObject() + kClock && v == 1) {
    ++afterRecordCalls;
  } else {
    ++afterRecordOther;
  }
}
void THISCALL hostClockBeforePlay(void* clock, std::int32_t v) {
  trace(std::string("host clock beforePlay ") + (clock == replayObject() + kClock ? "replay " : "other ") +
        std::to_string(v));
}
void THISCALL hostClockSync(void*) { trace("host clock sync"); }
// The clock's event handler, which its own listener node would run: the record's first word.
void THISCALL hostClockEvent(void* clock, const std::int32_t* record) {
  trace(std::string("host clock event ") + (clock == replayObject() + kClock ? "replay " : "other ") +
        std::to_string(*record) + " on " + threadRole());
}
void THISCALL hostRestart(void* object, std::uint32_t a, std::uint32_t b) {
  trace("host replayRestart " + std::to_string(a) + " " + std::to_string(b));
  if (object != replayObject()) return;
  setWord(kLastRun, 0);
  setWord(kRecordedFrames, 0);
  setWord(kPlayRun, 0);
  setHalfWord(kFrameInRun, 0);
  setWord(kTickCount, 0);
  setWord(kMode, 0);
}
std::uint32_t THISCALL hostPlayFrame(void*) {
  trace("host replayPlay");
  return 1;
}
void THISCALL hostRecordFrame(void*) { trace("host replayRecord"); }
std::uint32_t THISCALL hostRaiseFrame(void*) {
  trace("host replayRaise");
  return 1;
}
std::uint32_t THISCALL hostIsFinished(void*) {
  trace("host replayFinished");
  return 1;
}

// A host listener on the replay-frame source: traces the 9-byte record the event points at.
void THISCALL frameListenerDestroy(ListenerNode*, std::uint32_t) {}
void THISCALL frameListenerInvoke(ListenerNode*, const void* record) {
  std::uint32_t pointer = 0;
  std::memcpy(&pointer, record, 4);
  trace("host replayFrame " + hexBytes(reinterpret_cast<const unsigned char*>(pointer), 9));
}
const ListenerNodeTable frameListenerTable = {frameListenerDestroy, frameListenerInvoke};

// The clock's own listener node, which hands each record to the clock's event handler.
void THISCALL clockNodeInvoke(ListenerNode* node, const void* record) {
  hostClockEvent(reinterpret_cast<unsigned char*>(node) - 200, static_cast<const std::int32_t*>(record));
}
const ListenerNodeTable clockNodeTable = {frameListenerDestroy, clockNodeInvoke};
// A host node ahead of the clock's in its list.
void THISCALL neighbourInvoke(ListenerNode*, const void*) {}
const ListenerNodeTable neighbourTable = {frameListenerDestroy, neighbourInvoke};

void listenOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  static ListenerNode node = {&frameListenerTable, nullptr, nullptr, nullptr};
  appendHostListener(kReplayFrameSource, node);
}

struct SavedReplay {
  std::int32_t lastRun = 0;
  std::int32_t recordedFrames = 0;
  std::vector<unsigned char> runs;
};
SavedReplay saved;

void traceState() {
  trace("replay state last " + std::to_string(word(kLastRun)) + " recorded " + std::to_string(word(kRecordedFrames)) +
        " play " + std::to_string(word(kPlayRun)) + " frame " + std::to_string(halfWord(kFrameInRun)) + " tick " +
        std::to_string(word(kTickCount)) + " control " + hexBytes(replayObject() + kControlRecord, 1));
}

std::uint32_t self() { return wordOf(replayObject()); }

// One run of the host's record call; the stack words it left behind.
std::int32_t recordOnce() {
  noteHostCodeRun(kRecordSite - 1, kRecordSite + 4);
  SiteOutcome outcome;
  hostsimInvokeSite(&outcome, reinterpret_cast<const void*>(kRecordSite - 1), nullptr, 0, self());
  return outcome.stackBytesLeft;
}

// What the driven frames recorded since the last restart.
struct DrivenRecording {
  int frames = 0;
  std::int32_t worstStack = 0;
};
DrivenRecording driven;

// The host list that holds the clock's listener node.
unsigned char* clockList() {
  static unsigned char* list = hostObject("clocklist", 16);
  return list;
}

}  // namespace

std::vector<AddressEntry> replayEntries() {
  return {
      {EntryKind::global, kChecksumOwnerGlobal, "checksumOwner", wordOf(checksumOwner())},
      {EntryKind::function, kChecksum, "checksum", addressOf(&hostChecksum)},
      {EntryKind::function, kClockAfterRecord, "clockAfterRecord", addressOf(&hostClockAfterRecord)},
      {EntryKind::function, kClockBeforePlay, "clockBeforePlay", addressOf(&hostClockBeforePlay)},
      {EntryKind::function, kClockSync, "clockSync", addressOf(&hostClockSync)},
      {EntryKind::function, 0x61E1B0, "clockEvent", addressOf(&hostClockEvent)},
      {EntryKind::function, kRestart, "replayRestart", addressOf(&hostRestart)},
      {EntryKind::function, kPlayFrame, "replayPlay", addressOf(&hostPlayFrame)},
      {EntryKind::callSite, kRecordSite, "replayRecordSite", addressOf(&hostRecordFrame)},
      {EntryKind::callSite, kRaiseSite, "replayRaiseSite", addressOf(&hostRaiseFrame)},
      {EntryKind::callSite, kRaiseSite2, "replayRaiseSite2", addressOf(&hostRaiseFrame)},
      {EntryKind::callSite, kFinishedSite, "replayFinishedSite", addressOf(&hostIsFinished)},
      {EntryKind::callSite, kRestartSite, "replayRestartSite", kRestart},
      {EntryKind::callSite, kRestartSite2, "replayRestartSite2", kRestart},
      {EntryKind::callSite, kPlayCallSite, "replayPlayCall", kPlayFrame},
      {EntryKind::inlineCode, kLoadCode, "replayLoadCode", 12},
      {EntryKind::inlineCode, kLoadCode2, "replayLoadCode2", 12},
      {EntryKind::inlineCode, kSaveCode, "replaySaveCode", 19},
  };
}

unsigned char* newReplayObject() {
  unsigned char* r = hostObject("replay", kReplaySize);
  // Not recording or playing, at normal speed, nothing recorded; the checksummed bytes and the
  // control record as the host last filled them.
  put(r, kSpeed, 1.0f);
  for (std::uint32_t at : {kMode, kLastRun, kRecordedFrames, kPlayRun, kTickCount}) put(r, at, 0);
  put<std::uint16_t>(r, kFrameInRun, 0);
  for (std::uint32_t i = 0; i < 12; ++i) put(r, kChecksummed + i, static_cast<std::uint8_t>(0x41 + i));
  for (std::uint32_t i = 0; i < 9; ++i) put(r, kControlRecord + i, std::uint8_t{0});
  put(r, kTimeStep, 0.0f);
  // The clock's listener node, second in a host list of its own behind a host node.
  unsigned char* list = clockList();
  unsigned char* neighbour = hostObject("hostlistener", 16);
  unsigned char* node = r + kClockNode;
  put(neighbour, 0, wordOf(&neighbourTable));
  put(neighbour, 4, wordOf(node));
  put(neighbour, 8, 0u);
  put(neighbour, 12, wordOf(list));
  put(node, 0, wordOf(&clockNodeTable));
  put(node, 4, 0u);
  put(node, 8, wordOf(neighbour));
  put(node, 12, wordOf(list));
  put(list, 0, wordOf(neighbour));
  put(list, 4, wordOf(node));
  put(list, 8, 2);
  return r;
}

void recordDrivenFrame(const unsigned char* control) {
  const std::uint32_t ticks = static_cast<std::uint32_t>(word(kTickCount));
  hostWrite(replayObject() + kControlRecord, control, 9);
  const std::int32_t left = recordOnce();
  if (left != 0) driven.worstStack = left;
  ++driven.frames;
  if (static_cast<std::uint32_t>(word(kTickCount)) == ticks) setWord(kTickCount, static_cast<std::int32_t>(ticks + 1));
}

void playReplayFrame() {
  runCallSite(kRaiseSite, {}, self());
  runCallSite(kPlayCallSite, {}, self());
  noteCallTargetRun(kPlayCallSite);
}

bool runReplayStep(std::istream& in) {
  listenOnce();
  std::string step;
  in >> step;
  if (step == "mode") {
    std::int32_t mode = 0;
    in >> mode;
    setWord(kMode, mode);
  } else if (step == "restart") {
    runCallSite(siteOr(in, kRestartSite), {0, 0}, self());
    driven = DrivenRecording{};
    afterRecordCalls = afterRecordOther = 0;
  } else if (step == "clocknode") {
    const unsigned char* node = replayObject() + kClockNode;
    const auto set = [node](std::uint32_t at) { return std::string(get(node, at) == 0 ? "0" : "set"); };
    trace("replay clock node next " + set(4) + " prev " + set(8) + " list " + set(12) + " count " +
          std::to_string(get<std::int32_t>(clockList(), 8)));
  } else if (step == "driven") {
    trace("replay recorded " + std::to_string(driven.frames) + " driven frames stack words left " +
          std::to_string(driven.worstStack / 4) + " clock afterRecord " + std::to_string(afterRecordCalls) + " other " +
          std::to_string(afterRecordOther));
    traceState();
  } else if (step == "speed") {
    float speed = 1.0f;
    in >> speed;
    put(replayObject(), kSpeed, speed);
  } else if (step == "record") {
    std::string hex;
    int count = 1;
    in >> hex >> count;
    unsigned char control[9] = {};
    for (std::size_t i = 0; i + 2 <= hex.size() && i / 2 < 9; i += 2) {
      control[i / 2] = static_cast<unsigned char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    hostWrite(replayObject() + kControlRecord, control, 9);
    setWord(kMode, 0);
    std::int32_t worst = 0;
    afterRecordCalls = afterRecordOther = 0;
    const unsigned char first = replayObject()[kControlRecord];
    for (int i = 0; i < count; ++i) {
      const std::int32_t left = recordOnce();
      if (left != 0) worst = left;
      // The host sets its input bits again for the next frame.
      if (i + 1 < count) put(replayObject(), kControlRecord, first);
    }
    trace("replay recorded " + std::to_string(count) + " stack words left " + std::to_string(worst / 4) +
          " clock afterRecord " + std::to_string(afterRecordCalls) + " other " + std::to_string(afterRecordOther));
    traceState();
  } else if (step == "raise") {
    trace("replay raise result " + std::to_string(runCallSite(siteOr(in, kRaiseSite), {}, self())));
  } else if (step == "save") {
    const std::int32_t last = word(kLastRun);
    std::vector<unsigned char> buffer(static_cast<std::size_t>(last + 1) * kRunSize + 12, 0xCC);
    runInlineCode(kSaveCode, 0, wordOf(buffer.data()));
    trace("replay saved " + hexBytes(buffer.data(), buffer.size() - 12) + " guard " +
          hexBytes(buffer.data() + buffer.size() - 12, 1));
    saved.lastRun = last;
    saved.recordedFrames = word(kRecordedFrames);
    saved.runs.assign(buffer.begin(), buffer.end() - 12);
  } else if (step == "load") {
    std::int32_t last = saved.lastRun;
    in >> last;
    setWord(kLastRun, last);
    setWord(kRecordedFrames, saved.recordedFrames);
    setWord(kMode, 2);
    setWord(kPlayRun, 0);
    setHalfWord(kFrameInRun, 1);
    setWord(kTickCount, 1);
    runInlineCode(siteOr(in, kLoadCode), wordOf(saved.runs.data()), 0);
    traceState();
  } else if (step == "play") {
    const std::uint32_t result = runCallSite(kPlayCallSite, {}, self());
    noteCallTargetRun(kPlayCallSite);
    const std::uint32_t finished = runCallSite(kFinishedSite, {}, self());
    trace("replay play result " + std::to_string(result) + " finished " + std::to_string(finished));
    traceState();
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
