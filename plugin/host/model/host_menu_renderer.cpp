#include "plugin/host/model/host_menu_renderer.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/text_fitting.h"

namespace kvl::host {
namespace {

template <typename Fn>
Fn slot(void* object, std::size_t index) {
  return tableEntry<Fn>(object, index * kTableEntrySize);
}

}  // namespace

void HostMenuRenderer::beginText(void* r, std::int32_t a, std::int32_t b, void* p, std::int32_t c) {
  hostFunction<0x4A8520, void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t, void*, std::int32_t)>()(r, a, b, p, c);
}

void HostMenuRenderer::fillRect(void* r, float x, float y, float width, float height) {
  hostFunction<0x4A3E20, void(QZR_THISCALL*)(void*, float, float, float, float)>()(r, x, y, width, height);
}

void HostMenuRenderer::setColour(void* r, std::int32_t colour) {
  hostFunction<0x4A57F0, void(QZR_THISCALL*)(void*, std::int32_t)>()(r, colour);
}

void HostMenuRenderer::setFont(void* r, std::int32_t font) {
  hostFunction<0x4A4D00, void(QZR_THISCALL*)(void*, std::int32_t)>()(r, font);
}

void HostMenuRenderer::setEnabled(void* r, std::int32_t enabled) {
  slot<void(QZR_THISCALL*)(void*, std::int32_t)>(r, 6)(r, enabled);
}

void HostMenuRenderer::setFlags(void* r, std::uint32_t mask) { slot<void(QZR_THISCALL*)(void*, std::uint32_t)>(r, 9)(r, mask); }

void HostMenuRenderer::clearFlags(void* r, std::uint32_t mask) {
  slot<void(QZR_THISCALL*)(void*, std::uint32_t)>(r, 10)(r, mask);
}

void HostMenuRenderer::drawQuad(void* r, float a, float b, float c, float d) {
  slot<void(QZR_THISCALL*)(void*, float, float, float, float)>(r, 15)(r, a, b, c, d);
}

float HostMenuRenderer::textWidth(void* r, const char* text) {
  return slot<float(QZR_THISCALL*)(void*, const char*)>(r, 34)(r, text);
}

void HostMenuRenderer::drawTextId(void* r, std::int32_t id, float x, float y) {
  slot<void(QZR_THISCALL*)(void*, std::int32_t, float, float)>(r, 38)(r, id, x, y);
}

void HostMenuRenderer::drawItem(void* r, std::int32_t a, std::int32_t b, std::uint32_t c) {
  slot<void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t, std::uint32_t)>(r, 43)(r, a, b, c);
}

float HostMenuRenderer::scaleCoordinate(void* r, float value) {
  return slot<float(QZR_THISCALL*)(void*, float)>(r, 85)(r, value);
}

void HostMenuRenderer::printText(void* r, float x, float y, const wchar_t* text) {
  using Print = void(QZR_CDECL*)(void*, float, float, const wchar_t*, ...);
  slot<Print>(r, 31)(r, x, y, L"%s", text);
}

void HostMenuRenderer::drawList(void* r, float x, float y, std::int32_t kind, const float* columns, std::int32_t first,
                                std::int32_t rows, std::int32_t highlighted, const wchar_t* const* texts,
                                const std::int32_t* selection, std::int32_t flag) {
  using Draw = void(QZR_THISCALL*)(void*, float, float, std::int32_t, const float*, std::int32_t, std::int32_t,
                                   std::int32_t, const wchar_t* const*, const std::int32_t*, std::int32_t);
  hostFunction<0x4A79C0, Draw>()(r, x, y, kind, columns, first, rows, highlighted, texts, selection, flag);
}

float HostMenuView::scaleValue(void* view, std::int32_t value) {
  return slot<float(QZR_THISCALL*)(void*, std::int32_t)>(view, 83)(view, value);
}

std::string fitTextToWidth(void* renderer, const std::string& text, float limit) {
  return fitText(text, limit, [renderer](const std::string& t) { return HostMenuRenderer::textWidth(renderer, t.c_str()); });
}

}  // namespace kvl::host
