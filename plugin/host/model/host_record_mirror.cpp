#include "plugin/host/model/host_record_mirror.h"

#include <cstring>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/guarded_call.h"

namespace kvl::host {
namespace {

std::uint32_t QZR_THISCALL mirrorSlot(void*, std::uint32_t, std::uint32_t, std::uint32_t) noexcept { return 0; }
const void* const kMirrorTable[] = {reinterpret_cast<const void*>(&mirrorSlot)};

void QZR_THISCALL callbackDestroy(HostCallbackObject* self, std::uint32_t flags) noexcept;
void QZR_THISCALL callbackInvoke(HostCallbackObject* self) noexcept {
  // A member function pointer of the host's compiler: address at +24, this adjustment at +16.
  const HostWord function = self->words[5];
  const HostWord object = self->words[6];
  if (function == 0 || object == 0) return;
  auto* target = reinterpret_cast<void*>(static_cast<std::uintptr_t>(object + self->words[3]));
  reinterpret_cast<void(QZR_THISCALL*)(void*)>(static_cast<std::uintptr_t>(function))(target);
}
const void* const kCallbackTable[] = {reinterpret_cast<const void*>(&callbackDestroy),
                                      reinterpret_cast<const void*>(&callbackInvoke)};
const void* const kDestroyedCallbackTable[] = {nullptr, nullptr};

void QZR_THISCALL callbackDestroy(HostCallbackObject* self, std::uint32_t) noexcept {
  self->table = kDestroyedCallbackTable;
}

void initCallback(HostCallbackObject& c) noexcept {
  c.table = kCallbackTable;
  std::memset(c.words, 0, sizeof c.words);
}

}  // namespace

bool HostRecordMirror::construct(HostRecordMirror* mirror) noexcept {
  mirror->table = kMirrorTable;
  mirror->first = mirror->second = mirror->third = mirror->fourth = 0;
  initCallback(mirror->callbackA);
  initCallback(mirror->callbackB);
  const bool built = runGuarded([mirror] { hostFunction<0x5001C0, void(QZR_THISCALL*)(void*)>()(mirror); },
                                GuardCatch::memoryFaultsAndHostExceptions);
  if (!built) {
    callbackDestroy(&mirror->callbackB, 0);
    callbackDestroy(&mirror->callbackA, 0);
  }
  return built;
}

void HostRecordMirror::copyFrom(HostRecordMirror* mirror, const void* source) noexcept {
  mirror->first = fieldAt<HostWord>(source, 4);
  mirror->second = fieldAt<HostWord>(source, 8);
  std::memcpy(mirror->block, static_cast<const std::uint8_t*>(source) + 12, kBlockSize);
  mirror->fourth = fieldAt<HostWord>(source, 4112);
}

void* hostRecordSource() { return hostGlobal<0x7C755C, void*>(); }

}  // namespace kvl::host
