#pragma once
// Test helper: host-runtime strings (28 bytes: allocator word, 16 bytes of text, size, capacity)
// as host stand-ins read and fill them; short texts only, in the inline buffer.
#include <cstdint>
#include <cstring>
#include <string>

namespace kvl::testing {

inline std::string hostStringText(const std::uint8_t* s) {
  std::uint32_t size;
  std::memcpy(&size, s + 20, 4);
  return std::string(reinterpret_cast<const char*>(s + 4), size);
}

inline void fillHostString(std::uint8_t* s, const std::string& text) {
  std::memset(s, 0, 28);
  std::memcpy(s + 4, text.data(), text.size() < 15 ? text.size() : 15);
  const std::uint32_t size = static_cast<std::uint32_t>(text.size() < 15 ? text.size() : 15), capacity = 15;
  std::memcpy(s + 20, &size, 4);
  std::memcpy(s + 24, &capacity, 4);
}

}  // namespace kvl::testing
