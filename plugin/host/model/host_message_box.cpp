#include "plugin/host/model/host_message_box.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostMessageBox::instance() { return hostObject<0x7D2344>(); }

void HostMessageBox::show(void* box, std::int32_t message, MessageCallback callback, void* userData) {
  hostFunction<0x58DC60, void(QZR_THISCALL*)(void*, std::int32_t, MessageCallback, void*)>()(box, message, callback,
                                                                                              userData);
}

}  // namespace kvl::host
