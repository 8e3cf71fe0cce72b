#pragma once
// Rows of the main hook group that change host code and data in place: literal bytes, host
// addresses written into host instructions, plugin floats the host then reads, and one host call
// pointed at another host routine. Each function adds its rows in patch order.
#include "plugin/hooks/patch_group.h"

namespace kvl {

// The skid-sound scales the host's sound code reads once the group is applied: 1.25 each until
// the controller's game-state handler sets them from their options at every INITIALIZE_TRACK.
extern float tarmacSkidSoundScale;
extern float skidSoundScale;

}  // namespace kvl

namespace kvl::hooks {

// The code rewrite after the engine map lookup row.
void addEngineMapCodeRow(PatchGroup& group);
// Among the vehicle physics rows: the tyre and engine code bytes (the first two, then one), the
// five runs of no-operations, the host call pointed at another host routine, and the two short
// jumps of the spring code.
void addTyreCodeRows(PatchGroup& group);
void addEngineCodeRow(PatchGroup& group);
void addHeatCodeRows(PatchGroup& group);
void addDamperCallRow(PatchGroup& group);
void addSpringJumpRows(PatchGroup& group);
// The two skid-sound scales' sites, after the first setup menu rows.
void addSkidSoundScaleRows(PatchGroup& group);
// Host menu addresses and the plugin's radians-to-degrees constant.
void addMenuAddressRows(PatchGroup& group);
// The layout of the setup menu pages: item counts, offsets and positions.
void addMenuLayoutRows(PatchGroup& group);
// The effects limits: a time in milliseconds and a switch, then the skid trail size and test.
void addEffectsLimitRows(PatchGroup& group);
void addSkidTrailCodeRows(PatchGroup& group);
// The engine-limit words after the idle band rows.
void addEngineLimitRows(PatchGroup& group);
// The host code changes that follow the replay rows.
void addHostCodeChangeRows(PatchGroup& group);

}  // namespace kvl::hooks
