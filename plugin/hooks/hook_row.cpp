#include "plugin/hooks/hook_row.h"

#include <memory>

#include "plugin/host/binding/memory_patch.h"
#include "plugin/host/binding/module_address.h"

namespace kvl::hooks {

void addRows(PatchGroup& group, const std::vector<HookRow>& rows) {
  for (const HookRow& row : rows) {
    void* site = host::HostAddress(row.site).resolve();
    if (row.kind == HookKind::callRedirection) {
      group.add(host::MemoryPatch::redirection(site, reinterpret_cast<const void*>(row.target)));
    } else {
      const auto word = static_cast<std::uint32_t>(row.target);
      group.add(std::make_shared<host::MemoryPatch>(site, &word, row.length));
    }
  }
}

}  // namespace kvl::hooks
