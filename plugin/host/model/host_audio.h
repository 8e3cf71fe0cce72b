#pragma once
// The host's audio object with its listener and sound system, and the car records the sound
// client reads for the engine sound (host layouts, 32-bit build).
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostAudio {
  static constexpr std::uint32_t kGlobal = 0x8D5338u;
  static constexpr std::uint32_t kLevelsOffset = 67336;
  static void* instance();  // null while there is none
  static void* listener(const void* audio) noexcept { return pointerAt(audio, 352); }
  static void* soundSystem(const void* audio) noexcept { return pointerAt(audio, 67012); }
  static void* stage(const void* audio) noexcept { return pointerAt(audio, 67008); }  // null while none
  static bool interiorView(const void* audio) noexcept { return fieldAt<std::uint32_t>(audio, 67308) != 0; }
  // The host's 28 sound levels.
  static float* levels(void* audio) noexcept { return &fieldAt<float>(audio, kLevelsOffset); }

  static void* pointerAt(const void* object, std::uint32_t offset) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
  }
};

struct HostAudioListener {
  static const float* frame(const void* listener) noexcept { return &fieldAt<float>(listener, 936); }
  static const float* velocity(const void* listener) noexcept { return &fieldAt<float>(listener, 992); }
};

// A host frame: rows of three floats; forward at +12, up at +24, origin at +36.
struct HostFrameRows {
  static const float* forward(const float* frame) noexcept { return frame + 3; }
  static const float* up(const float* frame) noexcept { return frame + 6; }
  static const float* origin(const float* frame) noexcept { return frame + 9; }
};

// The host's audio stage object: a word at +540 that the plugin clears whenever a track starts.
struct HostAudioStage {
  static void setWord540(void* stage, std::int32_t value) noexcept { fieldAt<std::int32_t>(stage, 540) = value; }
};

struct HostSoundSystem {
  // Stores the flag word (+4364); returns the system.
  static void* setFlag(void* system, std::int32_t flag) noexcept {
    fieldAt<std::int32_t>(system, 4364) = flag;
    return system;
  }
  static std::uint32_t engineSoundsOff(const void* system) noexcept { return fieldAt<std::uint32_t>(system, 268580); }
  static std::uint32_t valveFlag(const void* system) noexcept { return fieldAt<std::uint32_t>(system, 268388); }
  static float valve(const void* system) noexcept { return fieldAt<float>(system, 268392); }
  static float battery(const void* system) noexcept { return fieldAt<float>(system, 268528); }
  static const float* frame(const void* system) noexcept { return &fieldAt<float>(system, 268452); }
  static const float* position(const void* system, std::uint32_t offset) noexcept {
    return &fieldAt<float>(system, offset);
  }
  static constexpr std::uint32_t kInteriorEnginePosition = 268656;
  static constexpr std::uint32_t kTurboPosition = 268704;
  static constexpr std::uint32_t kExteriorEnginePosition = 268800;
  static constexpr std::uint32_t kGearboxPosition = 268896;
  // The two sound objects the client drops when it first saves the host's levels.
  static void clearSoundObjects(void* system) noexcept {
    fieldAt<HostWord>(system, 4012) = 0;
    fieldAt<HostWord>(system, 4228) = 0;
  }
};

// The current car (host global 0x8EF660) and what the engine sound reads of it.
struct HostSoundCar {
  static constexpr std::uint32_t kGlobal = 0x8EF660u;
  static void* current();  // null while no car is loaded
  static float brake(const void* car) noexcept { return fieldAt<float>(car, 2144); }
  static const float* velocity(const void* car) noexcept { return &fieldAt<float>(car, 448); }
  static void* wheel(const void* car, int i) noexcept { return HostAudio::pointerAt(car, 1136 + 4 * static_cast<std::uint32_t>(i)); }
  // The drivetrain's state (its gear at +1356, the gear shown at +1392); null without one. A
  // pointer at +1208: the drivetrain solver the car holds at +1200 keeps its state's address at +8.
  static void* drivetrain(const void* car) noexcept { return HostAudio::pointerAt(car, 1208); }
  static void* engineData(const void* car) noexcept { return HostAudio::pointerAt(car, 52); }
};

// The host's car-setup ranges object (global 0x7ECD04); its unsigned word at +5056 is the idle
// speed the sound starts with.
std::uint32_t hostSetupIdleSpeed();

}  // namespace kvl::host
