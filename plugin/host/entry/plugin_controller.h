#pragma once
// The singleton that starts every feature: it builds and applies the patch groups, links its
// handlers into the host's listener lists, and does the work that waits for the host's first
// game-state event.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "plugin/hooks/host_code_rows.h"  // the skid-sound scales
#include "plugin/hooks/patch_group.h"
#include "plugin/host/events/host_listener.h"

namespace kvl::host {
class HostWindowHook;
}
namespace kvl::hooks {
class HeadGasket;
}

namespace kvl {

using PatchGroupList = std::deque<std::shared_ptr<PatchGroup>>;

class PluginController {
 public:
  // Built on first use, destroyed at process exit.
  static PluginController& instance();

  PluginController(const PluginController&) = delete;
  PluginController& operator=(const PluginController&) = delete;
  ~PluginController();

  // List A then list B, in their order.
  void collectGroups(PatchGroupList& out) const;
  const PatchGroupList& startupGroups() const noexcept { return startupGroups_; }
  const PatchGroupList& modeGroups() const noexcept { return modeGroups_; }
  // The window hook made at the first game-state event in INIT; empty before and after shutdown.
  const std::shared_ptr<host::HostWindowHook>& windowHook() const noexcept { return windowHook_; }

  // The handlers, called through their listener nodes with the event record.
  void gameStateHandler(const void* record);
  void wheelDataHandler(const void* record);
  void shutdownHandler(const void* record);

 private:
  PluginController();

  void buildPatchGroups();
  void applyModeGroups();

  // Group builders; each appends its group to its list.
  void buildSoundGroup();
  void buildGameStuffGroup();
  void buildFullscreenWindowGroup();
  void addMemberPatchGroup();
  void buildCenterMenuGroup();
  void buildLoadDataGroup();
  void buildMainHookGroup();
  void buildKeyAliasTables();
  void buildAspectRatioGroup();
  void buildTrackLoadingGroup();

  // Start-up: the clocks, the daemon clients and the workers, then the runtime plugin folder.
  void startRuntime();
  void loadRuntimeDlls();

  // Steps of the game-state handler, in their order.
  void bindHostMenus();
  void buildTrackLists();
  void hookHostWindow();
  void prepareLoading();
  void initializeTrack();
  bool loadCarParameters();
  void startTelemetryRecording(bool start);

  host::HostListenerNode gameStateNode_;
  host::HostListenerNode wheelDataNode_;
  host::HostListenerNode shutdownNode_;
  PatchGroupList startupGroups_;
  PatchGroupList modeGroups_;
  std::unique_ptr<hooks::HeadGasket> headGasket_;  // host code holds the addresses of its floats
  std::shared_ptr<PatchGroup> headGasketGroup_;
  std::shared_ptr<PatchGroup> trackNameGroup_;
  std::shared_ptr<PatchGroup> carSetupGroup_;
  std::shared_ptr<host::HostWindowHook> windowHook_;
};

// Plugin values that host code or other parts read; fixed addresses for the life of the process.
extern float replayGripValue;
extern float gearChangeIndicatorDelta;
// The four wheel records (LF, RF, LB, RB) copied on every wheel-data event.
constexpr std::size_t kWheelRecordSize = 788;
extern std::uint8_t wheelRecordSnapshot[4][kWheelRecordSize];

// The skid-sound scale for a threshold option value: clamped to 10..200, divided by 100.
float skidSoundScaleFor(int threshold) noexcept;
// The gear-change indicator delta for the option value: a negative value gives 200.
float gearChangeIndicatorDeltaFor(int deltaRpm) noexcept;

}  // namespace kvl
