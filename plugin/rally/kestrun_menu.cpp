#include "plugin/rally/kestrun_menu.h"

#include <cstdint>

#include "plugin/gui/service_items.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/rally/kestrun_event.h"

namespace kvl::rally {
namespace {

using host::HostMenuPage;

constexpr std::uint32_t kPageSize = 212;
constexpr std::uint32_t kFrameSize = 20;
constexpr std::uint32_t kNameEvent = 21;
constexpr std::uint32_t kActionEvent = 1;

// The host's allocation, or null when it has none to give.
void* allocate(std::uint32_t bytes) {
  try {
    return host::hostNew(bytes);
  } catch (...) {
    return nullptr;
  }
}

void placeElement(void* page, void* content, float x, float y) {
  if (void* element = allocate(host::HostMenuElement::kSize)) {
    host::HostMenuElement::construct(element, content);
    HostMenuPage::placeItem(page, element, x, y);
  }
}

// A mirror whose host part could not be built gives its memory back; the element is placed
// without content.
void* builtOrFreed(void* memory, void* built) {
  if (built == nullptr && memory != nullptr) host::hostDelete(memory);
  return built;
}

}  // namespace

void* buildKestrunMenu() {
  void* page = allocate(kPageSize);
  if (page == nullptr) return nullptr;
  HostMenuPage::construct(page, 3, 0, 0, -1);
  HostMenuPage::setParentIndex(page, 24, 0);
  HostMenuPage::sendEvent(page, nullptr, kNameEvent, "new_main");
  HostMenuPage::sendEvent(page, nullptr, kActionEvent, reinterpret_cast<const void*>(&KestrunEvent::runRepairService));

  void* key = allocate(gui::ServiceKeyItem::kSize);
  void* frame = key == nullptr ? nullptr : allocate(kFrameSize);
  if (frame != nullptr) {
    gui::ServiceKeyItem::construct(key, 0);
    host::HostServiceFrame::construct(frame, key);
    HostMenuPage::placeItem(page, frame, 50.0f, 49.0f);
    host::HostServicePanel::start(key);
    HostMenuPage::sendEvent(page, frame, gui::kServiceKeyEvent, reinterpret_cast<const void*>(1));
  } else if (key != nullptr) {
    host::hostDelete(key);
  }

  void* box = allocate(host::HostInfoBox::kSize);
  placeElement(page, box == nullptr ? nullptr : builtOrFreed(box, host::HostInfoBox::construct(box)), 50.0f, 49.0f);
  void* countdown = allocate(gui::ServiceCountdownItem::kSize);
  placeElement(page,
               countdown == nullptr ? nullptr : builtOrFreed(countdown, gui::ServiceCountdownItem::construct(countdown)),
               2320.0f, 400.0f);
  return page;
}

void destroyKestrunMenu(void* page) noexcept {
  if (page == nullptr) return;
  HostMenuPage::adoptSharedVtable(page);
  host::hostDelete(page);
}

}  // namespace kvl::rally
