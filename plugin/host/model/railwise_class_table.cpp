#include "plugin/host/model/railwise_class_table.h"

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/binding/module_address.h"

namespace kvl::host {
namespace {

constexpr std::uint32_t kRailwiseTable = 0x61059EC4;
constexpr std::size_t kEntries = 5;
constexpr std::size_t kOriginalSlot = 2;

void* const* railwiseTableCopy() {
  static void* entries[kEntries];
  static const bool filled =
      (fillTableCopy(entries, RailwiseAddress(kRailwiseTable).resolve(), kEntries, -1, nullptr), true);
  (void)filled;
  return entries;
}

}  // namespace

std::int32_t callOriginalTableSlot(void* object, std::int32_t a, std::int32_t b) {
  // Without the module's load address the copy would be taken from nowhere.
  if (HostModuleTable::railwiseBase() == 0) return 0;
  using Slot = std::int32_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);
  return reinterpret_cast<Slot>(railwiseTableCopy()[kOriginalSlot])(object, a, b);
}

}  // namespace kvl::host
