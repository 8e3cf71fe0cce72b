#pragma once
// The 32-bit words the simulated host paints and passes: addresses of its objects and handlers,
// and floats as they travel in integer registers and stack slots.
#include <cstdint>
#include <cstring>

namespace hostsim {

inline std::uint32_t wordOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

template <typename F>
std::uint32_t addressOf(F f) {
  return wordOf(reinterpret_cast<void*>(f));
}

inline std::uint32_t floatWord(float f) {
  std::uint32_t w;
  std::memcpy(&w, &f, 4);
  return w;
}

}  // namespace hostsim
