#include "plugin/host/entry/proxy_interface.h"

#include <new>

#include "plugin/rally/kestrun_event.h"

namespace kvl {
namespace {

using rally::KestrunEvent;

constexpr std::int32_t kInterfaceVersion = 3;
constexpr std::int32_t kBuild = 778;

// The interface base the destructor leaves behind: every slot does nothing.
void QZR_THISCALL baseSlot(void*) noexcept {}
const void* const kBaseTable[] = {reinterpret_cast<const void*>(&baseSlot)};

// ProxyInfo, called on the object.
ProxyObject* QZR_THISCALL destroyProxy(ProxyObject* self, std::uint32_t flags) noexcept {
  self->info = kBaseTable;
  self->control = kBaseTable;
  if ((flags & 1u) != 0) ::operator delete(self);
  return self;
}
std::int32_t QZR_THISCALL version(ProxyObject*) noexcept { return kInterfaceVersion; }
std::uint8_t QZR_THISCALL isReady(ProxyObject*) noexcept { return 1; }
std::int32_t QZR_THISCALL build(ProxyObject*) noexcept { return kBuild; }
const void* QZR_THISCALL control(ProxyObject* self) noexcept { return &self->control; }

const void* const kInfoTable[] = {
    reinterpret_cast<const void*>(&destroyProxy), reinterpret_cast<const void*>(&version),
    reinterpret_cast<const void*>(&isReady), reinterpret_cast<const void*>(&build),
    reinterpret_cast<const void*>(&control)};

// ProxyControl, called on the object's second table pointer, which it does not use. Every slot
// removes its own stack arguments.
void QZR_THISCALL configure(void*, std::int32_t stage, std::int32_t mechanics, std::int32_t skill,
                            float repairTime) noexcept {
  try {
    KestrunEvent::instance().configure(stage, mechanics, skill, repairTime);
  } catch (...) {
  }
}
void QZR_THISCALL end(void*) noexcept {
  try {
    KestrunEvent::instance().end();
  } catch (...) {
  }
}
std::int32_t QZR_THISCALL start(void*) noexcept {
  try {
    return KestrunEvent::instance().start();
  } catch (...) {
    return 0;
  }
}
std::int32_t QZR_THISCALL writeCarState(void*, const void* source, std::uint32_t length) noexcept {
  try {
    return KestrunEvent::instance().writeDriverRecord(source, length);
  } catch (...) {
    return 0;
  }
}
std::int32_t QZR_THISCALL readCarState(void*, void* destination, std::uint32_t length) noexcept {
  try {
    return KestrunEvent::instance().readDriverRecord(destination, length);
  } catch (...) {
    return 0;
  }
}
double QZR_THISCALL value(void*) noexcept {
  try {
    return KestrunEvent::instance().servicePenalty();
  } catch (...) {
    return 0.0;
  }
}
void* QZR_THISCALL resetCarState(void*) noexcept {
  try {
    return KestrunEvent::instance().resetDriverRecord();
  } catch (...) {
    return nullptr;
  }
}
std::int32_t QZR_THISCALL carStateQuery(void*) noexcept {
  try {
    return KestrunEvent::instance().driverRecordValue();
  } catch (...) {
    return 0;
  }
}

const void* const kControlTable[] = {
    reinterpret_cast<const void*>(&configure),     reinterpret_cast<const void*>(&end),
    reinterpret_cast<const void*>(&start),         reinterpret_cast<const void*>(&writeCarState),
    reinterpret_cast<const void*>(&readCarState),  reinterpret_cast<const void*>(&value),
    reinterpret_cast<const void*>(&resetCarState), reinterpret_cast<const void*>(&carStateQuery)};

}  // namespace

ProxyObject* createProxyObject() noexcept {
  auto* object = static_cast<ProxyObject*>(::operator new(sizeof(ProxyObject), std::nothrow));
  if (object == nullptr) return nullptr;
  object->info = kInfoTable;
  object->control = kControlTable;
  return object;
}

}  // namespace kvl

extern "C" void* CreateProxy() noexcept { return kvl::createProxyObject(); }
