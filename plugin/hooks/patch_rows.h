#pragma once
// One row of a hook set: a host site, how many bytes the patch writes there, what kind of patch
// it is and its target. A group's builder keeps its rows in a table, in patch order.
#include <cstddef>
#include <cstdint>

#include "plugin/hooks/patch_group.h"
#include "plugin/host/binding/hook_address.h"

namespace kvl {

enum class PatchKind {
  callRedirection,  // the 4-byte operand of a host CALL or JMP now reaches the target
  embeddedCall,     // E8 to the target, the rest of the length filled with no-operations
  embeddedJump,     // E9 to the target, the rest of the length filled with no-operations
};

struct PatchRow {
  std::uint32_t site;  // host executable address of the first byte written
  std::int32_t length;
  PatchKind kind;
  host::HookWord target;
};

// Adds one patch per row, in row order; each patch saves the bytes it replaces now.
void addPatchRows(PatchGroup& group, const PatchRow* rows, std::size_t count);

}  // namespace kvl
