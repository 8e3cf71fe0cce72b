#include "plugin/host/model/host_key_tables.h"

#include <cstring>

#include "plugin/host/binding/call_through.h"

namespace kvl::host {
namespace {

HostWord wordOf(const void* p) noexcept { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }

// Fixed for the life of the process: the host's parser reads it through the descriptor.
HostKeyEntry bodyKeyTable[kBodyKeys];

}  // namespace

void* HostKeyTableDescriptor::setTable(void* descriptor, const void* table) noexcept {
  fieldAt<HostWord>(descriptor, 12) = wordOf(table);
  return descriptor;
}

void* HostKeyTableDescriptor::setCount(void* descriptor, std::int32_t count) noexcept {
  fieldAt<std::int32_t>(descriptor, 8) = count;
  return descriptor;
}

void* hostKeyTableDescriptor() { return hostGlobalAddress<0x1659AD8, void>(); }
void* hostBodyKeyTable() { return hostGlobalAddress<0x7CAF38, void>(); }

bool KeyAliasTable::rename(HostKeyEntry& entry, const char* hostName, const char* newName) noexcept {
  const auto* name = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(entry.name));
  if (name == nullptr || std::strcmp(name, hostName) != 0) return false;
  entry.name = wordOf(newName);
  return true;
}

void fillPluginBodyKeys(HostKeyEntry* rows) noexcept {
  static const char* const kNames[kBodyKeys - kHostBodyKeys] = {
      "Bendable_01_QZR", "Bendable_02_QZR", "Bendable_03_QZR", "Bendable_04_QZR", "Bendable_05_QZR",
      "Bendable_06_QZR", "Bendable_07_QZR", "Bendable_08_QZR", "Bendable_09_QZR", "Bendable_10_QZR",
      "Bendable_11_QZR", "Bendable_12_QZR", "Bendable_13_QZR", "Bendable_14_QZR", "Bendable_15_QZR"};
  for (std::size_t k = 0; k < kBodyKeys - kHostBodyKeys; ++k) {
    rows[k] = HostKeyEntry{wordOf(kNames[k]), 0, static_cast<std::int32_t>(17691 + 88 * k), 0};
  }
}

void* extendBodyKeys() {
  std::memcpy(bodyKeyTable, hostBodyKeyTable(), kHostBodyKeys * sizeof(HostKeyEntry));
  fillPluginBodyKeys(bodyKeyTable + kHostBodyKeys);
  void* descriptor = hostKeyTableDescriptor();
  HostKeyTableDescriptor::setTable(descriptor, bodyKeyTable);
  return HostKeyTableDescriptor::setCount(descriptor, static_cast<std::int32_t>(kBodyKeys));
}

}  // namespace kvl::host
