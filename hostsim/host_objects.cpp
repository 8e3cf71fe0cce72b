#include "hostsim/host_objects.h"

#include <cstring>

#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kGraphicsView = 228, kGraphicsViewBytes = 96;
// The menu ids the simulated host keeps a pointer for (the highest it uses is 109).
constexpr std::uint32_t kMenuCount = 128;

}  // namespace

HostObjects& hostObjects() {
  static HostObjects objects = [] {
    HostObjects o{};
    o.game = hostObject("game", 8192);  // language word at +6852
    // The graphics object: the module load addresses (+20, +28) and the view block of six
    // 16-byte rows at +228.
    o.graphics = hostObject("graphics", kGraphicsView + kGraphicsViewBytes);
    // The menu manager: its table word (the slot-dialog model installs the table) and its menu
    // pointers by id from +120, none made yet.
    o.menuManager = hostObject("menumanager", kMenuArrayOffset + 4 * kMenuCount);
    o.gameModes = hostObject("gamemodes", 4096);
    o.math = hostObject("math", 256);
    o.materialTable = hostObject("materialtable", 8);
    // The game starts in state 0 (INIT), no menu renderer, stage or car, language 0, its settings
    // record (+112) not filled yet (its word +1000 null).
    for (std::uint32_t at : {92u, 112u + 1000u, kGameStateOffset, 1840u, 1844u, 6852u}) put(o.game, at, 0u);
    // The driver's inputs (steering, throttle, brake, handbrake, clutch) at rest.
    for (std::uint32_t at = 2820; at <= 2836; at += 4) put(o.game, at, 0.0f);
    put(o.gameModes, 0, 0);  // no game mode chosen yet
    for (std::uint32_t id = 0; id < kMenuCount; ++id) put(o.menuManager, kMenuArrayOffset + 4 * id, 0u);
    // The view: a camera 2 above the origin looking along +z, each row's fourth word 0 or 1.
    static const float view[kGraphicsViewBytes / 4] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0,
                                                       0, 2, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0};
    hostWrite(o.graphics + kGraphicsView, view, sizeof view);
    // The material table's 256-byte map (word +4): byte k holds k.
    unsigned char* bytes = hostObject("materialmap", 256);
    for (std::uint32_t i = 0; i < 256; ++i) put(bytes, i, static_cast<std::uint8_t>(i));
    put(o.materialTable, 4, wordOf(bytes));
    return o;
  }();
  return objects;
}

std::int32_t gameState() {
  std::int32_t state = 0;
  std::memcpy(&state, hostObjects().game + kGameStateOffset, 4);
  return state;
}

void setGameState(std::int32_t state) { hostWrite(hostObjects().game + kGameStateOffset, &state, 4); }

void recordModuleBases(std::uint32_t spindle, std::uint32_t railwise) {
  hostWrite(hostObjects().graphics + kGraphicsSpindleOffset, &spindle, 4);
  hostWrite(hostObjects().graphics + kGraphicsRailwiseOffset, &railwise, 4);
}

}  // namespace hostsim
