#pragma once
// Accessors and call-throughs of host objects at fixed offsets, and two small hooks the main
// hook group writes into host call sites.
#include <cstdint>
#include <cstring>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// The host controls object (at host 0x16607F8 itself, not behind a pointer).
void* hostControls();

struct HostControls {
  static void* menuCursor(void* controls) noexcept { return addressAt(controls, 200); }
  static std::int32_t& settingValue(void* controls) noexcept { return fieldAt<std::int32_t>(controls, 88); }
  static void* analogInputs(void* controls) noexcept { return addressAt(controls, 1536); }
};

struct HostMenuCursor {
  static std::int32_t selection(const void* cursor) noexcept { return fieldAt<std::int32_t>(cursor, 36); }
  static void setLimit(void* cursor, std::int32_t limit) noexcept { fieldAt<std::int32_t>(cursor, 44) = limit; }
};

struct HostAnalogInputs {
  static float primaryAxis(const void* analog) noexcept { return fieldAt<float>(analog, 16); }
  static float value(const void* analog, std::size_t offset) noexcept { return fieldAt<float>(analog, offset); }
  // Stores a 32-bit value at +16, +24, +32 or +36 of the analog block.
  static void setWord(void* analog, std::size_t offset, std::uint32_t word) noexcept {
    fieldAt<std::uint32_t>(analog, offset) = word;
  }
};

inline void* asHostBase(void* object) noexcept { return object; }

struct HostSlotList {
  static std::int32_t size(const void* list) noexcept { return fieldAt<std::int32_t>(list, 16); }
};

struct HostSetupSlotList {
  static void* listWidget(void* list) noexcept { return addressAt(list, 472); }
};

struct HostListWidget {
  static std::int32_t setSelection(void* widget, std::int32_t index) noexcept {
    fieldAt<std::int32_t>(widget, 40) = index;
    return index;
  }
  static void setSelectionNoResult(void* widget, std::int32_t index) noexcept {
    fieldAt<std::int32_t>(widget, 40) = index;
  }
};

// The host record the language hooks read.
struct HostLanguageRecord {
  static std::int32_t first(const void* record) noexcept { return fieldAt<std::int32_t>(record, 12); }
  static std::int32_t selection(const void* record) noexcept { return fieldAt<std::int32_t>(record, 16); }
  static void setSelection(void* record, std::int32_t value) noexcept { fieldAt<std::int32_t>(record, 16) = value; }
};

// Host 0x55CE30, caller cleans.
void hostLanguageCall(std::uint32_t value);

struct HostCar {
  static void* drivetrainBlock(void* car) noexcept { return addressAt(car, 1200); }
};

struct HostWheel {
  // +52, where the table of the host's object accessors puts it (the physics' short list says +0):
  // +52 holds the wheel's parameter block, and the body's +864 is read as a parameter object.
  static void* body(const void* wheel) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(wheel, 52)));
  }
};

struct HostBody {
  static void* frame(void* body);                       // table entry at offset 48
  static std::int32_t setValue(void* body, float value);  // table entry at offset 32
};

struct HostTransform {
  static void* position(void* transform) noexcept { return addressAt(transform, 16); }
};

void* hostMath();  // the host maths object (global 0x7CBB00)

struct HostMath {
  static void transformPoint(void* maths, const void* input, void* frame, void* output);   // 0x51B560
  static void transformPointB(void* maths, const void* input, void* frame, void* output);  // 0x51B4C0
};

struct HostSurfaceNames {
  static void setValue(void* object, float value);  // 0x525500
};

inline void* derefPointer(const void* address) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(*static_cast<const HostWord*>(address)));
}

void* hostFindMaterial(void* table, std::int32_t id);  // 0x520940

struct MaterialEffectParams {
  std::uint8_t bytes[20];
  std::int32_t kind() const noexcept {
    std::int32_t k;
    std::memcpy(&k, bytes + 12, 4);
    return k;
  }
};

struct MaterialColour {
  float rgba[4];
};

struct HostMaterial {
  static MaterialEffectParams effectParams(const void* material) noexcept {
    MaterialEffectParams p;
    std::memcpy(p.bytes, static_cast<const unsigned char*>(material) + 332, sizeof p.bytes);
    return p;
  }
  static MaterialColour colour(const void* material) noexcept {
    MaterialColour c;
    std::memcpy(c.rgba, static_cast<const unsigned char*>(material) + 316, sizeof c.rgba);
    return c;
  }
};

// Host 0x601A60: (object, three 32-bit values), member call.
void hostTickCall(void* object, std::uint32_t a, std::uint32_t b, std::uint32_t c);

struct CarModel {
  static void resetWheelStub(void* entry, std::int32_t index) noexcept {}
};

// The bump-stop page's progressive-bump-stops choice.
struct BumpStopMenuState {
  std::int32_t progressive = 0;
};
BumpStopMenuState& bumpStopMenuState();

// The ambient pressure the pressure hook passes on: 101300 until the main hook group points it
// at the plugin's air pressure, the variable that patched host instructions read too.
extern const float* ambientPressure;

// Replaces the call at host 0x520265: the byte of the object's 16 x 16 table picked by a and b;
// 0 when the object has no table.
std::uint32_t QZR_THISCALL materialTableHook(void* object, float a, float b) noexcept;

// Replaces the call at host 0x50E2F9: calls host 0x52E760 with the plugin's pressure in place of
// the third argument.
std::uint32_t QZR_CDECL pressureArgumentHook(std::uint32_t p, std::uint32_t b, std::uint32_t ignored,
                                             std::uint32_t d) noexcept;

}  // namespace kvl::host
