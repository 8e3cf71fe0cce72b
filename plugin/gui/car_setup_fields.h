#pragma once
// Where the setup pages' values and ranges lie in the host's car setup (global 0x7ECD00) and
// setup ranges (global 0x7ECD04): byte offsets of 16-byte host values, and of the first value of
// each range triple (minimum, maximum, step, 16 bytes apart). Per-wheel blocks are in the host's
// wheel order: left front, right front, left rear, right rear.
//
// Only values whose place in the host's objects is known are here. Not here, because where the
// host keeps them is not known: each wheel's damper values in its spring and damper block (the
// block holds nine float values, but which key each carries is the host's), the differentials
// block's maximum torques, handbrake release and the value shown as "CS_FB_THRES" with their
// ranges. The pages offer no row for them.
#include <cstddef>
#include <cstdint>

namespace kvl::gui::setup_fields {

// The plugin's own values of the drivetrain block (+72). The host's parser stores a key with
// locator L at the value word 12 + 4 L of the block, so the 16-byte value starts at +72 + 4 L:
// the front high-speed rebound break (303) has its value word at +1296, the rear bump-stop
// rebound damping (339) at +1440, the handbrake percentage (347) at +1472.
constexpr std::size_t drivetrainValue(std::size_t locator) { return 72 + 4 * locator; }
constexpr std::size_t kHighSpeedBreakRebound[2] = {drivetrainValue(303), drivetrainValue(311)};   // front, rear
constexpr std::size_t kHighSpeedDampingRebound[2] = {drivetrainValue(307), drivetrainValue(315)};
constexpr std::size_t kBumpStopStiffness[2] = {drivetrainValue(319), drivetrainValue(331)};
constexpr std::size_t kBumpStopDampingBump[2] = {drivetrainValue(323), drivetrainValue(335)};
constexpr std::size_t kBumpStopDampingRebound[2] = {drivetrainValue(327), drivetrainValue(339)};
constexpr std::size_t kHandbrakePercentage = drivetrainValue(347);

// The bump-stop range triples of the drivetrain ranges: stiffness minimum, maximum and step with
// their value words at +4264, +4280, +4296, damping at +4312, +4328, +4344.
constexpr std::size_t kBumpStopStiffnessRange = 4264 - 12;
constexpr std::size_t kBumpStopDampingRange = 4312 - 12;

// Per wheel a 396-byte spring range block from +5092: after its 12-byte header a triple of float
// parameters for each key, in the order SpringLength, SpringStiffness, HelperSpringLength,
// HelperSpringStiffness, DampingBump, DampingRebound, DampingBumpHighSpeed, BumpHighSpeedBreak
// (the minimum of DampingBumpHighSpeed has its value word at +312 of the block).
enum WheelDamperRange : std::size_t { kDampingBumpHighSpeed = 6, kBumpHighSpeedBreak = 7 };
constexpr std::size_t wheelDamperRange(std::size_t wheel, WheelDamperRange key) {
  return 5092 + 396 * wheel + 12 + 48 * key;
}

// The car setup's flag word (bit 0: progressive bump stops): the value word of the engine part's
// one integer parameter (part at +1668, parameter at +1680).
constexpr std::size_t kSetupFlagWord = 1692;
// The integer Features value of the setup ranges (parameter at +3628).
constexpr std::size_t kFeatures = 3628 + 12;

}  // namespace kvl::gui::setup_fields
