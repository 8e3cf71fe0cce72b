#pragma once
// Test helper (i686, Windows): the host stand-in module "Korvala_SSE.exe" (the zeroed region of
// tests/host/binding/host_module_fixture.cpp, loaded at a base other than the host's) in which a
// test lays out host globals and paints host functions as jumps to its own handlers.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace kvl::testing {

class HostFixture {
 public:
  HostFixture() : module_(LoadLibraryA("Korvala_SSE.exe")) {}
  bool loaded() const { return module_ != nullptr; }

  // The byte where the host keeps its virtual address va.
  unsigned char* at(std::uint32_t va) const {
    return reinterpret_cast<unsigned char*>(reinterpret_cast<std::uintptr_t>(module_) + (va - 0x400000u));
  }
  void setGlobal(std::uint32_t va, const void* object) const {
    const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object));
    std::memcpy(at(va), &word, 4);
  }
  // A host function at va: a jump to the handler, on a page made executable.
  template <typename F>
  void paintFunction(std::uint32_t va, F handler) const {
    unsigned char* site = at(va);
    DWORD old = 0;
    VirtualProtect(site, 5, PAGE_EXECUTE_READWRITE, &old);
    const auto target = reinterpret_cast<std::uintptr_t>(reinterpret_cast<void*>(handler));
    const auto displacement = static_cast<std::uint32_t>(target - reinterpret_cast<std::uintptr_t>(site) - 5);
    site[0] = 0xE9;
    std::memcpy(site + 1, &displacement, 4);
    FlushInstructionCache(GetCurrentProcess(), site, 5);
  }

 private:
  HMODULE module_;
};

}  // namespace kvl::testing
