#pragma once
// The four hooks that replace the host's driving-path routines; `this` is the path object and
// the host's vectors are three floats. Member calls: the callee removes the stack arguments.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

float QZR_THISCALL nearestIndexHook(const void* path, const float* position, float hint) noexcept;
float* QZR_THISCALL positionAtIndexHook(const void* path, float f, float* out) noexcept;
float* QZR_THISCALL directionAtHook(const void* path, std::int32_t k, float t, float* out) noexcept;
float* QZR_THISCALL positionAtHook(const void* path, std::int32_t k, float t, float* out) noexcept;

}  // namespace kvl::host
