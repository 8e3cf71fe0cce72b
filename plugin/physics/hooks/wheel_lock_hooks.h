#pragma once
// The wheel-lock steps of the host's drivetrain solver, taken over at their call sites: member
// calls on the solver; the two per-wheel steps take the wheel index as their one stack argument,
// which they remove; the pass loop takes none.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Sites 0x509C86 and 0x509D74: the axle output of a locked wheel (0 for a free one).
void QZR_THISCALL axleTorqueHook(void* solver, std::int32_t wheel) noexcept;
// Sites 0x509C34 and 0x509E94: whether a free wheel locks against its brake and handbrake.
void QZR_THISCALL axleLockTestHook(void* solver, std::int32_t wheel) noexcept;
// Site 0x50A10C: releases wheels and balances the axles; asks the host's axle test (0x506B20).
void QZR_THISCALL solveWheelLocksHook(void* solver) noexcept;

}  // namespace kvl::physics
