#include "plugin/hooks/patch_payloads.h"

#include <cstring>
#include <vector>

namespace kvl {

using host::MemoryPatch;

std::shared_ptr<MemoryPatch> literalRow(const host::ModuleAddress& site, std::initializer_list<std::uint8_t> bytes) {
  const std::vector<std::uint8_t> data(bytes);
  return std::make_shared<MemoryPatch>(site.resolve(), data.data(), static_cast<std::int32_t>(data.size()));
}

std::shared_ptr<MemoryPatch> floatRow(const host::ModuleAddress& site, float value) {
  std::uint8_t bytes[4];
  std::memcpy(bytes, &value, 4);
  return std::make_shared<MemoryPatch>(site.resolve(), bytes, 4);
}

std::shared_ptr<MemoryPatch> addressRow(const host::ModuleAddress& site, const void* variable) {
  const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(variable));
  return std::make_shared<MemoryPatch>(site.resolve(), &word, 4);
}

std::shared_ptr<MemoryPatch> embeddedCallRow(const host::ModuleAddress& site, host::HookWord hook,
                                             std::initializer_list<std::uint8_t> after) {
  void* at = site.resolve();
  std::vector<std::uint8_t> bytes{0xE8, 0, 0, 0, 0};
  const std::uint32_t displacement =
      host::branchDisplacement(static_cast<unsigned char*>(at) + 1, reinterpret_cast<const void*>(hook));
  std::memcpy(bytes.data() + 1, &displacement, 4);
  bytes.insert(bytes.end(), after);
  return std::make_shared<MemoryPatch>(at, bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

}  // namespace kvl
