#include "hostsim/draw_interface.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "hostsim/call_trace.h"

namespace hostsim {
namespace {

#define HOSTSIM_THISCALL __attribute__((thiscall))

struct DrawInterface {
  const void* const* table;
};

void HOSTSIM_THISCALL drawText(DrawInterface*, float x, float y, const char* text) {
  trace("draw text " + traceNumber(x) + " " + traceNumber(y) + " \"" + (text != nullptr ? text : "") + "\"");
}
void HOSTSIM_THISCALL drawBox(DrawInterface*, float x, float y, float w, float h) {
  trace("draw box " + traceNumber(x) + " " + traceNumber(y) + " " + traceNumber(w) + " " + traceNumber(h));
}
void HOSTSIM_THISCALL beginOverlay(DrawInterface*, float x, float y, float w, float h) {
  trace("draw begin " + traceNumber(x) + " " + traceNumber(y) + " " + traceNumber(w) + " " + traceNumber(h));
}
void HOSTSIM_THISCALL drawRect(DrawInterface*, float x, float y, float w, float h) {
  trace("draw rect " + traceNumber(x) + " " + traceNumber(y) + " " + traceNumber(w) + " " + traceNumber(h));
}
void HOSTSIM_THISCALL drawValue(DrawInterface*, float x, float y, std::uint32_t value) {
  trace("draw value " + traceNumber(x) + " " + traceNumber(y) + " " + std::to_string(value));
}
void HOSTSIM_THISCALL setTextStyle(DrawInterface*, std::int32_t style) {
  trace("draw style " + std::to_string(style));
}
void HOSTSIM_THISCALL setColourIndex(DrawInterface*, std::int32_t index) {
  trace("draw colour index " + std::to_string(index));
}
void HOSTSIM_THISCALL setColour(DrawInterface*, float r, float g, float b, float a) {
  trace("draw colour " + traceNumber(r) + " " + traceNumber(g) + " " + traceNumber(b) + " " + traceNumber(a));
}
// Slots without a known use take no arguments here; a call is traced and nothing more.
template <int N>
void HOSTSIM_THISCALL unusedSlot(DrawInterface*) {
  trace("host draw slot " + std::to_string(N));
}

const void* const drawTable[] = {
    reinterpret_cast<const void*>(&unusedSlot<0>),   reinterpret_cast<const void*>(&unusedSlot<1>),
    reinterpret_cast<const void*>(&drawText),        reinterpret_cast<const void*>(&unusedSlot<3>),
    reinterpret_cast<const void*>(&drawBox),         reinterpret_cast<const void*>(&beginOverlay),
    reinterpret_cast<const void*>(&drawRect),        reinterpret_cast<const void*>(&drawValue),
    reinterpret_cast<const void*>(&unusedSlot<8>),   reinterpret_cast<const void*>(&unusedSlot<9>),
    reinterpret_cast<const void*>(&setTextStyle),    reinterpret_cast<const void*>(&setColourIndex),
    reinterpret_cast<const void*>(&setColour),
};
DrawInterface drawInterface{drawTable};

}  // namespace

void* hostDrawInterface() { return &drawInterface; }

}  // namespace hostsim
