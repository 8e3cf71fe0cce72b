#include "plugin/host/model/skid_trail.h"

#include <cstring>
#include <new>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_allocators.h"

namespace kvl::host {
namespace {

void* QZR_THISCALL destroySlot(void* trail, std::uint32_t flags) noexcept {
  SkidTrail::destroy(trail, flags);
  return trail;
}

std::int32_t QZR_THISCALL drawSlot(void* trail) noexcept { return SkidTrail::draw(trail); }

struct SkidTrailTable {
  void*(QZR_THISCALL* destroy)(void*, std::uint32_t) noexcept;
  std::int32_t(QZR_THISCALL* draw)(void*) noexcept;
};
const SkidTrailTable kTable = {destroySlot, drawSlot};

}  // namespace

void* SkidTrail::copyFrom(void* memory, const void* hostTrail) noexcept {
  std::memcpy(static_cast<unsigned char*>(memory) + kTableEntrySize,
              static_cast<const unsigned char*>(hostTrail) + kTableEntrySize, kSize - kTableEntrySize);
  *static_cast<const void**>(memory) = table();
  return memory;
}

const void* SkidTrail::table() noexcept { return &kTable; }

std::int32_t SkidTrail::draw(void* trail) {
  return hostFunction<0x5F05E0, std::int32_t(QZR_THISCALL*)(void*)>()(trail);
}

void SkidTrail::destroy(void* trail, std::uint32_t flags) noexcept {
  if (trail == nullptr || (flags & kFree) == 0) return;
  if ((flags & kPluginHeap) != 0) {
    ::operator delete(trail, kSize);
  } else {
    hostRuntimeRelease(trail);
  }
}

}  // namespace kvl::host
