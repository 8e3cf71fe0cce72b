#include "plugin/host/model/host_setup_rows.h"

#include <cstring>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/binding/vtable_clone.h"

namespace kvl::host {
namespace {

constexpr std::uint32_t kRowCreate = 0x550130;
constexpr std::uint32_t kOptionRecordConstructor = 0x558570;
constexpr std::uint32_t kOptionRecordTable = 0x7452AC;
constexpr std::size_t kOptionRecordSlots = 15;

HostWord word(const void* p) { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }
HostWord floatWord(float f) {
  HostWord w;
  std::memcpy(&w, &f, sizeof w);
  return w;
}

const void* optionRecordTable() {
  static void* entries[kOptionRecordSlots];
  static const bool copied = [] {
    VtableClone clone;
    clone.setTarget(entries);
    clone.copyFrom(HostAddress(kOptionRecordTable).resolve(), sizeof entries);
    return true;
  }();
  (void)copied;
  return entries;
}

}  // namespace

void* HostSetupRow::create(const HostText& label, std::int32_t kind, void* value, void* range,
                           const SetupRowLayout& l) {
  using Fn = void*(QZR_CDECL*)(HostWord, HostWord, HostWord, std::int32_t, HostWord, HostWord, HostWord, HostWord,
                               HostWord, std::int32_t, std::int32_t);
  static const HostAddress entry(kRowCreate);
  return reinterpret_cast<Fn>(entry.resolve())(label.word(0), label.word(1), label.word(2), kind, floatWord(l.l1),
                                                word(value), word(range), floatWord(l.l2), floatWord(l.l3), l.l4,
                                                l.l5);
}

void* HostProgressiveSwitchItem::construct(void* item, const HostText& label, const HostText& first,
                                           const HostText& second, float value) {
  // The plugin's part: the table word, one word, three empty text records.
  std::memset(item, 0, kSize);
  using Fn = void*(QZR_THISCALL*)(void*, HostWord, HostWord, HostWord, HostWord, HostWord, HostWord, HostWord,
                                  HostWord, HostWord, float);
  hostFunction<kOptionRecordConstructor, Fn>()(item, label.word(0), label.word(1), label.word(2), first.word(0),
                                               first.word(1), first.word(2), second.word(0), second.word(1),
                                               second.word(2), value);
  setTable(item, optionRecordTable());
  return item;
}

}  // namespace kvl::host
