#include "hostsim/renderer_model.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/fields.h"
#include "hostsim/host_objects.h"
#include "hostsim/race.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kRendererSlots = 90;
constexpr std::uintptr_t kControlsObject = 0x16607F8;
// The car's engine data (the gearbox object, 4096 bytes): its rev limit at +392 and every other
// word a plausible engine speed, none of which the host names as a shift speed, so a lamp stage
// taken from any of them shows.
constexpr std::uint32_t kEngineDataBytes = 4096;
constexpr float kUnnamedRpm = 6500.0f;
// The four places of the lamp code and where each one's short jump lands.
const std::uint32_t kLampSites[4] = {0x576E32, 0x57724A, 0x55C227, 0x55C785};
const std::uint32_t kLampSkips[4] = {0x576E87, 0x5772C0, 0x55C2A4, 0x55C7E9};

void THISCALL setEnabled(void*, std::int32_t v) { trace("host renderer enabled " + std::to_string(v)); }
void THISCALL setFlags(void*, std::uint32_t v) { trace("host renderer flags " + std::to_string(v)); }
void THISCALL clearFlags(void*, std::uint32_t v) { trace("host renderer clear flags " + std::to_string(v)); }
float THISCALL textWidth(void*, const char* text) { return 10.0f * static_cast<float>(std::strlen(text)); }
void THISCALL drawTextId(void*, std::int32_t id, float x, float y) {
  trace("host renderer text " + std::to_string(id) + " at " + traceNumber(x) + " " + traceNumber(y));
}
void THISCALL drawQuad(void*, float a, float b, float c, float d) {
  trace("host renderer quad " + traceNumber(a) + " " + traceNumber(b) + " " + traceNumber(c) + " " + traceNumber(d));
}
void THISCALL drawItem(void*, std::int32_t a, std::int32_t b, std::uint32_t c) {
  trace("host renderer item " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
}
float THISCALL scaleValue(void*, std::int32_t v) { return 3.0f * static_cast<float>(v); }
float THISCALL scaleCoordinate(void*, float v) { return 2.0f * v; }

// A slot the host's renderer has no known function in: what it would do to the host's stack and
// state is unknown, so a call ends the run.
template <std::uint32_t Slot>
void THISCALL unknownSlot(void*) {
  trace("host renderer slot " + std::to_string(Slot) + " has no known function");
  TerminateProcess(GetCurrentProcess(), 99);
}
template <std::uint32_t... Slots>
void fillUnknownSlots(unsigned char* table, std::integer_sequence<std::uint32_t, Slots...>) {
  (put(table, 4 * Slots, addressOf(&unknownSlot<Slots>)), ...);
}

struct RendererObjects {
  unsigned char* renderer;
  unsigned char* table;
  unsigned char* race;
};

// The dashboard layout record: the first set's float base (+0, +4) and lamp offsets (+104 to
// +116), the first position block at +184 with the second set's base, and the second block at
// +192, whose +0x240 holds the second set's lamp offsets (+768 to +780).
constexpr std::uint32_t kLayoutFirstOffsets = 104, kLayoutFirstBlock = 184, kLayoutSecondOffsets = 192 + 0x240;
constexpr std::uint32_t kLayoutSize = kLayoutSecondOffsets + 16;
// The dashboard view keeps its layout at +4; the race's dashboard link keeps the view at +64.
constexpr std::uint32_t kViewLayout = 4, kLinkView = 64;

RendererObjects& objects() {
  static RendererObjects o = [] {
    RendererObjects r{};
    // The renderer's table holds the functions the host names and nothing else; slot 31, the
    // text call, is filled by the setup-file menus model. The renderer is also the menu view,
    // whose value scaling is slot 83.
    r.table = hostObject("renderertable", 4 * kRendererSlots);
    fillUnknownSlots(r.table, std::make_integer_sequence<std::uint32_t, kRendererSlots>{});
    put(r.table, 4 * 6, addressOf(&setEnabled));
    put(r.table, 4 * 9, addressOf(&setFlags));
    put(r.table, 4 * 10, addressOf(&clearFlags));
    put(r.table, 4 * 15, addressOf(&drawQuad));
    put(r.table, 4 * 34, addressOf(&textWidth));
    put(r.table, 4 * 38, addressOf(&drawTextId));
    put(r.table, 4 * 43, addressOf(&drawItem));
    put(r.table, 4 * 83, addressOf(&scaleValue));
    put(r.table, 4 * 85, addressOf(&scaleCoordinate));
    r.renderer = hostObject("menurenderer", 256);
    put(r.renderer, 0, wordOf(r.table));
    put(hostObjects().game, kGameMenuRendererOffset, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(r.renderer)));
    // The first position set: base (100, 200) in the record at +724, lamp offsets x 10 and 30,
    // y 5 and 5; the second set: base (400, 300) in the race itself, offsets x 1 and 2, y 3 and 4.
    r.race = hostRace();
    const std::int32_t first[] = {100, 200}, firstOffsets[] = {10, 30, 5, 5};
    const std::int32_t second[] = {400, 300}, secondOffsets[] = {1, 2, 3, 4};
    for (int i = 0; i < 2; ++i) put(r.race, 724 + 4 * i, first[i]);
    for (int i = 0; i < 4; ++i) put(r.race, 828 + 4 * i, firstOffsets[i]);
    for (int i = 0; i < 2; ++i) put(r.race, 4 * i, second[i]);
    for (int i = 0; i < 4; ++i) put(r.race, 1484 + 4 * i, secondOffsets[i]);
    return r;
  }();
  return o;
}

// A dashboard layout L with float base (x, y) and lamp offsets x 0.5 and 20.5, y 1.5 and 2.5.
void addDashboard(float x, float y) {
  unsigned char* layout = hostObject("dashlayout", kLayoutSize);
  put(layout, 0, x);
  put(layout, 4, y);
  const float offsets[] = {0.5f, 20.5f, 1.5f, 2.5f};
  for (std::uint32_t i = 0; i < 4; ++i) put(layout, kLayoutFirstOffsets + 4 * i, offsets[i]);
  // The first position block, which the second set draws from: (x + 200, y + 100), lamp offsets
  // x 1 and 2, y 3 and 4.
  put(layout, kLayoutFirstBlock, x + 200.0f);
  put(layout, kLayoutFirstBlock + 4, y + 100.0f);
  for (std::uint32_t i = 0; i < 4; ++i) put(layout, kLayoutSecondOffsets + 4 * i, static_cast<float>(i + 1));
  unsigned char* view = hostObject("dashview", kViewLayout + 4);
  put(view, kViewLayout, wordOf(layout));
  unsigned char* link = hostObject("dashlink", kLinkView + 4);
  put(link, kLinkView, wordOf(view));
  put(objects().race, 1996, wordOf(link));
}

// Runs the lamp place with the FPU in a state of the host's own: x87 control word 0x007F (single
// precision), 1.0 on the x87 stack, MXCSR with rounding toward zero.
void drawLamps(int place) {
  const std::uint16_t hostControlWord = 0x007F;
  const std::uint32_t hostMxcsr = 0x7F80;
  std::uint16_t controlWord = 0;
  std::uint32_t mxcsr = 0, savedMxcsr = 0;
  double top = 0;
  asm volatile("stmxcsr %0" : "=m"(savedMxcsr));
  asm volatile("fldcw %0\n\tfld1\n\tldmxcsr %1" : : "m"(hostControlWord), "m"(hostMxcsr));
  runInlineCode(kLampSites[place], 0x51515151u, 0xD1D1D1D1u);
  asm volatile("fnstcw %0\n\tstmxcsr %1\n\tfstpl %2" : "=m"(controlWord), "=m"(mxcsr), "=m"(top));
  const std::uint16_t defaultControlWord = 0x037F;
  asm volatile("fldcw %0\n\tldmxcsr %1" : : "m"(defaultControlWord), "m"(savedMxcsr));
  char text[96];
  std::snprintf(text, sizeof text, "host fpu control %04x top %g mxcsr %04x", controlWord, top, mxcsr);
  trace(text);
}

}  // namespace

void appendRendererRows(std::vector<AddressEntry>& rows) {
  objects();  // the lamp fields of the race object
  for (int i = 0; i < 4; ++i) {
    // Seven bytes of the host's own lamp code; the plugin's short jump lands past the rest of it.
    rows.push_back({EntryKind::inlineCode, kLampSites[i], "lampCode", 7});
    rows.push_back({EntryKind::inlineCode, kLampSkips[i], "lampCodeEnd", 0});
  }
}

bool runRendererStep(const std::string& step, std::istream& in) {
  if (step == "car") {
    float rpm = 0;
    std::int32_t gear = 0;
    in >> rpm >> gear;
    put(objects().race, 16, rpm);
    put(objects().race, 368, gear);
  } else if (step == "enginedata") {
    std::string first;
    in >> first;
    unsigned char* engine = first == "off" ? nullptr : carObject("gearbox");
    put(hostCarObject(), 2128, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(engine)));
    if (engine == nullptr) return true;
    for (std::uint32_t at = 0; at < kEngineDataBytes; at += 4) put(engine, at, kUnnamedRpm);
    put(engine, 392, static_cast<float>(std::atof(first.c_str())));
  } else if (step == "dashboard") {
    float x = 0, y = 0;
    in >> x >> y;
    addDashboard(x, y);
  } else if (step == "lampset") {
    // The player's choice of lamp set: the controls object's word +1268.
    std::int32_t set = 0;
    in >> set;
    put(reinterpret_cast<unsigned char*>(kControlsObject), 1268, set);
  } else if (step == "lamps") {
    int place = 0;
    in >> place;
    drawLamps(place < 0 || place > 3 ? 0 : place);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
