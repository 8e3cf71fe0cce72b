#include "hostsim/menu_centring_model.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/function_table.h"
#include "hostsim/runtime_host.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))
#define STDCALL __attribute__((stdcall))

// The renderer keeps its screen size at +256 and +260 (the simulated host's own place).
constexpr std::uint32_t kRendererWidthOffset = 256;
constexpr std::uint32_t kRendererHeightOffset = 260;
// Quad: its vertex buffer at +284, an inner part at +332 with its own buffer at +284 of the part;
// every other word keeps its pattern word (where a quad keeps its width is not known).
constexpr std::uint32_t kQuadBufferOffset = 284;
constexpr std::uint32_t kQuadInnerOffset = 332;
constexpr std::uint32_t kQuadSize = 1024;
constexpr std::uint32_t kVertexSize = 24;

bool centring = false;

// The host menu item that the host draws through its call at 0x4728B6, and the quad it has built
// last (its table's slots check that they are called on it).
unsigned char menuItem[64];
unsigned char* builtQuad = nullptr;

std::string onWhich(const void* self, const void* expected) { return self == expected ? "" : "on another object "; }

std::uint32_t THISCALL screenWidth(unsigned char* renderer) { return get(renderer, kRendererWidthOffset); }
std::uint32_t THISCALL screenHeight(unsigned char* renderer) { return get(renderer, kRendererHeightOffset); }

// Only AL carries the answer: the rest of EAX is noise.
std::uint32_t THISCALL centresMenus(unsigned char*) { return 0x5A5A5A00u | (centring ? 1u : 0u); }

void THISCALL menuDraw(void* self, std::int32_t a, std::int32_t b, float x, std::uint32_t c, std::uint32_t d,
                       std::uint32_t e, std::uint32_t f) {
  trace(std::string("host menu draw ") + onWhich(self, menuItem) + "x " + traceNumber(x) + " args " + std::to_string(a) + " " + std::to_string(b) + " " +
        std::to_string(c) + " " + std::to_string(d) + " " + std::to_string(e) + " " + std::to_string(f));
}

// A Direct3D vertex buffer: table word, then four vertices of 24 bytes (x first).
struct VertexBuffer {
  const std::uint32_t* table;
  unsigned char data[4 * kVertexSize];
};

std::int32_t STDCALL bufferLock(VertexBuffer* buffer, std::uint32_t offset, std::uint32_t size, void** data,
                                std::uint32_t flags) {
  trace("host vertex buffer lock " + std::to_string(offset) + " " + std::to_string(size) + " " + std::to_string(flags));
  *data = buffer->data;
  return 0;
}

std::int32_t STDCALL bufferUnlock(VertexBuffer*) {
  trace("host vertex buffer unlock");
  return 0;
}

std::int32_t STDCALL bufferOther(VertexBuffer*) {
  trace("host vertex buffer unexpected slot");
  return -1;
}

const std::uint32_t* bufferTable() {
  static const std::uint32_t* const table =
      functionTable(16, addressOf(&bufferOther), {{11, addressOf(&bufferLock)}, {12, addressOf(&bufferUnlock)}});
  return table;
}

// A vertex buffer of the quad: its table word and the x of its four vertices (the rest of each
// vertex is never read here).
VertexBuffer* newBuffer(float left, float right) {
  auto* buffer = reinterpret_cast<VertexBuffer*>(hostObject("vertexbuffer", sizeof(VertexBuffer)));
  put(&buffer->table, 0, bufferTable());
  const float xs[4] = {left, right, left, right};
  for (std::uint32_t v = 0; v < 4; ++v) put(buffer->data, v * kVertexSize, xs[v]);
  return buffer;
}

void* THISCALL quadConstruct(unsigned char* quad, std::int32_t a, std::int32_t b, std::int32_t width,
                             std::int32_t d) {
  put(quad, 0, kQuadTable);
  put(quad, kQuadBufferOffset, wordOf(newBuffer(0.0f, static_cast<float>(width))));
  put(quad, kQuadInnerOffset + kQuadBufferOffset, wordOf(newBuffer(4.0f, static_cast<float>(width - 4))));
  trace("host quad construct " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(width) + " " +
        std::to_string(d));
  return quad;
}

void* THISCALL quadDestroy(unsigned char* quad, std::uint32_t flags) {
  trace("host quad destroy");
  for (std::uint32_t at : {kQuadBufferOffset, kQuadInnerOffset + kQuadBufferOffset}) {
    unsigned char* buffer = pointer(get(quad, at));
    releaseObject(buffer);
    std::free(buffer);
  }
  if (flags & 1) {
    releaseObject(quad);
    std::free(quad);
  }
  return quad;
}

std::int32_t THISCALL quadDraw(unsigned char* self, std::int32_t count, const float* xs, std::int32_t flag) {
  std::string line = "host quad draw " + onWhich(self, builtQuad) + std::to_string(count) + " flag " + std::to_string(flag) + " xs";
  for (std::int32_t i = 0; i < count; ++i) line += " " + traceNumber(xs[i]);
  trace(line);
  return 1;
}

// The view's layout values in screen units: twice the value.
float THISCALL quadScaleValue(unsigned char* self, std::int32_t value) {
  if (self != builtQuad) trace("host quad scale on another object");
  return 2.0f * static_cast<float>(value);
}

void THISCALL quadOtherSlot(unsigned char*) { trace("host quad unexpected slot"); }

std::string vertexXs(const unsigned char* quad, std::uint32_t bufferOffset) {
  const auto* buffer = reinterpret_cast<const VertexBuffer*>(pointer(get(quad, bufferOffset)));
  std::string xs;
  for (int v = 0; v < 4; ++v) xs += " " + traceNumber(get<float>(buffer->data, v * kVertexSize));
  return xs;
}

void buildQuad(std::int32_t width) {
  unsigned char* quad = hostObject("quad", kQuadSize);
  builtQuad = quad;
  runCallSite(kQuadSite, {1, 2, static_cast<std::uint32_t>(width), 4}, wordOf(quad));
  trace(std::string("host quad table ") + (get(quad, 0) == kQuadTable ? "host" : "replaced"));
  trace("host quad vertices" + vertexXs(quad, kQuadBufferOffset) + " inner" +
        vertexXs(quad, kQuadInnerOffset + kQuadBufferOffset));
  const auto* table = reinterpret_cast<const std::uint32_t*>(pointer(get(quad, 0)));
  float xs[2] = {10.0f, 20.0f};
  using Draw = std::int32_t(THISCALL*)(void*, std::int32_t, float*, std::int32_t);
  reinterpret_cast<Draw>(static_cast<std::uintptr_t>(table[54]))(quad, 2, xs, 7);
  using Destroy = void*(THISCALL*)(void*, std::uint32_t);
  reinterpret_cast<Destroy>(static_cast<std::uintptr_t>(table[0]))(quad, 1);
}

}  // namespace

void appendMenuCentringRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
                            {kScreenWidth, "screenWidth", addressOf(&screenWidth)},
                            {kScreenHeight, "screenHeight", addressOf(&screenHeight)},
                            {kCentresMenus, "centresMenus", addressOf(&centresMenus)},
                            {kMenuDraw, "menuDraw", addressOf(&menuDraw)},
                            {kQuadConstructor, "quadConstruct", addressOf(&quadConstruct)},
                        });
  rows.push_back({EntryKind::callSite, kQuadSite, "quadConstructSite", kQuadConstructor});
  rows.push_back({EntryKind::callSite, kMenuDrawSite, "menuDrawSite", kMenuDraw});
  // The host asks its renderer for the width its menus lay themselves out in: the screen width.
  rows.push_back({EntryKind::callSite, kMenuWidthSite, "menuWidthSite", kScreenWidth});
  for (std::uint32_t slot = 0; slot < kQuadTableSlots; ++slot) {
    const std::uint32_t entry = slot == 0    ? addressOf(&quadDestroy)
                                : slot == 54 ? addressOf(&quadDraw)
                                : slot == 83 ? addressOf(&quadScaleValue)
                                             : addressOf(&quadOtherSlot);
    rows.push_back({EntryKind::global, kQuadTable + 4 * slot, "quadTable", entry});
  }
}

bool runMenuCentringStep(const std::string& step, std::istream& in) {
  auto* renderer = static_cast<unsigned char*>(rendererObject());
  if (step == "screen") {
    std::uint32_t w = 0, h = 0;
    in >> w >> h;
    put(renderer, kRendererWidthOffset, w);
    put(renderer, kRendererHeightOffset, h);
  } else if (step == "centring") {
    std::string state;
    in >> state;
    centring = state == "on";
  } else if (step == "menuwidth") {
    trace("host menu area width " + std::to_string(runCallSite(kMenuWidthSite, {}, wordOf(renderer))));
  } else if (step == "menudraw") {
    float x = 0;
    in >> x;
    // The host's menu object: no word of it is named, so every word keeps its pattern.
    static const bool watched = (watchObject("centredmenuitem", menuItem, sizeof menuItem), true);
    (void)watched;
    runCallSite(kMenuDrawSite, {1, 2, floatWord(x), 3, 4, 5, 6}, wordOf(menuItem));
  } else if (step == "quad") {
    std::int32_t w = 0;
    in >> w;
    buildQuad(w);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
