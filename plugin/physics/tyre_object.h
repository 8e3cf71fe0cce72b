#pragma once
// The host's tyre object as the tyre hooks read it: its parameter record (pointer at +16, words
// at 12 + 4 x the key's field locator) and the words of its own the hooks use.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

struct TyreObject {
  static constexpr std::size_t kParameters = 16, kOwner = 1040, kFlexHeatFlag = 1152;
  // The four grip tables of the parameter record (+516, +548, +580, +612, 32 bytes each).
  static constexpr std::size_t kGripTables = 516, kGripTablesSize = 128;

  static void* parameters(const void* tyre) noexcept { return pointerAt(tyre, kParameters); }
  static void* owner(const void* tyre) noexcept { return pointerAt(tyre, kOwner); }
  static std::int32_t type(const void* p) noexcept { return host::fieldAt<std::int32_t>(p, 12); }
  static std::int32_t position(const void* p) noexcept { return host::fieldAt<std::int32_t>(p, 28); }
  static float carcassRadius(const void* p) noexcept { return host::fieldAt<float>(p, 124); }
  static float treadDepth(const void* p) noexcept { return host::fieldAt<float>(p, 140); }
  static float thickness(const void* p) noexcept { return host::fieldAt<float>(p, 156); }
  static float treadWidth(const void* p) noexcept { return host::fieldAt<float>(p, 172); }
  static float sidewallHeight(const void* p) noexcept { return host::fieldAt<float>(p, 236); }
  static float flexHeatFactor(const void* p) noexcept { return host::fieldAt<float>(p, 268); }

  static void* pointerAt(const void* object, std::size_t offset) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(host::fieldAt<host::HostWord>(object, offset)));
  }
};

}  // namespace kvl::physics
