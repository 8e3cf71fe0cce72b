#pragma once
// One full-screen page of the plugin's overlay. The host's draw call renders it: a dirty page
// builds a new display list and hands it to the overlay screen; every frame the screen draws
// the list it retains. The plugin object forwards the host's draw and input calls here.
#include <cstdint>

#include "plugin/gui/display_list.h"
#include "plugin/host/entry/front_end_page.h"

namespace kvl::gui {

class OverlayPage : public FrontEndPage {
 public:
  explicit OverlayPage(std::int32_t id) : id_(id) {}
  ~OverlayPage() override = default;

  // One frame: rebuilds and submits the content when dirty, then draws the screen.
  void render() override;
  // The host's input call: the first word's low byte is the key character.
  void onKey(const std::uint32_t (&words)[6]) override;

  // Notifications of the page's table that no page reacts to.
  virtual void notifyA() {}
  // A key, with the five further words of the host's input call; nothing by default.
  virtual void onInput(std::uint8_t key, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t e,
                       std::uint32_t f) {}
  virtual void notifyB(std::uint32_t a, std::uint32_t b, std::uint32_t c) {}
  virtual void notifyC(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {}
  virtual void notifyD(std::uint32_t a, std::uint32_t b, std::uint32_t c) {}
  // Fills the page's content; by default a single empty 640 x 15 bar at (0, 465).
  virtual void build(DisplayList& list);

  std::int32_t id() const noexcept { return id_; }
  void setDirty(bool dirty) noexcept { dirty_ = dirty ? 1 : 0; }
  bool isDirty() const noexcept { return dirty_ != 0; }

 private:
  std::int32_t id_;
  std::uint8_t dirty_ = 1;  // a new page builds in its first frame
};

}  // namespace kvl::gui
