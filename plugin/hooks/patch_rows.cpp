#include "plugin/hooks/patch_rows.h"

#include <cstring>
#include <vector>

#include "plugin/host/binding/module_address.h"

namespace kvl {

void addPatchRows(PatchGroup& group, const PatchRow* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const PatchRow& row = rows[i];
    void* site = host::HostAddress(row.site).resolve();
    const auto* target = reinterpret_cast<const void*>(row.target);
    if (row.kind == PatchKind::callRedirection) {
      group.add(host::MemoryPatch::redirection(site, target));
      continue;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(row.length), 0x90);
    bytes[0] = row.kind == PatchKind::embeddedCall ? 0xE8 : 0xE9;
    const std::uint32_t displacement =
        host::branchDisplacement(static_cast<unsigned char*>(site) + 1, target);
    std::memcpy(&bytes[1], &displacement, 4);
    group.add(std::make_shared<host::MemoryPatch>(site, bytes.data(), row.length));
  }
}

}  // namespace kvl
