#include "plugin/host/entry/plugin_object.h"

#include "plugin/host/entry/main_settings.h"
#include "plugin/host/entry/plugin_controller.h"
#include "plugin/host/entry/plugin_host_context.h"

namespace kvl {
namespace {

// What the table pointer holds outside the object's life.
const PluginInterfaceTable* const kNoTable = nullptr;

void* QZR_THISCALL destroySlot(PluginObject* self, std::uint32_t flags) noexcept {
  self->~PluginObject();
  if ((flags & 1u) != 0) ::operator delete(self);
  return self;
}

const char* QZR_THISCALL nameSlot(PluginObject*) noexcept { return "QZR"; }

void QZR_THISCALL drawSlot(PluginObject* self) noexcept {
  if (self->statusPage == nullptr) return;
  try {
    self->statusPage->render();
  } catch (...) {
  }
}

void QZR_THISCALL noOperationASlot(PluginObject*) noexcept {}

void QZR_THISCALL inputSlot(PluginObject* self, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                            std::uint32_t d, std::uint32_t e, std::uint32_t f) noexcept {
  if (self->statusPage == nullptr) return;
  const std::uint32_t words[6] = {a, b, c, d, e, f};
  try {
    self->statusPage->onKey(words);
  } catch (...) {
  }
}

void QZR_THISCALL noOperationBSlot(PluginObject*, std::uint32_t) noexcept {}
void QZR_THISCALL noOperationCSlot(PluginObject*, std::uint32_t, std::uint32_t, std::uint32_t) noexcept {}
void QZR_THISCALL noOperationDSlot(PluginObject*, std::uint32_t, std::uint32_t, std::uint32_t,
                                   std::uint32_t) noexcept {}
void QZR_THISCALL noOperationESlot(PluginObject*, std::uint32_t, std::uint32_t, std::uint32_t) noexcept {}

const PluginInterfaceTable kTable = {destroySlot,      nameSlot,         drawSlot,
                                     noOperationASlot, inputSlot,        noOperationBSlot,
                                     noOperationCSlot, noOperationDSlot, noOperationESlot};

}  // namespace

FrontEndPage* (*PluginObject::createStatusPage)() = nullptr;

const PluginInterfaceTable& PluginObject::interfaceTable() noexcept { return kTable; }

PluginObject::PluginObject(void* host) : table(&kTable), statusPage(nullptr) {
  try {
    pluginHostContext().setHost(host);
    loadMainSettings();
    PluginController::instance();
    if (createStatusPage != nullptr) statusPage = createStatusPage();
  } catch (...) {
    table = kNoTable;
    throw;
  }
}

PluginObject::~PluginObject() {
  // Freed with this object (the page's own lifetime wins): only this object's slots reach it, so kept it would leak.
  delete statusPage;
  // Plain stores at the end of a destructor are dropped by the optimiser; the host may still look
  // at the words (a draw or input call that comes after the destruction then does nothing).
  *const_cast<FrontEndPage* volatile*>(&statusPage) = nullptr;
  *const_cast<const PluginInterfaceTable* volatile*>(&table) = kNoTable;
}

}  // namespace kvl
