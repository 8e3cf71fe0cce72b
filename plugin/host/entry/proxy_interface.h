#pragma once
// The object the CreateProxy export hands to another module in the host process (the companion
// plugin): two interfaces, information and control, as two table pointers. Every control
// operation acts on the one Kestrun event; the object itself holds nothing else.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl {

struct ProxyObject {
  const void* info;     // ProxyInfo table
  const void* control;  // ProxyControl table
};
QZR_HOST_LAYOUT_ASSERT(sizeof(ProxyObject) == 8, "proxy object is two table pointers");

// A new proxy object, or null when it cannot be allocated.
ProxyObject* createProxyObject() noexcept;

}  // namespace kvl

extern "C" void* CreateProxy() noexcept;
