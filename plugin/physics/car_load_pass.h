#pragma once
// The car-parameter load pass, run on every change to state 13 for the current car: tyre
// compounds into the wheels, range checks, the parts' set-ups, the values host code reads
// through redirected operands, the time-factor rescale and the force-feedback sensitivity.
#include <cstddef>
#include <cstdint>

namespace kvl::physics {

// Plugin floats that host instructions read (their addresses are written into host code).
extern float tyreDerivedA;    // 0x53D5DA
extern float tyreDerivedB;    // 0x53974B
extern float tyreDerivedC;    // 0x53973F
extern float timeScaled500;   // 0x4F13D3
extern float timeScaled800;   // 0x49148C
extern float timeScaled4000;  // 0x4914C9

// False after a pass in which a part's set-up threw for the car loaded last.
extern bool carParametersLoaded;

// The parameter block's words this pass uses.
struct CarParameterBlock {
  static constexpr std::size_t kTimeDivisor = 364, kSteeringLock = 556, kTyreSum = 588;
  static constexpr std::size_t kFrontRollBar = 17504, kRearRollBar = 17520, kFfbSensitivity = 17568;
  static constexpr std::size_t kSurface = 17600;
};

// The pass on a non-null car, with the four wheels' snapshot records (788 bytes each). A part's
// set-up that throws is logged to "QZR_SetupErrors.log" (an engine set-up that throws leaves the
// car with the host's own engine) and the pass runs its remaining steps. True when every set-up
// ran without an exception.
bool loadCarParameters(void* car, const std::uint8_t (*wheelSnapshot)[788]);

// The pass with any other failure caught and logged. True when every set-up ran without an
// exception.
bool loadCarParametersLogged(void* car, const std::uint8_t (*wheelSnapshot)[788]) noexcept;

// The time factor of the car: 0.000714 / the block's +364 when above 0, else 1.
float carTimeScale(const void* car) noexcept;

}  // namespace kvl::physics
