#pragma once
// Where the setup pages' values and ranges lie in the host's car setup (global 0x7ECD00) and
// setup ranges (global 0x7ECD04): byte offsets of 16-byte host values, and of the first value of
// each range triple (minimum, maximum, step, 16 bytes apart). Per-wheel blocks are in the host's
// wheel order: left front, right front, left rear, right rear.
#include <cstddef>
#include <cstdint>

namespace kvl::gui::setup_fields {

// The plugin's own values of the drivetrain block (+72): key locator L at +72 + 4 L.
constexpr std::size_t drivetrainValue(std::size_t locator) { return 72 + 4 * locator; }
constexpr std::size_t kHighSpeedBreakRebound[2] = {drivetrainValue(303), drivetrainValue(311)};   // front, rear
constexpr std::size_t kHighSpeedDampingRebound[2] = {drivetrainValue(307), drivetrainValue(315)};
constexpr std::size_t kBumpStopStiffness[2] = {drivetrainValue(319), drivetrainValue(331)};
constexpr std::size_t kBumpStopDampingBump[2] = {drivetrainValue(323), drivetrainValue(335)};
constexpr std::size_t kBumpStopDampingRebound[2] = {drivetrainValue(327), drivetrainValue(339)};
constexpr std::size_t kHandbrakePercentage = drivetrainValue(347);

// The per-wheel spring and damper blocks (+5072, 156 bytes each) and their damper values.
enum WheelDamper : std::size_t { kDampingBump = 0, kDampingRebound = 1, kFastBump = 2, kFastBumpThreshold = 3 };
constexpr std::size_t wheelDamperValue(std::size_t wheel, WheelDamper v) { return 5072 + 156 * wheel + 60 + 16 * v; }

// The differentials block (+1696): centre, front and rear maximum torque, handbrake release and
// the value shown as "CS_FB_THRES".
enum DifferentialValue : std::size_t {
  kCentreTorque = 0,
  kFrontTorque = 1,
  kRearTorque = 2,
  kHandbrakeRelease = 3,
  kBrakeThreshold = 4
};
constexpr std::size_t differentialValue(DifferentialValue v) { return 1696 + 12 + 16 * v; }

// Range triples in the setup ranges.
constexpr std::size_t kBumpStopStiffnessRange = 5104;
constexpr std::size_t kBumpStopDampingRange = 5152;
constexpr std::size_t wheelDamperRange(std::size_t wheel, WheelDamper v) { return 6000 + 192 * wheel + 48 * v; }
constexpr std::size_t differentialRange(DifferentialValue v) { return 7000 + 48 * v; }

// The car setup's flag word (bit 0: progressive bump stops), an integer value.
constexpr std::size_t kSetupFlagWord = 60;
// The integer Features value of the setup ranges.
constexpr std::size_t kFeatures = 3628 + 12;

// Places the car data path reads at load that the host's key tables put where these say (each a
// value word; a key with locator L lands at 12 + 4 L of its block).
namespace chosen {
// The six differential-map lock percentages (unsigned): centre, front, rear, each minimum then
// maximum, 16 bytes apart and just before the Features value (3640).
constexpr std::size_t kDiffMapLockPct = 3544;
}  // namespace chosen

}  // namespace kvl::gui::setup_fields
