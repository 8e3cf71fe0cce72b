#include "plugin/host/model/gear_lamps.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/gear_lamp_colours.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_menu_renderer.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/model/host_race.h"
#include "plugin/host/model/host_object_bindings.h"

namespace kvl {
float gearChangeIndicatorDelta = 200.0f;
}  // namespace kvl

namespace kvl::host {
namespace {

constexpr std::int32_t kLampGlyph = 279;
// Where the host keeps an engine's base speed and each gear's own shift speed is not known, so
// every gear of every car takes the shift point the lamps take without engine data.
constexpr float kShiftPointRpm = 5500.0f;

void* pointerAt(const void* object, std::size_t offset) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}

// The dashboard layout record, when the race's dashboard link is complete.
const void* dashboardLayout(const void* race) {
  const void* link = HostRace::dashboardLink(race);
  if (link == nullptr) return nullptr;
  const void* view = pointerAt(link, 64);
  if (view == nullptr) return nullptr;
  return pointerAt(view, 4);
}

struct LampPlaces {
  float x[2];
  float y[2];
};

LampPlaces places(const void* race, bool secondSet) {
  LampPlaces p{};
  if (const void* layout = dashboardLayout(race)) {
    const std::size_t offsets = secondSet ? 768 : 104;
    // The second set is placed from the dashboard's first position block.
    const float* origin = secondSet ? HostCockpit::dashLayout(race) : &fieldAt<float>(layout, 0);
    const auto bx = static_cast<float>(static_cast<std::int32_t>(origin[0]));
    const auto by = static_cast<float>(static_cast<std::int32_t>(origin[1]));
    p.x[0] = bx + fieldAt<float>(layout, offsets);
    p.x[1] = bx + fieldAt<float>(layout, offsets + 4);
    p.y[0] = by + fieldAt<float>(layout, offsets + 8);
    p.y[1] = by + fieldAt<float>(layout, offsets + 12);
    return p;
  }
  // The second set's base pair sits at the start of the race object.
  const std::int32_t* base = secondSet ? HostCockpit::self(race) : HostRace::displayBase(race, false);
  const std::int32_t* offsets = HostRace::lampOffsets(race, secondSet);
  for (int i = 0; i < 2; ++i) {
    p.x[i] = static_cast<float>(base[0] + offsets[i]);
    p.y[i] = static_cast<float>(base[1] + offsets[2 + i]);
  }
  return p;
}

}  // namespace

}  // namespace kvl::host

extern "C" void qzrDrawGearLamps() noexcept {
  using namespace kvl::host;
  try {
    const void* race = HostRace::instance();
    void* game = HostGame::instance();
    if (race == nullptr || game == nullptr) return;
    void* renderer = HostGame::menuRenderer(game);
    if (renderer == nullptr) return;
    const LampColours colours = lampColours(kShiftPointRpm - HostRace::engineSpeed(race), kvl::gearChangeIndicatorDelta);
    const bool secondSet = fieldAt<std::int32_t>(hostControls(), 1268) != 0;
    const LampPlaces at = places(race, secondSet);
    const LampColour* lamp[2] = {&colours.first, &colours.second};
    // The renderer's operations include none that sets a colour from four values, so a lit lamp
    // is drawn in the renderer's current colour and a dim lamp is not drawn.
    for (int i = 0; i < 2; ++i) {
      if (lamp[i]->alpha < 1.0f) continue;
      HostMenuRenderer::drawTextId(renderer, kLampGlyph, at.x[i], at.y[i]);
    }
  } catch (...) {
  }
}
