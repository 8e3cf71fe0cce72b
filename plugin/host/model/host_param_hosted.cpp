#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/host_param.h"

namespace kvl::host {

HostFloatParam* HostFloatParam::constructHosted(void* memory, float value) {
  auto* p = static_cast<HostFloatParam*>(memory);
  p->header.init();
  buildHosted<0x52FEA0, 0x73B644, 19>(memory);
  p->value_ = value;
  return p;
}

void HostVectorParam::useClonedTable() noexcept { setTable(this, inertTableCopy<0x7405EC, 19>()); }

void* HostTableParam::hostConstruct(void* object) {
  return buildHosted<0x52FEC0, kHostTable, kTableSlots>(object);
}

std::int32_t hostParseBase(void* object, void* reader) {
  return hostFunction<0x52F840, std::int32_t(QZR_THISCALL*)(void*, void*)>()(object, reader);
}

// The host answers with a whole nonzero word while tokens are left, not a bool: EAX is read whole.
bool HostTokenReader::hasMore(void* reader) {
  return hostFunction<0x52EED0, HostWord(QZR_THISCALL*)(void*)>()(reader) != 0;
}

}  // namespace kvl::host
