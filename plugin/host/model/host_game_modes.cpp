#include "plugin/host/model/host_game_modes.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostGameModes::instance() {
  return hostObject<kGlobal>();
}

std::int32_t HostGameModes::mode() {
  const void* modes = instance();
  return modes == nullptr ? 0 : mode(modes);
}

void HostGameModes::setMode(void* modes, std::int32_t mode) {
  hostFunction<0x5666E0, void(QZR_THISCALL*)(void*, std::int32_t)>()(modes, mode);
}

void HostGameModes::prepareMode(void* modes, std::int32_t mode) {
  hostFunction<0x565430, void(QZR_THISCALL*)(void*, std::int32_t)>()(modes, mode);
}

std::int32_t HostGameModes::query(void* modes) {
  return hostFunction<0x5666D0, std::int32_t(QZR_THISCALL*)(void*)>()(modes);
}

std::int32_t HostGameModes::eventFlag(void* modes) {
  return hostFunction<0x565E80, std::int32_t(QZR_THISCALL*)(void*)>()(modes);
}

void* HostGameModes::carParameters(void* modes) {
  return hostFunction<0x566080, void*(QZR_THISCALL*)(void*)>()(modes);
}

void* HostMenuManager::instance() {
  return hostObject<kGlobal>();
}

void* HostMenuManager::menu(std::int32_t id) {
  void* manager = instance();
  if (manager == nullptr || id < 0) return nullptr;
  const HostWord word = fieldAt<HostWord>(manager, kMenuArrayOffset + static_cast<std::uint32_t>(id) * 4u);
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(word));
}

std::int32_t HostMenuManager::back(void* manager) {
  return hostFunction<0x560290, std::int32_t(QZR_THISCALL*)(void*, std::int32_t)>()(manager, 0);
}

void* HostMenuManager::openMenu(std::int32_t id) {
  return hostFunction<0x559190, void*(QZR_CDECL*)(std::int32_t)>()(id);
}

std::int32_t HostMenuManager::showPage(void* manager, void* page, std::int32_t flag) {
  using Fn = std::int32_t(QZR_THISCALL*)(void*, void*, std::int32_t);
  return tableEntry<Fn>(manager, 2 * kTableEntrySize)(manager, page, flag);
}

std::int32_t hostForwardedCall(void* object) {
  return hostFunction<0x5693F0, std::int32_t(QZR_THISCALL*)(void*)>()(object);
}

std::int32_t QZR_THISCALL forwardingHook(void* object) noexcept {
  try {
    return hostForwardedCall(object);
  } catch (...) {
    return 0;
  }
}

namespace {

template <std::uint32_t Target>
std::int32_t frontEndCall() noexcept {
  try {
    if (void* modes = HostGameModes::instance()) HostGameModes::prepareMode(modes, 9);
    hostFunction<0x582650, void(QZR_CDECL*)()>()();
    return hostFunction<Target, std::int32_t(QZR_CDECL*)()>()();
  } catch (...) {
    return 0;
  }
}

}  // namespace

std::int32_t QZR_CDECL frontEndHookA() noexcept { return frontEndCall<0x5ABD30>(); }
std::int32_t QZR_CDECL frontEndHookB() noexcept { return frontEndCall<0x5ABC60>(); }

}  // namespace kvl::host
