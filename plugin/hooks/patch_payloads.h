#pragma once
// Patches whose payload is not a hook of the executable: literal bytes, floats, addresses of
// plugin variables, and calls followed by bytes of their own; each at a resolved site of any
// module.
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/memory_patch.h"
#include "plugin/host/binding/module_address.h"

namespace kvl {

// Literal bytes.
std::shared_ptr<host::MemoryPatch> literalRow(const host::ModuleAddress& site, std::initializer_list<std::uint8_t> bytes);
// A 32-bit float, little-endian.
std::shared_ptr<host::MemoryPatch> floatRow(const host::ModuleAddress& site, float value);
// The absolute address of a plugin variable (or constant) that host code then reads.
std::shared_ptr<host::MemoryPatch> addressRow(const host::ModuleAddress& site, const void* variable);
// An embedded call: E8 with the displacement to the hook, then the literal bytes that follow it.
std::shared_ptr<host::MemoryPatch> embeddedCallRow(const host::ModuleAddress& site, host::HookWord hook,
                                                   std::initializer_list<std::uint8_t> after);

}  // namespace kvl
