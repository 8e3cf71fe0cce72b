#include "plugin/gui/host_draw_interface.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::gui {
namespace {

template <typename Fn>
Fn slot(const HostDrawInterface* host, int index) noexcept {
  return host::tableEntry<Fn>(host, static_cast<std::size_t>(index) * host::kTableEntrySize);
}

}  // namespace

void HostDrawInterface::drawText(float x, float y, const char* text) {
  slot<TextFn>(this, kDrawTextSlot)(this, x, y, text);
}

void HostDrawInterface::drawBox(float x, float y, float width, float height) {
  slot<AreaFn>(this, kDrawBoxSlot)(this, x, y, width, height);
}

void HostDrawInterface::beginOverlay(float x, float y, float width, float height) {
  slot<AreaFn>(this, kBeginOverlaySlot)(this, x, y, width, height);
}

void HostDrawInterface::drawRect(float x, float y, float width, float height) {
  slot<AreaFn>(this, kDrawRectSlot)(this, x, y, width, height);
}

void HostDrawInterface::drawValue(float x, float y, std::uint32_t value) {
  slot<ValueFn>(this, kDrawValueSlot)(this, x, y, value);
}

void HostDrawInterface::setTextStyle(std::int32_t style) { slot<IntFn>(this, kSetTextStyleSlot)(this, style); }

void HostDrawInterface::setColourIndex(std::int32_t index) {
  slot<IntFn>(this, kSetColourIndexSlot)(this, index);
}

void HostDrawInterface::setColour(float r, float g, float b, float a) {
  slot<ColourFn>(this, kSetColourSlot)(this, r, g, b, a);
}

}  // namespace kvl::gui
