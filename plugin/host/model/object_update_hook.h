#pragma once
// The per-object updates at the 18 host call sites the main hook group redirects (0x47FA5E to
// 0x5A4F5F): each site's CALL is a member call with the object in ECX and no stack argument, and
// nothing comes back. The host's own update there no longer runs; the object goes to the plugin's
// per-object update instead.
#include "plugin/host/binding/abi.h"

namespace kvl::host {

// The plugin's per-object update. The plugin keeps no state per object, so the update leaves the
// object (null or not) as it is.
void updateObject(void* object) noexcept;

void QZR_THISCALL objectUpdateHook(void* object) noexcept;

}  // namespace kvl::host
