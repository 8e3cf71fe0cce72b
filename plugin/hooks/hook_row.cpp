#include "plugin/hooks/hook_row.h"

#include <cstring>
#include <memory>
#include <vector>

#include "plugin/host/binding/memory_patch.h"
#include "plugin/host/binding/module_address.h"

namespace kvl::hooks {

void addRows(PatchGroup& group, const std::vector<HookRow>& rows) {
  for (const HookRow& row : rows) {
    void* site = host::HostAddress(row.site).resolve();
    if (row.kind == HookKind::callRedirection) {
      group.add(host::MemoryPatch::redirection(site, reinterpret_cast<const void*>(row.target)));
    } else if (row.kind == HookKind::embeddedCall || row.kind == HookKind::embeddedJump) {
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(row.length), 0x90);
      bytes[0] = row.kind == HookKind::embeddedCall ? 0xE8 : 0xE9;
      const std::uint32_t displacement =
          host::branchDisplacement(static_cast<unsigned char*>(site) + 1, reinterpret_cast<const void*>(row.target));
      std::memcpy(&bytes[1], &displacement, 4);
      group.add(std::make_shared<host::MemoryPatch>(site, bytes.data(), row.length));
    } else {
      const auto word = static_cast<std::uint32_t>(row.target);
      group.add(std::make_shared<host::MemoryPatch>(site, &word, row.length));
    }
  }
}

}  // namespace kvl::hooks
