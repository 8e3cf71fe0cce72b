#pragma once
// The host's car objects and their neighbours, reached through the host's globals (bound once,
// read on every call), and the few host words the vehicle physics writes.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/physics/models/float_octet.h"

namespace kvl::physics {

// The host's current car (7520 bytes; global 0x8EF660); its wheels are 5152 bytes each.
struct HostCar {
  static constexpr std::size_t kSize = 7520;
  static constexpr std::size_t kParameterBlock = 52;
  static constexpr std::size_t kListNodes[3] = {980, 1012, 1044};
  static constexpr std::size_t kWheels = 1136;
  static constexpr std::size_t kDrivetrain = 1200;
  static constexpr std::size_t kEngineModel = 1680;
  static constexpr std::size_t kEngine = 2128;
  static constexpr std::size_t kTable = 2548;

  static void* current();
  static void* parameterBlock(const void* car) noexcept { return wordPointer(car, kParameterBlock); }
  static void* wheel(const void* car, int i) noexcept { return wordPointer(car, kWheels + 4 * i); }
  static void* table(const void* car) noexcept { return wordPointer(car, kTable); }
  // The address of the car's member at +2128.
  static void* engine(void* car) noexcept { return static_cast<std::uint8_t*>(car) + kEngine; }
  // The word at +80 of the engine holder (+2128): non-zero while the host keeps the H-pattern
  // shifter's records from the car.
  static bool shifterBlocked(const void* car) noexcept { return host::fieldAt<std::int32_t>(car, kEngine + 80) != 0; }
  // The car's drivetrain solver: the member at +1200 itself, not a pointer held there (the car's
  // +1204 is the solver's pointer to the drivetrain parameter block, +1680 the next member).
  static void* drivetrain(const void* car) noexcept {
    return const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(car)) + kDrivetrain;
  }
  // Host 0x4E91F0 as a member of the car, with a 32-byte controls record.
  static void applyControls(void* car, void* controls);

  static void* wordPointer(const void* object, std::size_t offset) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(host::fieldAt<host::HostWord>(object, offset)));
  }
};

// A wheel: +52 the object whose 788-byte tyre record starts at +1388; +1712 a second part.
struct HostWheel {
  static constexpr std::size_t kSize = 5152;
  static constexpr std::size_t kTyreOwner = 52;
  static constexpr std::size_t kTyreRecord = 1388;
  static constexpr std::size_t kSecondPart = 1712;
  static std::uint8_t* tyreRecord(const void* wheel) noexcept {
    auto* owner = static_cast<std::uint8_t*>(HostCar::wordPointer(wheel, kTyreOwner));
    return owner == nullptr ? nullptr : owner + kTyreRecord;
  }
  static std::uint8_t* secondPart(void* wheel) noexcept { return static_cast<std::uint8_t*>(wheel) + kSecondPart; }
};

void* hostCarSetup();          // global 0x7ECD00
void* hostCarSetupRanges();    // global 0x7ECD04
void* hostSurfaceGripTable();  // global 0x1659B6C
void* hostSurfaceNames();      // global 0x1659B70
void* hostEffectsState();      // global 0x166E378
void* forceFeedbackKeyTable();       // 0x7C6578 itself
void* forceFeedbackKeyDescriptor();  // 0x8EF73C itself
void* physicsRevisionKeyTable();     // 0x7CBB10 itself

struct SurfaceGripTable {
  static void* entries(void* table) noexcept { return static_cast<std::uint8_t*>(table) + 24; }
  static std::int32_t revision(const void* table) noexcept { return host::fieldAt<std::int32_t>(table, 90236); }
};

// A host list node of three words: two links, then the owning list (first, last, count at +8).
struct HostListNode {
  static void detach(void* node) noexcept;
};

// A callback holder keeps its host listener node as its first three words; reset detaches it.
struct CallbackHolder {
  static void reset(void* holder) noexcept { HostListNode::detach(holder); }
};

// The drivetrain object's gearbox owner (the object at +8), and an object's gearbox record (at
// +1380; its int32 at +12 is the current gear).
struct HostDrivetrain {
  static void* gearboxOwner(const void* drivetrain) noexcept { return HostCar::wordPointer(drivetrain, 8); }
};
inline void* gearboxOf(void* owner) noexcept { return static_cast<std::uint8_t*>(owner) + 1380; }
inline std::int32_t currentGearOf(void* gearbox) noexcept { return host::fieldAt<std::int32_t>(gearbox, 12); }

// The mean of the eight floats from +20 of a record (a wheel part's wear values).
inline float averageOfEightAt20(const void* record) noexcept {
  return averageOfEight(&host::fieldAt<float>(record, 20));
}

struct HostEngineRef {
  static host::HostWord get(const void* ref) noexcept { return host::fieldAt<host::HostWord>(ref, 0); }
};

// The host's current car number: host 0x566080 on the game-mode controller; 0 without one.
// The binding's table calls its result the car-parameter object, but the routine's one use, the
// load pass, writes it in decimal into the per-car keys ("_Car0" to "_Car7"): a car number.
std::int32_t hostCurrentCarNumber();

}  // namespace kvl::physics
