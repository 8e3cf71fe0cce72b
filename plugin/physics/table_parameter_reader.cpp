#include "plugin/physics/table_parameter_reader.h"

#include <cstdlib>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/vtable_clone.h"
#include "plugin/host/model/host_param.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

constexpr std::uint32_t kHostTable = 0x740534;
constexpr std::size_t kSlots = 19;
constexpr std::size_t kArrays[3] = {16, 56, 96};

void* pluginTable() {
  static void* const table = [] {
    static host::HookWord slots[kSlots];
    host::VtableClone clone;
    clone.setTarget(slots);
    clone.copyFrom(host::HostAddress(kHostTable).resolve(), sizeof slots);
    clone.exchangeSlot(8, reinterpret_cast<void*>(host::hookAddress(&tableParameterParse)));
    return static_cast<void*>(slots);
  }();
  return table;
}

}  // namespace

void* tableParameterConstructHook(void* object) noexcept {
  try {
    host::hostFunction<0x52FEC0, void(QZR_THISCALL*)(void*)>()(object);
    fieldAt<host::HostWord>(object, 0) = static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(pluginTable()));
  } catch (...) {
  }
  return object;
}

std::int32_t tableParameterParse(void* object, void* reader) noexcept {
  try {
    host::hostParseBase(object, reader);
    for (std::size_t array : kArrays) {
      for (std::size_t i = 0; i < 10; ++i) {
        if (!host::HostTokenReader::hasMore(reader)) return -1;
        // The cursor points at the current token's text pointer.
        const auto* cursor = reinterpret_cast<const char* const*>(host::HostTokenReader::current(reader));
        if (cursor == nullptr || *cursor == nullptr) continue;
        fieldAt<float>(object, array + 4 * i) = static_cast<float>(std::atof(*cursor));
        host::HostTokenReader::setCurrent(reader, reinterpret_cast<const char*>(cursor + 1));
      }
    }
    return 0;
  } catch (...) {
    return -1;
  }
}

}  // namespace kvl::physics
