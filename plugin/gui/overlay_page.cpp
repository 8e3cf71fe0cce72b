#include "plugin/gui/overlay_page.h"

#include <memory>

#include "plugin/gui/overlay_elements.h"
#include "plugin/gui/overlay_screen.h"

namespace kvl::gui {

void OverlayPage::render() {
  if (isDirty()) {
    DisplayList list;
    build(list);
    OverlayScreen::instance().submit(list);
    setDirty(false);
  }
  OverlayScreen::instance().drawAll(OverlayRect{});
}

void OverlayPage::onKey(const std::uint32_t (&words)[6]) {
  onInput(static_cast<std::uint8_t>(words[0] & 0xFFu), words[1], words[2], words[3], words[4], words[5]);
}

void OverlayPage::build(DisplayList& list) {
  list.push(std::make_shared<TextBarElement>(OverlayPoint{0.0f, 465.0f}, std::string(), OverlaySize{640.0f, 15.0f}));
}

}  // namespace kvl::gui
