#pragma once
// The plugin's car-setup pages: the page kinds and the host menus that hold them, the menu-item
// callbacks that show them and the hook that hands the host the differentials page.
#include <cstddef>
#include <cstdint>

#include "plugin/gui/setup_grid_page.h"
#include "plugin/host/binding/abi.h"

namespace kvl::gui {

const GridPageKind& bumpStopPageKind();
const GridPageKind& enhancedDampersPageKind();
const GridPageKind& dampersReboundPageKind();
const GridPageKind& differentialsPageKind();
// The bump-stop page's table copy, which the dampers rebound page shares.
void** bumpStopPageTable();
// Its positions, headers and title bar, which the dampers rebound page writes into that copy.
const GridSlotEntry* bumpStopLayoutEntries(std::size_t& count);

// Menus built once and kept (the same menu on every call), except the differentials menu, which
// is new on every call and not kept. Null, or a menu without its page, when the host had no
// memory for a part of it.
void* createBumpStopPage();  // the bump-stop settings menu
void* createBumpStopGridMenu();
void* createEnhancedDampersPage();
void* createDampersReboundPage();
void* createDifferentialsPage();

// Host menu-item callbacks: show the matching menu.
std::int32_t QZR_CDECL showBumpStopSettings() noexcept;
std::int32_t QZR_CDECL showBumpStopGrid() noexcept;
std::int32_t QZR_CDECL showEnhancedDampers() noexcept;
std::int32_t QZR_CDECL showDampersRebound() noexcept;
std::int32_t QZR_CDECL showDifferentials() noexcept;

// Replaces the host's call that creates its differentials page (0x560F79).
void* QZR_CDECL differentialsPageHook() noexcept;

}  // namespace kvl::gui
