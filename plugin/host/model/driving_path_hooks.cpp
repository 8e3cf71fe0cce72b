#include "plugin/host/model/driving_path_hooks.h"

#include "plugin/host/model/driving_path.h"

namespace kvl::host {

float QZR_THISCALL nearestIndexHook(const void* path, const float* position, float hint) noexcept {
  return static_cast<float>(HostDrivingPath(path).nearestIndex(fromHostVector(position), hint));
}

float* QZR_THISCALL positionAtIndexHook(const void* path, float f, float* out) noexcept {
  toHostVector(HostDrivingPath(path).positionAtIndex(f), out);
  return out;
}

float* QZR_THISCALL directionAtHook(const void* path, std::int32_t k, float t, float* out) noexcept {
  toHostVector(HostDrivingPath(path).directionAt(k, t), out);
  return out;
}

float* QZR_THISCALL positionAtHook(const void* path, std::int32_t k, float t, float* out) noexcept {
  toHostVector(HostDrivingPath(path).positionAt(k, t), out);
  return out;
}

}  // namespace kvl::host
