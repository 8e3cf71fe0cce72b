#include "plugin/host/model/host_widget.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void HostWidget::render(void* widget, void* renderer, float x, float y) {
  tableEntry<void(QZR_THISCALL*)(void*, void*, float, float)>(widget, 3 * kTableEntrySize)(widget, renderer, x, y);
}

void HostWidget::attach(void* widget, void* other) {
  tableEntry<void(QZR_THISCALL*)(void*, void*)>(widget, 2 * kTableEntrySize)(widget, other);
}

std::int32_t HostWidget::sendEvent(void* widget, std::int32_t event, const void* record) {
  return tableEntry<std::int32_t(QZR_THISCALL*)(void*, std::int32_t, const void*)>(widget, 1 * kTableEntrySize)(
      widget, event, record);
}

}  // namespace kvl::host
