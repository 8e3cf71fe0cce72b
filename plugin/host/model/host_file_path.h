#pragma once
// The host's file path object: built from another path object and freed by the host's own
// routines; its directory and file name texts are pointers at +4 and +8.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostFilePath {
  static void construct(void* path, const void* source);  // host 0x406690, member call
  static void destroy(void* path);                        // host 0x4066E0, member call
  // The texts; "" where the pointer is null.
  static const char* directory(const void* path) noexcept { return text(path, 4); }
  static const char* fileName(const void* path) noexcept { return text(path, 8); }

 private:
  static const char* text(const void* path, std::size_t offset) noexcept {
    const auto word = fieldAt<HostWord>(path, offset);
    return word == 0 ? "" : reinterpret_cast<const char*>(static_cast<std::uintptr_t>(word));
  }
};

}  // namespace kvl::host
