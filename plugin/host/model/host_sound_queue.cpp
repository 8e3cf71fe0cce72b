#include "plugin/host/model/host_sound_queue.h"

#include <windows.h>

#include <atomic>
#include <cstring>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_audio.h"

namespace kvl::host {
namespace {

std::vector<std::uint32_t>& queue() {
  static std::vector<std::uint32_t> values;
  return values;
}
// Read without the lock only to decide whether to take it.
std::atomic<std::size_t> queuedCount{0};

CRITICAL_SECTION* managerLock(void* manager) {
  return static_cast<CRITICAL_SECTION*>(addressAt(manager, kSoundManagerLockOffset));
}

using ManagerSlot24 = void(QZR_THISCALL*)(void*, std::uint32_t);
using ManagerSlot68 = void(QZR_THISCALL*)(void*);

template <typename Fn>
Fn managerSlot(void* manager, std::uint32_t offset) {
  const auto table = fieldAt<HostWord>(manager, 0);
  HostWord entry = 0;
  std::memcpy(&entry, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table + offset)), 4);
  return reinterpret_cast<Fn>(static_cast<std::uintptr_t>(entry));
}

}  // namespace

void QZR_THISCALL queueSoundCallHook(void* manager, std::uint32_t value) noexcept {
  try {
    EnterCriticalSection(managerLock(manager));
    queue().push_back(value);
    queuedCount.store(queue().size());
    LeaveCriticalSection(managerLock(manager));
  } catch (...) {
    LeaveCriticalSection(managerLock(manager));
  }
}

std::int32_t QZR_THISCALL queuedSoundUpdateHook(void* manager, float seconds) noexcept {
  if (queuedCount.load() != 0) {
    EnterCriticalSection(managerLock(manager));
    // A call the manager defers while it is drained (the lock is its own, so the same thread
    // may queue again) runs in this drain too: the queue is empty afterwards.
    for (std::size_t i = 0; i < queue().size(); ++i) {
      const std::uint32_t value = queue()[i];
      if (value != 0) managerSlot<ManagerSlot24>(manager, 24)(manager, value);
    }
    queue().clear();
    queuedCount.store(0);
    managerSlot<ManagerSlot68>(manager, 68)(manager);
    LeaveCriticalSection(managerLock(manager));
  }
  return hostFunction<0x4DB760, std::int32_t(QZR_THISCALL*)(void*, float)>()(manager, seconds);
}

void QZR_STDCALL soundSystemFlagHook(std::uint32_t argument) noexcept {
  if ((argument & 0xFFu) != 0) return;
  void* audio = HostAudio::instance();
  void* system = audio == nullptr ? nullptr : HostAudio::soundSystem(audio);
  if (system != nullptr) HostSoundSystem::setFlag(system, 1);
}

std::vector<std::uint32_t> queuedSoundCalls() { return queue(); }

}  // namespace kvl::host
