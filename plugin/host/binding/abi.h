#pragma once
// Rules for everything that crosses into code built by the host's compiler.
//
// - Objects the host calls, walks or destroys are standard-layout structs whose first member is
//   a table pointer; tables are static arrays of function pointers with explicit conventions.
//   Never C++ `virtual` for such objects.
// - Host layouts hold in the 32-bit build only: their static_asserts use QZR_HOST_LAYOUT_ASSERT,
//   which is checked where pointers are 4 bytes. Code that is also built for 64-bit tests works
//   on plain values or keeps pointer-sized fields in the positions the host expects.
// - No C++ exception may reach a host frame: every function the host can enter is noexcept with
//   a catch-all at its boundary.
// - Host `bool` results arrive in AL only: read them as uint8_t (hostBool).
#include <cstddef>
#include <cstdint>

#if defined(__i386__)
#define QZR_HOST_ABI 1
#define QZR_THISCALL __attribute__((thiscall))
#define QZR_STDCALL __attribute__((stdcall))
#define QZR_CDECL __attribute__((cdecl))
#define QZR_FASTCALL __attribute__((fastcall))
#else
// On 64-bit builds (tests only) there is one calling convention; the markers vanish.
#define QZR_HOST_ABI 0
#define QZR_THISCALL
#define QZR_STDCALL
#define QZR_CDECL
#define QZR_FASTCALL
#endif

#if QZR_HOST_ABI
#define QZR_HOST_LAYOUT_ASSERT(cond, text) static_assert(cond, text)
#else
#define QZR_HOST_LAYOUT_ASSERT(cond, text) static_assert(true, text)
#endif

namespace kvl::host {

// Preferred image bases of the host executable and its two modules.
constexpr std::uint32_t kHostPreferredBase = 0x400000u;
constexpr std::uint32_t kSpindlePreferredBase = 0x60000000u;
constexpr std::uint32_t kRailwisePreferredBase = 0x61000000u;

// A host machine word (32 bits in the host's process).
using HostWord = std::uint32_t;

// Byte offset of a slot in a host table: entries are pointer-sized.
constexpr std::size_t kTableEntrySize = sizeof(void*);

// A host bool result: only the low byte is defined.
inline bool hostBool(std::uint8_t al) noexcept { return al != 0; }

// Reads a value of type T at a byte offset of a host object (no alignment assumed).
template <typename T>
inline T& fieldAt(void* object, std::size_t byteOffset) noexcept {
  return *reinterpret_cast<T*>(static_cast<unsigned char*>(object) + byteOffset);
}
template <typename T>
inline const T& fieldAt(const void* object, std::size_t byteOffset) noexcept {
  return *reinterpret_cast<const T*>(static_cast<const unsigned char*>(object) + byteOffset);
}

// Address of a sub-object at a byte offset of a host object.
inline void* addressAt(void* object, std::size_t byteOffset) noexcept {
  return static_cast<unsigned char*>(object) + byteOffset;
}

}  // namespace kvl::host
