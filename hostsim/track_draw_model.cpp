#include "hostsim/track_draw_model.h"

#include <cstdio>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"
#include "hostsim/fields.h"
#include "hostsim/stray_words.h"
#include "hostsim/runtime_host.h"
#include "hostsim/stage_model.h"
#include "hostsim/site_invoker.h"

extern "C" void hostsimReloadGeometryEntry();

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))
#define STDCALL __attribute__((stdcall))

constexpr std::uint32_t kReloadGeometry = 0x60053740;
constexpr std::uint32_t kReloadSite = 0x600525BE;
constexpr std::uint32_t kGeometryRoot = 0x601DDF88;
constexpr std::uint32_t kListC = 0x601DE18C;
constexpr std::uint32_t kListD = 0x601DE19C;
constexpr std::uint32_t kObjectLookup = 0x60070A10;
constexpr std::uint32_t kObjectIndexSite = 0x600704C1;
constexpr std::uint32_t kDraw = 0x6006ACE0;
const std::uint32_t kDrawSites[6] = {0x6007659E, 0x6007686D, 0x600768CF, 0x60076E1E, 0x60076FCD, 0x60076FDD};
constexpr std::uint32_t kRendererDeviceOffset = 244;

// A vector of one element: begin and end words at `at` of holder.
void oneElement(unsigned char* holder, std::uint32_t at, void* element) {
  unsigned char* cell = hostObject("refcell", 4);
  put(cell, 0, wordOf(element));
  put(holder, at, wordOf(cell));
  put(holder, at + 4, wordOf(cell + 4));
}

// An empty vector: begin and end null.
void noElements(unsigned char* holder, std::uint32_t at) {
  put(holder, at, 0u);
  put(holder, at + 4, 0u);
}

struct References {
  unsigned char *a, *b, *c, *d;
};

void twoStage(unsigned char* o, std::uint32_t at) {
  put<std::int32_t>(o, at, 2);
  put<std::uint32_t>(o, at + 4, 2);
  put<std::uint32_t>(o, at + 8, 5);
}

References buildReferences(std::uint32_t entries) {
  // The table: root +0xC -> p, p +4 -> q, q +0x14/+0x18 the 44-byte entries; the root links no
  // object at +0x18 here.
  unsigned char* q = hostObject("geometryq", 0x1C);
  unsigned char* table = entries == 0 ? nullptr : hostObject("geometryentries", 44 * entries);
  put(q, 0x14, wordOf(table));
  put(q, 0x18, entries == 0 ? 0u : wordOf(table + 44 * entries));
  unsigned char* p = hostObject("geometryp", 8);
  put(p, 4, wordOf(q));
  unsigned char* root = hostObject("geometryroot", 0x1C);
  put(root, 0xC, wordOf(p));
  put(root, 0x18, 0u);
  put(pointer(kGeometryRoot), 0, wordOf(root));

  References r{hostObject("refa", 0x40), hostObject("refb", 0x40), hostObject("refc", 0x90), hostObject("refd", 0x60)};
  twoStage(r.a, 0x30);
  twoStage(r.b, 0x30);
  put<std::uint32_t>(r.b, 0x3C, 5);
  twoStage(r.c, 0x7C);
  put<std::uint8_t>(r.c, 0x74, 1);
  put<std::uint32_t>(r.c, 0x78, 2);
  put<std::uint8_t>(r.c, 0x6D, 1);
  put<std::uint32_t>(r.c, 0x70, 5);
  put<std::uint8_t>(r.d, 0x5C, 1);
  put<std::uint32_t>(r.d, 0x50, 5);

  // List 1 of the paths member (+0x18C): one element whose vector (+0x20) holds A. The holder at
  // +0x1C4: its first vector (+0x8) one element with B in its vector (+0x64), its second (+0x18)
  // empty. List 3: one element whose last of 36 vectors holds C. List 4: one element whose second
  // vector (+0x14) holds D.
  unsigned char* paths = applicationPaths();
  unsigned char* listA = hostObject("reflista", 0x28);
  oneElement(listA, 0x20, r.a);
  oneElement(paths, 0x18C, listA);
  unsigned char* listB = hostObject("reflistb", 0x6C);
  oneElement(listB, 0x64, r.b);
  unsigned char* holderB = hostObject("refholderb", 0x20);
  oneElement(holderB, 0x8, listB);
  noElements(holderB, 0x18);
  put(paths, 0x1C4, wordOf(holderB));
  unsigned char* elementC = hostObject("reflistc", 0x8 + 16 * 36);
  for (std::uint32_t k = 0; k < 35; ++k) noElements(elementC, 0x8 + 16 * k);
  oneElement(elementC, 0x8 + 16 * 35, r.c);
  oneElement(pointer(kListC), 4, elementC);
  unsigned char* elementD = hostObject("reflistd", 0x1C);
  noElements(elementD, 0x4);
  oneElement(elementD, 0x14, r.d);
  oneElement(pointer(kListD), 4, elementD);
  return r;
}

std::string twoStageText(const unsigned char* o, std::uint32_t at) {
  return std::to_string(get<std::int32_t>(o, at)) + " " + std::to_string(get<std::uint32_t>(o, at + 4)) + " " +
         std::to_string(get<std::uint32_t>(o, at + 8));
}

void reloadGeometry(std::uint32_t entries) {
  const References r = buildReferences(entries);
  // The object the host's call passes on: the plugin hands it over and reads none of its words.
  unsigned char* moduleObject = hostObject("reloadobject", 16);
  noteHostCodeRun(kReloadSite - 1, kReloadSite + 4);
  SiteOutcome outcome;
  hostsimInvokeSiteRegs(&outcome, reinterpret_cast<const void*>(kReloadSite - 1), 0, wordOf(moduleObject), 0xD1D1D1D1u);
  noteCallTargetRun(kReloadSite);
  trace("host refs A " + twoStageText(r.a, 0x30) + " B " + twoStageText(r.b, 0x30) + " " +
        std::to_string(get<std::int32_t>(r.b, 0x3C)) + " C " + twoStageText(r.c, 0x7C) + " " +
        std::to_string(get<std::uint8_t>(r.c, 0x74)) + " " + std::to_string(get<std::int32_t>(r.c, 0x78)) + " " +
        std::to_string(get<std::uint8_t>(r.c, 0x6D)) + " " + std::to_string(get<std::int32_t>(r.c, 0x70)) + " D " +
        std::to_string(get<std::uint8_t>(r.d, 0x5C)) + " " + std::to_string(get<std::uint32_t>(r.d, 0x50)));
}

extern "C" std::int32_t __cdecl hostsimReloadGeometry(void* object) {
  trace(std::string("host geometry reload") + (object == nullptr ? " without its object" : ""));
  return 1;
}

std::uint32_t THISCALL objectLookup(void*, const std::uint32_t* record) {
  trace("host object lookup " + std::to_string(*record));
  return 1000 + *record - 40000;
}

void objectIndex(std::uint32_t id, std::uint32_t entries) {
  // The looking-up object's table of 4-byte entries (begin +0x3C, end +0x40).
  unsigned char* object = hostObject("lookupobject", 0x44);
  unsigned char* table = entries == 0 ? nullptr : hostObject("lookuptable", 4 * entries);
  put(object, 0x3C, wordOf(table));
  put(object, 0x40, entries == 0 ? 0u : wordOf(table + 4 * entries));
  std::uint32_t record[2] = {id, 0};
  const std::uint32_t result = runCallSite(kObjectIndexSite, {wordOf(record)}, wordOf(object));
  trace("host object index " + std::to_string(id) + " -> " + std::to_string(result));
}

// --- the renderer device -------------------------------------------------------------------------

struct Device {
  std::uint32_t table;
  float values[64][4];
};
std::uint32_t deviceTable[100];
Device device;

long STDCALL setValues(Device* d, std::uint32_t n, const float* v, std::uint32_t count) {
  if (n + count <= 64) hostWrite(d->values[n], v, 16 * count);
  return 0;
}
long STDCALL getValues(Device* d, std::uint32_t n, float* v, std::uint32_t count) {
  if (n + count <= 64) std::memcpy(v, d->values[n], 16 * count);
  return 0;
}
long STDCALL otherDeviceSlot(Device*) {
  trace("host device unexpected slot");
  return 0;
}

void THISCALL draw(void*, std::uint32_t argument) {
  trace("host draw call " + std::to_string(argument));
  const auto a = static_cast<float>(argument);
  for (int n : {40, 41}) {
    for (float& f : device.values[n]) put(&f, 0, a);
  }
}

std::string deviceText() {
  std::string text = "host device";
  for (int n : {40, 41}) {
    text += " " + std::to_string(n);
    for (float f : device.values[n]) {
      char number[16];
      std::snprintf(number, sizeof number, " %g", static_cast<double>(f));
      text += number;
    }
  }
  return text;
}

void drawCalls(bool withDevice) {
  for (auto& slot : deviceTable) slot = addressOf(&otherDeviceSlot);
  deviceTable[94] = addressOf(&setValues);
  deviceTable[95] = addressOf(&getValues);
  static const bool watched = (watchObject("renderdevice", &device, sizeof device), true);
  (void)watched;
  put(&device.table, 0, wordOf(deviceTable));
  for (int i = 0; i < 4; ++i) {
    put(&device.values[40][i], 0, static_cast<float>(1 + i));
    put(&device.values[41][i], 0, static_cast<float>(5 + i));
  }
  auto* renderer = static_cast<unsigned char*>(rendererObject());
  put(renderer, kRendererDeviceOffset, withDevice ? wordOf(&device) : 0u);
  // The object the draw sites pass on: the plugin hands it over and reads none of its words.
  unsigned char* object = hostObject("drawobject", 16);
  for (std::uint32_t i = 0; i < 6; ++i) {
    runCallSite(kDrawSites[i], {100 + i}, wordOf(object));
    trace(deviceText());
  }
  put(renderer, kRendererDeviceOffset, 0u);
}

}  // namespace

void appendTrackDrawRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
                            {kReloadGeometry, "reloadGeometry", addressOf(&hostsimReloadGeometryEntry)},
                            {kObjectLookup, "objectLookup", addressOf(&objectLookup)},
                            {kDraw, "draw", addressOf(&draw)},
                        });
  rows.push_back({EntryKind::callSite, kReloadSite, "geometryReloadSite", kReloadGeometry});
  // The module's call of its lookup at 0x600704C0: E8 and the displacement at 0x600704C1.
  rows.push_back({EntryKind::callSite, kObjectIndexSite, "objectIndexSite", kObjectLookup});
  for (std::uint32_t site : kDrawSites) rows.push_back({EntryKind::callSite, site, "drawSite", kDraw});
}

bool runTrackDrawStep(const std::string& step, std::istream& in) {
  if (step == "reloadgeometry") {
    std::uint32_t n = 0;
    in >> n;
    reloadGeometry(n);
  } else if (step == "objectindex") {
    std::uint32_t id = 0, n = 0;
    in >> id >> n;
    objectIndex(id, n);
  } else if (step == "drawcalls") {
    std::string none;
    in >> none;
    drawCalls(none != "none");
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
