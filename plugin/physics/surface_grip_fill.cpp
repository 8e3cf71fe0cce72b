#include "plugin/physics/surface_grip_fill.h"

#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_replay.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/surface_grip_sets.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

constexpr std::size_t kFirstEntry = 36, kEntrySize = 352;
constexpr std::size_t kTimeStep = 90252, kZeroA = 90288, kZeroB = 90292, kGravity = 90296;
constexpr std::size_t kReplayTimeStep = 1620232;

void setEntry(void* table, int k, const GripValues& v) {
  auto* entry = static_cast<std::uint8_t*>(table) + kFirstEntry + kEntrySize * static_cast<std::size_t>(k);
  for (std::size_t i = 0; i < kGripFloatOffsets.size(); ++i) fieldAt<float>(entry, kGripFloatOffsets[i]) = v.f[i];
  fieldAt<std::int32_t>(entry, kGripClassOffset) = v.surfaceClass;
  fieldAt<std::int32_t>(entry, kGripKindOffset) = v.kind;
}

}  // namespace

void fillSurfaceGripTable(void* table, float savedReplayStep) {
  fieldAt<std::int32_t>(table, kZeroA) = 0;
  fieldAt<std::int32_t>(table, kZeroB) = 0;
  fieldAt<float>(table, kGravity) = -9.81f;
  void* replay = host::HostReplay::instance();
  if (replay != nullptr && host::HostReplay::mode(replay) == 1) {
    fieldAt<float>(table, kTimeStep) = savedReplayStep;
  } else {
    fieldAt<float>(table, kTimeStep) = kPhysicsTimeStep;
    if (replay != nullptr) fieldAt<float>(replay, kReplayTimeStep) = kPhysicsTimeStep;
  }
  const std::int32_t revision = SurfaceGripTable::revision(table);
  for (int k : gripEntriesWritten()) setEntry(table, k, *gripValues(revision, k));
}

}  // namespace kvl::physics
