#pragma once
// Hooks of Spindle3D.DLL's track loading and drawing besides the LBS/LB2 loader: cached
// geometry references reset before a geometry reload, object ids of LB2 objects, and two
// renderer device values kept across a drawing routine.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::tracks {

// Resets every cached geometry index that a table of n entries no longer covers, in the host's
// render lists and the module's two object lists. Nothing while the module has no geometry table.
void resetStaleGeometryRefs() noexcept;
// One reference kind's rule; a null object is ignored.
void resetStaleRefA(void* object, std::uint32_t n) noexcept;
void resetStaleRefB(void* object, std::uint32_t n) noexcept;
void resetStaleRefC(void* object, std::uint32_t n) noexcept;
void resetStaleRefD(void* object, std::uint32_t n) noexcept;

// Entered through the group's adapter with the module's object (ESI) as this.
std::int32_t QZR_THISCALL geometryReloadHook(void* object) noexcept;
// Ids below 40000 as they are; from 40000 the index into the looking-up object's table.
std::uint32_t QZR_THISCALL lb2ObjectIndexHook(void* object, const void* record) noexcept;
// Device values 40 and 41 kept across the module's drawing routine; without a device the
// routine does not run.
void QZR_THISCALL renderStateGuardHook(void* object, std::uint32_t argument) noexcept;

}  // namespace kvl::tracks
