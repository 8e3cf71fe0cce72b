#include "plugin/host/model/cloned_host_classes.h"

#include "plugin/host/binding/guarded_call.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/host/model/host_subclass.h"

namespace kvl::host {
namespace {

constexpr std::uint32_t kBaseUiTable = 0x7402D4;

// The service screen's mirrors: the base comes first (the host's base UI class, inert), then
// the members, then the host part. A host exception out of the host constructor undoes the base
// and gives null.
template <std::uint32_t Ctor, std::uint32_t HostTable, std::size_t Slots>
void* buildOnBase(void* object, HostText* texts, int textCount) {
  setTable(object, inertTableCopy<kBaseUiTable, 14>());
  for (int i = 0; i < textCount; ++i) texts[i].clear();
  const bool built = runGuarded([object] { hostFunction<Ctor, void*(QZR_THISCALL*)(void*)>()(object); },
                                GuardCatch::memoryFaultsAndHostExceptions);
  if (!built) {
    HostMenuPageBase::destroyBase(object);
    return nullptr;
  }
  setTable(object, hostTableCopy<HostTable, Slots>());
  return object;
}

}  // namespace

void HostMenuPageBase::restoreBaseVtable(void* object) noexcept { destroyInPlace(object, inertTableCopy<kBaseUiTable, 14>()); }

void HostItemBase::restoreBaseVtable(void* object) noexcept { destroyInPlace(object, inertTableCopy<0x74C044, 23>()); }

void* HostMenuPage::construct(void* page, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  return buildHosted<0x5850B0, 0x7473E8, 14>(page, a, b, c, d);
}

void HostMenuPage::adoptSharedVtable(void* page) noexcept { destroyInPlace(page, inertTableCopy<0x7473E8, 14>()); }

void* HostMenuItem::construct(void* item, const HostText& label, HostWord callback) {
  return buildHosted<0x5BEF10, 0x74BB7C, 25>(item, label.word(0), label.word(1), label.word(2), callback);
}

void* HostOptionItem::construct(void* item, void* a, void* b, std::int32_t c) {
  return buildHosted<0x5C1420, 0x74C3A4, 26>(item, a, b, c);
}

void* HostLabelItem::construct(void* item, const HostText& label, std::int32_t a, std::int32_t b) {
  return buildHosted<0x5C8420, 0x748F7C, 25>(item, label.word(0), label.word(1), label.word(2), a, b);
}

void* HostScreenQuad::construct(void* quad, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  return buildHosted<0x471C00, 0x72D80C, 96>(quad, a, b, c, d);
}

void* HostScreenQuad::prepare(void* quad) noexcept { return HostSubclass::initialise(quad); }

std::int32_t HostScreenQuad::drawBase(void* quad, std::int32_t count, const float* coordinates, std::int32_t flag) {
  using Draw = std::int32_t(QZR_THISCALL*)(void*, std::int32_t, const float*, std::int32_t);
  return reinterpret_cast<Draw const*>(hostTableCopy<0x72D80C, 96>())[54](quad, count, coordinates, flag);
}

void* HostScreenQuad::vertexBuffer(const void* quad) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(quad, 284)));
}

void HostSoundTicker::update(void* ticker, float elapsedSeconds) {
  hostFunction<0x4D4980, void(QZR_THISCALL*)(void*, float)>()(ticker, elapsedSeconds);
}

void* HostSoundTicker::release(void* ticker, std::int32_t flags) {
  return hostFunction<0x4D4960, void*(QZR_THISCALL*)(void*, std::int32_t)>()(ticker, flags);
}

void* HostInfoBox::construct(void* box) {
  return buildOnBase<0x5C66E0, 0x74C9A4, 14>(box, static_cast<HostText*>(addressAt(box, 8)), 11);
}

void* HostSetupFileList::initMembers(void* list) noexcept { return HostSubclass::initialise(list); }

void* HostSetupFileChooser::initMembers(void* chooser) noexcept {
  HostSubclass::initialise(chooser);
  for (HostText* text : {&title(chooser), &currentLabel(chooser), &firstButtonLabel(chooser),
                         &firstButtonLabelAtTop(chooser), &secondButtonLabel(chooser)}) {
    text->clear();
  }
  return chooser;
}

void* HostSetupFileChooser::construct(void* chooser, std::int32_t value) {
  return buildHosted<0x5C1FF0, 0x74C548, 14>(chooser, value);
}

void* HostServicePanel::construct(void* panel, std::int32_t value) {
  return buildHosted<0x5C5720, 0x74C8BC, 14>(panel, value);
}

void HostServicePanel::start(void* panel) { hostFunction<0x5C5880, void(QZR_THISCALL*)(void*)>()(panel); }

std::int32_t HostServicePanel::handleInput(void* panel, std::int32_t code, std::int32_t data) {
  return hostFunction<0x5C5920, std::int32_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t)>()(panel, code, data);
}

void* HostServiceFrame::construct(void* frame, void* panel) { return buildHosted<0x5C7030, 0x74CA1C, 25>(frame, panel); }

void* HostServiceTimer::construct(void* timer) { return buildOnBase<0x5C55C0, 0x74C83C, 14>(timer, nullptr, 0); }

void* HostMenuElement::construct(void* element, void* content) {
  return buildHosted<0x53F400, 0x742C5C, 23>(element, content);
}

}  // namespace kvl::host
