#include "plugin/host/model/host_sounds.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/vtable_clone.h"

namespace kvl::host {
namespace {

using SoundCall = void(QZR_THISCALL*)(void*);
using SoundCallWith = void(QZR_THISCALL*)(void*, std::int32_t);

void QZR_THISCALL releasedDestructor(void*, std::int32_t) noexcept {}

}  // namespace

// Both answer with a whole nonzero word, not a bool: EAX is read whole.
bool HostSoundManager::contains(void* manager, void* sound) {
  using Fn = HostWord(QZR_THISCALL*)(void*, void*);
  return tableEntry<Fn>(manager, 32)(manager, sound) != 0;
}

bool HostSound::hasFlag(void* sound, std::uint32_t mask) {
  using Fn = HostWord(QZR_THISCALL*)(void*, std::uint32_t);
  return tableEntry<Fn>(sound, 52)(sound, mask) != 0;
}

void HostSound::setLevel(void* sound, std::int32_t level) { tableEntry<SoundCallWith>(sound, 96)(sound, level); }
void HostSound::setMode(void* sound, std::int32_t mode) { tableEntry<SoundCallWith>(sound, 88)(sound, mode); }
void HostSound::update(void* sound) { tableEntry<SoundCall>(sound, 84)(sound); }
void HostSound::stop(void* sound) { tableEntry<SoundCall>(sound, 92)(sound); }

void muteHostSound(void* manager, void* sound) {
  if (manager == nullptr || sound == nullptr) return;
  if (!HostSoundManager::contains(manager, sound) || !HostSound::hasFlag(sound, 2)) return;
  HostSound::setLevel(sound, 0);
  HostSound::setMode(sound, 1);
  HostSound::update(sound);
  if (HostSound::hasFlag(sound, 128)) HostSound::stop(sound);
}

void hostAfterSeek(std::uint32_t value) {
  hostFunction<0x4DD600, void(QZR_THISCALL*)(std::uint32_t)>()(value);
}

void HostSoundMirror::destroy(void* object) {
  static void* table[16] = {};
  static const bool copied = [] {
    VtableClone clone;
    clone.setTarget(table);
    clone.copyFrom(HostAddress(0x737784).resolve(), sizeof table);
    clone.exchangeSlot(0, reinterpret_cast<void*>(&releasedDestructor));
    return true;
  }();
  (void)copied;
  tableEntry<SoundCallWith>(object, 0)(object, 0);
  fieldAt<HostWord>(object, 0) = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(table));
}

}  // namespace kvl::host
