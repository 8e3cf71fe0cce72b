#pragma once
// The host's car-setup menus as the plugin binds them while the host is in its INIT state: the
// value items of the four differential-map pages (menus 95 to 98) point into the setup value
// table, which is refilled whenever one of them is shown; the differentials page (menu 93)
// relabels its torque rows by the car's Features when shown.
#include "plugin/host/binding/abi.h"

namespace kvl::gui {

// Menus 95 to 98, then 93; menus the host does not have are left out.
void bindDiffMapMenus();
void bindDifferentialsMenu();

// Page-shown callbacks (event 2), called by the host with the page as context.
void QZR_CDECL onDiffMapPageShown(void* page) noexcept;
void QZR_CDECL onDifferentialsPageShown(void* page) noexcept;

}  // namespace kvl::gui
