#include "hostsim/step_batch_host.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_words.h"
#include "hostsim/runtime_host.h"
#include "hostsim/stage_model.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kConsumerGlobal = 0x167EA90;
constexpr std::uint32_t kAdvance = 0x602240;
constexpr std::uint32_t kPrepareEmitter = 0x601A60;
// The tick-consume routine 0x601FB0 itself is the chassis model's.
constexpr std::uint32_t kFillPrimary = 0x603FE0;
constexpr std::uint32_t kFillFirst = 0x604960;
constexpr std::uint32_t kFillSecond = 0x604610;
constexpr std::uint32_t kGraphicsRead = 0x602366;
constexpr std::uint32_t kPrimarySite = 0x605814;
constexpr std::uint32_t kRunsSite = 0x605579;
constexpr std::uint32_t kStubSite = 0x605588;
constexpr std::uint32_t kAcquireSite = 0x6057D3;
constexpr std::uint32_t kReleaseSite = 0x4BF713;
// The host's own targets of the three reader calls.
constexpr std::uint32_t kOwnPrimary = 0x605900;
constexpr std::uint32_t kOwnRuns = 0x605920;
constexpr std::uint32_t kOwnStub = 0x605940;
constexpr std::uint32_t kOwnAcquire = 0x605960;
constexpr std::uint32_t kOwnRelease = 0x4BF800;
// The item buffer's size words and the three places that hold its address.
constexpr std::uint32_t kSizeSites[3] = {0x605135, 0x60514A, 0x60516D};
constexpr std::uint32_t kBufferSites[3] = {0x60555C, 0x60559E, 0x6055DE};
constexpr std::uint32_t kBufferSize = 4800000;
constexpr std::uint32_t kItem = 24;

struct Model {
  unsigned char* consumer = nullptr;
  unsigned char* source = nullptr;
  unsigned char* ownBuffer = nullptr;
  std::int32_t primaryItems = 2, firstItems = 1, secondItems = 1;
  // Written by the thread that steps (the worker or the host), read by the scenario.
  std::atomic<std::uint32_t> fills{0};
  std::atomic<const char*> lastRole{"none"};
  float emitter[5] = {};
  bool failMalloc = false;
  // The Spindle3D.DLL geometry root links an object (+0x18) whose word at +84 the primary fill
  // is handed; traced when it first arrives and whenever it changes.
  unsigned char* geometryRoot = nullptr;
  std::atomic<std::uint32_t> tracedGeometryWord{0xFFFFFFFFu};
};

constexpr std::uint32_t kGeometryRootGlobal = 0x601DDF88;
constexpr std::uint32_t kGeometryWord = 0x6E6B;
// The consumer's word +1840: an object whose listener node sits at its +4.
constexpr std::uint32_t kConsumerListener = 1840, kListenerNode = 4;

// The consumer's listener: its node (table, next, prev, list) alone in a host list of its own.
unsigned char* consumerListener() {
  static const ListenerNodeTable table = {nullptr, nullptr};
  unsigned char* holder = hostObject("consumerlistener", kListenerNode + 16);
  unsigned char* list = hostObject("consumerlist", 16);
  unsigned char* node = holder + kListenerNode;
  put(node, 0, wordOf(&table));
  put(node, 4, 0u);
  put(node, 8, 0u);
  put(node, 12, wordOf(list));
  put(list, 0, wordOf(node));
  put(list, 4, wordOf(node));
  put(list, 8, 1);
  return holder;
}

Model& model() {
  static Model m;
  static const bool made = [] {
    m.consumer = hostObject("tickconsumer", 2048);
    put(m.consumer, kConsumerListener, wordOf(consumerListener()));
    m.source = hostObject("itemsource", 64);
    // The host hands this buffer to the item readers (the plugin's once its hooks are in) to fill
    // through their cursor: every word of it is theirs to write, so it is not watched.
    m.ownBuffer = static_cast<unsigned char*>(std::calloc(1, kBufferSize));
    put<std::int32_t>(m.source, 12, 2);
    // The root links no geometry entry table (+0xC) here, only the object whose +84 the primary
    // fill is handed (+0x18).
    m.geometryRoot = hostObject("geometryroot", 0x20);
    unsigned char* linked = hostObject("geometrytable", 88);
    put(linked, 84, kGeometryWord);
    put(m.geometryRoot, 0xC, 0u);
    put(m.geometryRoot, 0x18, wordOf(linked));
    return true;
  }();
  (void)made;
  return m;
}

// Writes n items at *cursor: the fill's serial number, the item's index, then the tag.
std::int32_t writeItems(unsigned char** cursor, std::int32_t n, std::uint32_t tag) {
  for (std::int32_t i = 0; i < n; ++i) {
    put<std::uint32_t>(*cursor, 0, model().fills.load());
    put<std::uint32_t>(*cursor, 4, static_cast<std::uint32_t>(i));
    put<std::uint32_t>(*cursor, 8, tag);
    *cursor += kItem;
  }
  return n;
}

void THISCALL advance(void*, float) {
  ++model().fills;
  model().lastRole.store(threadRole());
}
void THISCALL prepareEmitter(void*, const float* v, float a, float b) {
  float* e = model().emitter;
  e[0] = v[0], e[1] = v[1], e[2] = v[2], e[3] = a, e[4] = b;
}
std::int32_t THISCALL fillPrimary(void*, unsigned char** cursor, const float*, float, float, std::int32_t,
                                  std::uint32_t geometryWord) {
  if (model().tracedGeometryWord.exchange(geometryWord) != geometryWord) {
    trace("batch primary geometry word " + std::to_string(geometryWord));
  }
  return writeItems(cursor, model().primaryItems, 0x50);
}
std::int32_t THISCALL fillFirst(void*, std::int32_t run, unsigned char** cursor) {
  return writeItems(cursor, model().firstItems, 0xA0 + static_cast<std::uint32_t>(run));
}
std::int32_t THISCALL fillSecond(void*, std::int32_t run, unsigned char** cursor) {
  return writeItems(cursor, model().secondItems, 0xB0 + static_cast<std::uint32_t>(run));
}

std::int32_t __stdcall ownPrimary(void*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                  std::uint32_t) {
  trace("host batch primary of its own");
  return 0;
}
std::int32_t THISCALL ownRuns(void*, std::int32_t, void*) {
  trace("host batch runs of its own");
  return 0;
}
std::int32_t __stdcall ownStub(std::uint32_t, std::uint32_t) { return 9; }
std::int32_t __stdcall ownAcquire(std::uint32_t, std::uint32_t, std::uint32_t) { return 5; }
void __stdcall ownRelease(std::uint32_t) { trace("host batch release of its own"); }


std::string itemsText(const unsigned char* from, const unsigned char* to) {
  std::string text = std::to_string((to - from) / kItem);
  for (const unsigned char* p = from; p < to; p += kItem) {
    char one[32];
    std::snprintf(one, sizeof one, " %u:%x", static_cast<unsigned>(get(p, 0)), static_cast<unsigned>(get(p, 8)));
    text += one;
  }
  return text;
}

void read(std::int32_t runs) {
  unsigned char* out = pointer(runOperandSite(kBufferSites[0]));
  unsigned char* cursor = out;
  const std::uint32_t count = runCallSite(kPrimarySite, {wordOf(&cursor), 0, 0, 0, 0, 0});
  trace("batch primary " + std::to_string(static_cast<std::int32_t>(count)) + " items " + itemsText(out, cursor));
  std::vector<std::int32_t> counts(static_cast<std::size_t>(runs > 0 ? runs : 0), -1);
  // The segments' object: its count at +12, its count array at +32.
  unsigned char list[36];
  watchObject("segmentlist", list, sizeof list);
  put<std::int32_t>(list, 12, runs);
  put(list, 32, wordOf(counts.data()));
  unsigned char* runStart = cursor;
  std::string given;
  for (std::int32_t i = 0; i < runs; ++i) {
    const auto c = static_cast<std::int32_t>(runCallSite(kRunsSite, {static_cast<std::uint32_t>(i), wordOf(&cursor)},
                                                         wordOf(list), i == 0));
    given += " " + std::to_string(c);
  }
  releaseObject(list);
  trace("batch runs " + std::to_string(runs) + " counts" + given + " items " + itemsText(runStart, cursor));
  trace("batch stub " + std::to_string(runCallSite(kStubSite, {1, 2})));
  trace("batch acquire " + std::to_string(runCallSite(kAcquireSite, {1, 2, 3})));
  runCallSite(kReleaseSite, {1});
  const std::uint32_t graphics = runOperandSite(kGraphicsRead);
  trace(std::string("batch graphics ") + (graphics == get(pointer(kGraphicsGlobal), 0) ? "host" : "stand-in"));
  const Model& m = model();
  char text[160];
  std::snprintf(text, sizeof text, "batch filled %u last on %s emitter %g %g %g %g %g", static_cast<unsigned>(m.fills.load()),
                m.lastRole.load(), double(m.emitter[0]), double(m.emitter[1]), double(m.emitter[2]),
                double(m.emitter[3]), double(m.emitter[4]));
  trace(text);
}

}  // namespace

bool failsAllocation(std::uint32_t bytes) { return model().failMalloc && bytes == kBufferSize; }

std::vector<AddressEntry> stepBatchEntries() {
  Model& m = model();
  put(applicationObject(), 80, wordOf(m.source));
  std::vector<AddressEntry> rows;
  appendFunctions(rows, {{kAdvance, "batchAdvance", addressOf(&advance)},
                         {kPrepareEmitter, "batchPrepareEmitter", addressOf(&prepareEmitter)},
                         {kFillPrimary, "batchFillPrimary", addressOf(&fillPrimary)},
                         {kFillFirst, "batchFillFirst", addressOf(&fillFirst)},
                         {kFillSecond, "batchFillSecond", addressOf(&fillSecond)},
                         {kOwnPrimary, "batchOwnPrimary", addressOf(&ownPrimary)},
                         {kOwnRuns, "batchOwnRuns", addressOf(&ownRuns)},
                         {kOwnStub, "batchOwnStub", addressOf(&ownStub)},
                         {kOwnAcquire, "batchOwnAcquire", addressOf(&ownAcquire)},
                         {kOwnRelease, "batchOwnRelease", addressOf(&ownRelease)}});
  rows.push_back({EntryKind::global, kConsumerGlobal, "tickConsumer", wordOf(m.consumer)});
  // Stage scenarios that build the track's geometry table put a root of their own here.
  rows.push_back({EntryKind::global, kGeometryRootGlobal, "geometryRoot", wordOf(m.geometryRoot)});
  rows.push_back({EntryKind::callSite, kPrimarySite, "batchPrimarySite", kOwnPrimary});
  rows.push_back({EntryKind::callSite, kRunsSite, "batchRunsSite", kOwnRuns});
  rows.push_back({EntryKind::callSite, kStubSite, "batchStubSite", kOwnStub});
  rows.push_back({EntryKind::callSite, kAcquireSite, "batchAcquireSite", kOwnAcquire});
  rows.push_back({EntryKind::callSite, kReleaseSite, "batchReleaseSite", kOwnRelease});
  AddressEntry graphicsRead{EntryKind::operand, kGraphicsRead, "batchGraphicsRead", kGraphicsGlobal};
  graphicsRead.opcode[0] = 0xA1;
  graphicsRead.opcodeLength = 1;
  rows.push_back(graphicsRead);
  // mov eax, imm32: the buffer's sizes and its address, as the host's item code holds them.
  const std::uint32_t ownSizes[3] = {480000, 60000, 5000};
  for (int i = 0; i < 3; ++i) {
    rows.push_back({EntryKind::operand, kSizeSites[i], "batchSize", ownSizes[i], {0xB8}, 1});
    rows.push_back({EntryKind::operand, kBufferSites[i], "batchBuffer", wordOf(m.ownBuffer), {0xB8}, 1});
  }
  return rows;
}

bool runStepBatchStep(const std::string& step, std::istream& in) {
  if (step != "batch") return false;
  std::string what;
  in >> what;
  Model& m = model();
  if (what == "items") {
    std::int32_t runs = 0;
    in >> m.primaryItems >> m.firstItems >> m.secondItems >> runs;
    put<std::int32_t>(m.source, 12, runs);
  } else if (what == "read") {
    std::int32_t runs = 0;
    in >> runs;
    read(runs);
  } else if (what == "failmalloc") {
    m.failMalloc = true;
  } else if (what == "buffer") {
    // The item code's three places that take the buffer's address, and its three sizes.
    const std::uint32_t buffer = runOperandSite(kBufferSites[0]);
    const bool same = runOperandSite(kBufferSites[1]) == buffer && runOperandSite(kBufferSites[2]) == buffer;
    const char* whose = !same ? "differs" : buffer != wordOf(m.ownBuffer) ? "plugin" : "host";
    trace(std::string("batch buffer ") + whose + " sizes " + std::to_string(runOperandSite(kSizeSites[0])) + " " +
          std::to_string(runOperandSite(kSizeSites[1])) + " " + std::to_string(runOperandSite(kSizeSites[2])));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
