#pragma once
// The plugin's front-end page in the host: which patch groups took effect, whether the sound
// system runs, the revision numbers and the two telemetry switches, which the keys T and U
// toggle.
#include <cstdint>

#include "plugin/gui/overlay_page.h"
#include "plugin/host/entry/plugin_controller.h"

namespace kvl::gui {

class StatusPage : public OverlayPage {
 public:
  // Where the page's rows come from.
  struct Sources {
    // The patch groups in the controller's order (start-up list, then first-event list).
    void (*collectGroups)(PatchGroupList& out);
    // Whether the sound client has started its daemon.
    bool (*soundActive)();
  };
  // The controller's groups and the sound client.
  static Sources liveSources();

  // Reads the two telemetry switches once.
  StatusPage();
  explicit StatusPage(const Sources& sources);

  // A new page for the plugin object, which keeps it for the life of the process.
  static FrontEndPage* create();

  using OverlayPage::onKey;
  // T or t toggles telemetry recording, U or u UDP telemetry; each toggle is written to its
  // option and rebuilds the page. Other keys change nothing.
  void onKey(std::uint8_t key, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t e,
             std::uint32_t f);
  void onInput(std::uint8_t key, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t e,
               std::uint32_t f) override {
    onKey(key, b, c, d, e, f);
  }
  void build(DisplayList& list) override;

  bool telemetryRecording() const noexcept { return telemetryRecording_ != 0; }
  bool udpTelemetry() const noexcept { return udpTelemetry_ != 0; }

 private:
  Sources sources_;
  std::uint8_t telemetryRecording_;
  std::uint8_t udpTelemetry_;
};

}  // namespace kvl::gui
