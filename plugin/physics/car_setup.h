#pragma once
// The host's car-setup values (5888 bytes, global 0x7ECD00) and setup ranges (22096 bytes, global
// 0x7ECD04), and the plugin's replacements of their blocks' virtual read slot: each clears the
// values the plugin owns, so that a key missing from a car file reads 0, then runs the host's own
// routine (0x52F0C0) and returns its result.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

struct CarSetup {
  static constexpr std::size_t kSize = 5888;
  static constexpr std::size_t kChassis = 12, kDrivetrain = 72, kEngine = 1668, kDifferential = 1696;
  static constexpr std::size_t kGeometry = 4624, kGeometrySize = 112;
  static constexpr std::size_t kSpring = 5072, kSpringSize = 156;
  static constexpr std::size_t kTyre = 5696, kTyreSize = 48;
  static std::uint32_t QZR_THISCALL reset(void* setup, std::uint32_t source) noexcept;
};

struct CarSetupRanges {
  static constexpr std::size_t kSize = 22096;
  static constexpr std::size_t kChassis = 16;
  // The value words of the steering-lock and roll-bar range holders.
  static constexpr std::size_t kSteeringLockMin = 40, kSteeringLockMax = 56;
  static constexpr std::size_t kFrontRollBarMin = 88, kFrontRollBarMax = 104;
  static constexpr std::size_t kRearRollBarMin = 136, kRearRollBarMax = 152;
};

// The host's routine of the slot, on the same object with the same argument.
std::uint32_t hostBaseReset(void* object, std::uint32_t source);

struct ChassisRanges {
  static std::uint32_t QZR_THISCALL readOverride(void* block, std::uint32_t source) noexcept;
};
struct DrivetrainRanges {
  static constexpr std::size_t kOffset = 544;  // within the setup ranges
  static std::uint32_t QZR_THISCALL readOverride(void* block, std::uint32_t source) noexcept;
  // Rewrites the setup pages' differential-map ranges (the setup value table) for the car whose
  // setup ranges hold this block; nothing without a table.
  static void buildMenuValues(const void* block) noexcept;
};
struct DifferentialRanges {
  static std::uint32_t QZR_THISCALL readOverride(void* block, std::uint32_t source) noexcept;
};
struct EngineRanges {
  static std::uint32_t QZR_THISCALL readOverride(void* block, std::uint32_t source) noexcept;
};
struct SpringRanges {
  static std::uint32_t QZR_THISCALL readOverride(void* block, std::uint32_t source) noexcept;
};
struct TyreRanges {
  static std::uint32_t QZR_THISCALL readOverride(void* block, std::uint32_t source) noexcept;
};
struct GeometryRanges {
  static std::uint32_t QZR_THISCALL readOverride(void* block, std::uint32_t source) noexcept;
};

}  // namespace kvl::physics
