#include "plugin/physics/car_setup.h"

#include <initializer_list>

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/car_file_reads.h"

namespace kvl::physics {
namespace {

// Every parameter object keeps its value in its fourth word; a vector parameter keeps x, y and
// z from its fifth word on.
void clearWord(void* object, std::size_t offset) noexcept { host::fieldAt<std::uint32_t>(object, offset) = 0; }
void clearParams(void* object, std::size_t first, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) clearWord(object, first + 16 * i + 12);
}
void clearParamsAt(void* object, std::initializer_list<std::size_t> params) noexcept {
  for (std::size_t p : params) clearWord(object, p + 12);
}
void clearVectors(void* object, std::size_t first, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t c = 0; c < 3; ++c) clearWord(object, first + 32 * i + 16 + 4 * c);
  }
}

template <typename Clear>
std::uint32_t clearThenBase(void* block, std::uint32_t source, Clear clear) noexcept {
  try {
    clear(static_cast<std::uint8_t*>(block));
    return hostBaseReset(block, source);
  } catch (...) {
    return 0;
  }
}

}  // namespace

std::uint32_t hostBaseReset(void* object, std::uint32_t source) {
  return host::hostFunction<0x52F0C0, std::uint32_t(QZR_THISCALL*)(void*, std::uint32_t)>()(object, source);
}

std::uint32_t CarSetup::reset(void* setup, std::uint32_t source) noexcept {
  return clearThenBase(setup, source, [](std::uint8_t* s) {
    clearParams(s, kChassis + 12, 3);
    std::uint8_t* d = s + kDrivetrain;
    clearParams(d, 12, 3);
    for (std::size_t e = 0; e < 12; ++e) clearParams(d, 60 + 80 * e, 5);
    clearParams(d, 1020, 12);
    clearParams(d, 1212, 24);
    clearParams(s + kEngine, 12, 1);
    clearParamsAt(s + kDifferential, {76, 92});
    clearParams(s + kDifferential, 108, 16 * 11);
    for (std::size_t w = 0; w < 4; ++w) {
      std::uint8_t* g = s + kGeometry + kGeometrySize * w;
      clearParamsAt(g, {12, 64, 80, 96});
      clearVectors(g, 32, 1);
      clearParams(s + kSpring + kSpringSize * w, 12, 9);
      clearParamsAt(s + kTyre + kTyreSize * w, {12, 28});
    }
  });
}

std::uint32_t ChassisRanges::readOverride(void* block, std::uint32_t source) noexcept {
  noteCarFileRead();  // our mark of one car-file read (car_file_reads.h)
  return clearThenBase(block, source, [](std::uint8_t* b) {
    clearParams(b, 12, 9);
    clearVectors(b, 160, 1);
    clearParams(b, 192, 21);
  });
}

// Every parameter object of the block, from the entries at +12 to the last at +4268.
std::uint32_t DrivetrainRanges::readOverride(void* block, std::uint32_t source) noexcept {
  return clearThenBase(block, source, [](std::uint8_t* b) { clearParams(b, 12, (4284 - 12) / 16); });
}

std::uint32_t DifferentialRanges::readOverride(void* block, std::uint32_t source) noexcept {
  return clearThenBase(block, source, [](std::uint8_t* b) { clearParams(b, 12, 12); });
}

std::uint32_t EngineRanges::readOverride(void* block, std::uint32_t source) noexcept {
  return clearThenBase(block, source, [](std::uint8_t* b) { clearParams(b, 12, 3); });
}

std::uint32_t SpringRanges::readOverride(void* block, std::uint32_t source) noexcept {
  return clearThenBase(block, source, [](std::uint8_t* b) { clearParams(b, 12, 24); });
}

std::uint32_t TyreRanges::readOverride(void* block, std::uint32_t source) noexcept {
  return clearThenBase(block, source, [](std::uint8_t* b) { clearParams(b, 12, 3); });
}

// The float at +12, eight vector parameters from +32 (the word at +28 pads them to 16 bytes, as
// in the setup's geometry part), nine floats from +288, seven vector parameters from +432 (their
// values from +448), five floats from +656, two integers and two floats: 800 bytes.
std::uint32_t GeometryRanges::readOverride(void* block, std::uint32_t source) noexcept {
  return clearThenBase(block, source, [](std::uint8_t* b) {
    clearParams(b, 12, 1);
    clearVectors(b, 32, 8);
    clearParams(b, 288, 9);
    clearVectors(b, 432, 7);
    clearParams(b, 656, 5);
    clearParamsAt(b, {736, 752, 768, 784});
  });
}

}  // namespace kvl::physics
