#pragma once
// The callbacks the plugin gives the host's language menus: Preselect and Follow on menu 1 (in
// callback pairs whose context is the menu), Apply on menu 0 (a bare function).
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// Selects the entry of the language the game uses (nothing for a null menu).
void QZR_CDECL languagePreselect(void* menu) noexcept;
// Follows the cursor: a different entry marks the cursor, tells the host and stores the language.
void QZR_CDECL languageFollow(void* menu) noexcept;
// Applies the cursor's language: 0 while the cursor is not marked; the index when it is already
// in use; else the host localisation's result (0 for an entry above 6).
std::int32_t QZR_CDECL languageApply() noexcept;

// Registers the three callbacks on the host's language menus; null menus are skipped.
void registerLanguageCallbacks(void* menu0, void* menu1);

}  // namespace kvl::host
