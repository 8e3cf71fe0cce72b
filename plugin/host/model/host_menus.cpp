#include "plugin/host/model/host_menus.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_subclass.h"

namespace kvl::host {

namespace {

using Setup = int(QZR_CDECL*)(void*, HostWord, HostWord, HostWord, std::int32_t, void* const*, HostWord, HostWord,
                              HostWord, HostWord, HostWord, HostWord, HostWord, HostWord, HostWord, HostWord);

int runSetup(Setup entry, void* page, const HostText& title, std::int32_t count, void* const* items,
             const HostMenuLayout& l) {
  const HostWord* w = l.words;
  return entry(page, title.word(0), title.word(1), title.word(2), count, items, w[0], w[1], w[2], w[3], w[4], w[5],
               w[6], w[7], w[8], w[9]);
}

}  // namespace

const wchar_t* HostText::widen(HostText* record) {
  return hostFunction<0x496BF0, const wchar_t*(QZR_THISCALL*)(HostText*)>()(record);
}

float HostMenuPage::defaultSlotCall(void* renderer, float gap, std::int32_t row) {
  return hostFunction<0x547CB0, float(QZR_CDECL*)(void*, float, std::int32_t)>()(renderer, gap, row);
}

void* HostMenuPage::initBase(void* object) noexcept { return HostSubclass::initialise(object); }

int HostMenuPage::sendEvent(void* page, void* item, std::uint32_t code, const void* data) {
  return hostFunction<0x584CE0, int(QZR_THISCALL*)(void*, void*, std::uint32_t, const void*)>()(page, item, code,
                                                                                                 data);
}

int HostMenuPage::sendValueEvent(void* page, void* item, std::uint32_t value) {
  return sendEvent(page, item, 0x40000007u, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(value)));
}

int HostMenuPage::sendEventB(void* page, void* item, std::uint32_t code, const void* data) {
  return hostFunction<0x584E60, int(QZR_THISCALL*)(void*, void*, std::uint32_t, const void*)>()(page, item, code,
                                                                                                 data);
}

void HostMenuPage::placeItem(void* page, void* item, float x, float y) {
  hostFunction<0x5855D0, void(QZR_THISCALL*)(void*, void*, float, float)>()(page, item, x, y);
}

int HostMenuPage::setup(void* page, const HostText& title, std::int32_t count, void* const* items,
                        const HostMenuLayout& layout) {
  return runSetup(hostFunction<0x541B80, Setup>(), page, title, count, items, layout);
}

void HostMenuPage::bindAction(void* page, std::int32_t action, std::int32_t target, std::int32_t code,
                              const void* data) {
  using Fn = void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t, std::int32_t, const void*);
  tableEntry<Fn>(page, 23 * kTableEntrySize)(page, action, target, code, data);
}

int hostMenuSetupB(void* page, const HostText& title, std::int32_t count, void* const* items,
                   const HostMenuLayout& layout) {
  return runSetup(hostFunction<0x541D60, Setup>(), page, title, count, items, layout);
}

void hostMenuSelect(void* menu, std::int32_t a, std::int32_t b, std::int32_t c) {
  hostFunction<0x585440, void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t, std::int32_t)>()(menu, a, b, c);
}

void* HostMenuList::item(const void* page, std::int32_t i) noexcept {
  const std::int32_t count = fieldAt<std::int32_t>(page, 20);
  if (count <= 0 || i < 0 || i >= count) return nullptr;
  const auto* entries = reinterpret_cast<const HostWord*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(page, 12)));
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(entries[i]));
}

void* HostMenuList::items(const void* list) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(list, 16)));
}

void HostMenuItem::setEnabled(void* item, bool enabled) {
  using Fn = void(QZR_THISCALL*)(void*, std::uint32_t);
  tableEntry<Fn>(item, 4 * kTableEntrySize)(item, enabled ? 1u : 0u);
}

void* HostMenuItem::attachedDialog(void* item) {
  using Fn = void*(QZR_THISCALL*)(void*);
  return tableEntry<Fn>(item, 22 * kTableEntrySize)(item);
}

HostText* HostMenuItem::label(void* item) {
  void* dialog = attachedDialog(item);
  return dialog == nullptr ? nullptr : static_cast<HostText*>(addressAt(dialog, 8));
}

void HostMenuPage::setParentIndex(void* page, std::int32_t index, std::int32_t value) {
  hostFunction<0x540930, void(QZR_CDECL*)(void*, std::int32_t, std::int32_t)>()(page, index, value);
}

void HostObject::deleteThis(void* object, std::uint32_t flags) {
  tableEntry<void*(QZR_THISCALL*)(void*, std::uint32_t)>(object, 0)(object, flags);
}

void HostMenuItem::setFocused(void* item, bool focused) {
  tableEntry<void(QZR_THISCALL*)(void*, std::uint32_t)>(item, 6 * kTableEntrySize)(item, focused ? 1u : 0u);
}

void HostMenuItem::setFocusTarget(void* item, HostWord target) {
  tableEntry<void(QZR_THISCALL*)(void*, HostWord)>(item, 8 * kTableEntrySize)(item, target);
}

void HostMenuItem::onDecrease(void* item) {
  tableEntry<void(QZR_THISCALL*)(void*)>(item, 13 * kTableEntrySize)(item);
}

void HostMenuItem::onIncrease(void* item) {
  tableEntry<void(QZR_THISCALL*)(void*)>(item, 14 * kTableEntrySize)(item);
}

void HostMenuItem::drawAt(void* item, void* renderer, float x, float y) {
  tableEntry<void(QZR_THISCALL*)(void*, void*, float, float)>(item, 15 * kTableEntrySize)(item, renderer, x, y);
}

void HostMenuItem::passToChildren(void* item, float value) {
  tableEntry<void(QZR_THISCALL*)(void*, float)>(item, 16 * kTableEntrySize)(item, value);
}

}  // namespace kvl::host
