#include "hostsim/host_strings.h"

#include <cstdint>
#include <cstring>

#include "hostsim/host_handlers.h"

namespace hostsim {

void writeHostString(unsigned char* s, const std::string& text) {
  const auto size = static_cast<std::uint32_t>(text.size());
  std::memcpy(s + 20, &size, 4);
  if (size <= 15) {
    std::memcpy(s + 4, text.c_str(), size + 1);
    const std::uint32_t capacity = 15;
    std::memcpy(s + 24, &capacity, 4);
    return;
  }
  char* heap = static_cast<char*>(runtimeMalloc(size + 1));
  std::memcpy(heap, text.c_str(), size + 1);
  const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(heap));
  std::memcpy(s + 4, &word, 4);
  std::memcpy(s + 24, &size, 4);
}

std::string readHostString(const unsigned char* s) {
  std::uint32_t size, capacity;
  std::memcpy(&size, s + 20, 4);
  std::memcpy(&capacity, s + 24, 4);
  if (capacity <= 15) return std::string(reinterpret_cast<const char*>(s + 4), size);
  std::uint32_t word;
  std::memcpy(&word, s + 4, 4);
  return std::string(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(word)), size);
}

}  // namespace hostsim
