#include <windows.h>

#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "plugin/host/model/host_object_accessors.h"

using namespace kvl::host;

namespace {

// Host objects hold 32-bit pointers: place the table and the object low in the address space.
unsigned char* lowMemory() {
  for (std::uintptr_t at = 0x20000000; at < 0x70000000; at += 0x01000000) {
    void* p = VirtualAlloc(reinterpret_cast<void*>(at), 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (p != nullptr) return static_cast<unsigned char*>(p);
  }
  return nullptr;
}

}  // namespace

TEST(MaterialTableHook, ReadsTheObjectsTable) {
  unsigned char* memory = lowMemory();
  ASSERT_NE(memory, nullptr);
  unsigned char* table = memory + 256;
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(255 - i);
  unsigned char* object = memory;
  const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(table));
  std::memcpy(object + 4, &word, 4);
  EXPECT_EQ(materialTableHook(object, 1.0f, 1.0f), 0u);                // index 255
  EXPECT_EQ(materialTableHook(object, -0.5f, 0.03f), 255u);            // index 0
  EXPECT_EQ(materialTableHook(object, 0.999f, 0.0625f), 255u - 31u);   // index 31
  std::memset(object + 4, 0, 4);
  EXPECT_EQ(materialTableHook(object, 0.5f, 0.5f), 0u) << "no table";
  VirtualFree(memory, 0, MEM_RELEASE);
}
