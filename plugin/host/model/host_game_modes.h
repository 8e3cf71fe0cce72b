#pragma once
// The host's game-mode controller (pointer in host global 0x165FA90) and menu manager (pointer
// in host global 0x165FA48), read afresh on every access.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

class HostGameModes {
 public:
  static constexpr std::uint32_t kGlobal = 0x165FA90u;
  static constexpr std::int32_t kRallySchool = 7;

  // Null while the host has none.
  static void* instance();
  // The current game mode; 0 while there is no controller.
  static std::int32_t mode();
  static std::int32_t mode(const void* modes) noexcept { return fieldAt<std::int32_t>(modes, 0); }
  static std::int32_t pendingFlag(const void* modes) noexcept { return fieldAt<std::int32_t>(modes, 1940); }
  static void setPendingFlag(void* modes, std::int32_t value) noexcept { fieldAt<std::int32_t>(modes, 1940) = value; }
  static void* playerRecords(const void* modes) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(modes, 3224)));
  }

  // Member calls on the controller.
  static void setMode(void* modes, std::int32_t mode);      // 0x5666E0
  static void prepareMode(void* modes, std::int32_t mode);  // 0x565430
  static std::int32_t query(void* modes);                   // 0x5666D0
  static std::int32_t eventFlag(void* modes);               // 0x565E80
  static void* carParameters(void* modes);                  // 0x566080
};

class HostMenuManager {
 public:
  static constexpr std::uint32_t kGlobal = 0x165FA48u;
  static constexpr std::uint32_t kMenuArrayOffset = 120;

  // Null while the host has none.
  static void* instance();
  // The host menu with that id; null when the manager or the menu does not exist.
  static void* menu(std::int32_t id);
  // Member call 0x560290 with 0: leaves the current page.
  static std::int32_t back(void* manager);
  // Slot 4: shows a page the plugin built; the host's result.
  static std::int32_t enterPage(void* manager, void* page);
  // Host 0x559190, caller cleans: opens the menu with that id.
  static void* openMenu(std::int32_t id);
  // Slot 2: shows a menu page.
  static std::int32_t showPage(void* manager, void* page, std::int32_t flag);
};

// Host 0x5693F0, member call: the call that forwardingHook passes on.
std::int32_t hostForwardedCall(void* object);

// Replaces host calls of 0x5693F0 (the first at 0x47FA5E): calls it with the same object and
// returns its result.
std::int32_t QZR_THISCALL forwardingHook(void* object) noexcept;

// Front-end hooks at host calls 0x5AD035 and 0x5ACFDE: prepare game mode 9, call host 0x582650,
// then the host function the replaced call targeted (0x5ABD30, 0x5ABC60); its result is returned.
std::int32_t QZR_CDECL frontEndHookA() noexcept;
std::int32_t QZR_CDECL frontEndHookB() noexcept;

}  // namespace kvl::host
