#pragma once
// One row of a hook set: a host site, its length, what is written there and the target.
#include <cstdint>
#include <vector>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

enum class HookKind {
  callRedirection,  // the 32-bit operand of a host CALL, pointed at the target function
  literal,          // the row's bytes
  pluginAddress,    // the 32-bit address of a plugin variable or buffer
  embeddedCall,     // E8 to the target, the rest of the length no-operations
  embeddedJump,     // E9 to the target, the rest of the length no-operations
};

struct HookRow {
  std::uint32_t site;
  std::int32_t length;
  HookKind kind;
  std::uintptr_t target;         // function or plugin address; the value for a literal word
  const char* name;              // the target's name
};

// Adds one memory patch per row, in row order.
void addRows(PatchGroup& group, const std::vector<HookRow>& rows);

}  // namespace kvl::hooks
