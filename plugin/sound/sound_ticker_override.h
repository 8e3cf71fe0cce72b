#pragma once
// The host's per-frame sound-update object, built as the plugin's subclass: the host constructor
// runs, then the object gets the plugin's copy of the host's table in which slot 0 releases the
// object through the host and slot 2 passes the host the elapsed time the plugin's clock measures.
#include "plugin/host/binding/abi.h"

namespace kvl {

// Replaces the host's call of the object's constructor at 0x446F04; returns the object.
void* QZR_THISCALL soundTickerConstructHook(void* object) noexcept;
// Slot 2 of the clone.
void QZR_THISCALL soundTickerUpdate(void* object) noexcept;

}  // namespace kvl
