#pragma once
// 32-bit words as the host's code and tables hold them: addresses of functions and objects, and
// the bit pattern of a float argument.
#include <cstdint>
#include <cstring>

namespace hostsim {

template <typename F>
std::uint32_t addressOf(F f) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(reinterpret_cast<void*>(f)));
}

inline std::uint32_t wordOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

inline std::uint32_t floatWord(float f) {
  std::uint32_t w;
  std::memcpy(&w, &f, 4);
  return w;
}

}  // namespace hostsim
