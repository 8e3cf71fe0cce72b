#include "plugin/physics/table_parameter_reader.h"

#include <cstdlib>

#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/host_param.h"

namespace kvl::physics {
namespace {

using host::fieldAt;
using host::HostTableParam;

constexpr std::size_t kParseSlot = 2;
constexpr std::size_t kArrays[3] = {16, 56, 96};

const void* pluginTable() {
  return host::replacedTableCopy<HostTableParam::kHostTable, HostTableParam::kTableSlots, kParseSlot>(
      reinterpret_cast<void*>(host::hookAddress(&tableParameterParse)));
}

}  // namespace

void* tableParameterConstructHook(void* object) noexcept {
  try {
    HostTableParam::hostConstruct(object);
    host::setTable(object, pluginTable());
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
