#pragma once
// Hooks that add the plugin's entries to three host menus while the host lays them out: each
// takes the place of one host call of a menu setup entry (caller cleans: page, title record as
// three words, item count, item array, ten layout words).
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

#define QZR_MENU_SETUP_PARAMETERS                                                                          \
  void *page, HostWord title0, HostWord title1, HostWord title2, std::int32_t count, void **items, HostWord l0, \
      HostWord l1, HostWord l2, HostWord l3, HostWord l4, HostWord l5, HostWord l6, HostWord l7, HostWord l8,  \
      HostWord l9

// Controls menu: "HANDBRAKE" and "CLUTCH" become items 3 and 4.
int QZR_CDECL handbrakeMenuEntryHook(QZR_MENU_SETUP_PARAMETERS) noexcept;
// Options menu: "LANGUAGE" becomes item 3.
int QZR_CDECL languageMenuEntryHook(QZR_MENU_SETUP_PARAMETERS) noexcept;
// Car setup menu: "DampersEnhanced" and "BumpStopSettings" become items 5 and 6, and the page
// gets the page-state callback.
int QZR_CDECL damperMenuEntryHook(QZR_MENU_SETUP_PARAMETERS) noexcept;

#undef QZR_MENU_SETUP_PARAMETERS

// The car setup page's state callback (context = the page): fills the added entries' labels and
// enables them by the car's setup ranges.
void QZR_CDECL carSetupPageState(void* page) noexcept;

// What the two added car-setup entries open; the car-setup pages set them.
struct CarSetupMenuActions {
  HostWord enhancedDampers;
  HostWord bumpStops;
};
CarSetupMenuActions& carSetupMenuActions();

}  // namespace kvl::host
