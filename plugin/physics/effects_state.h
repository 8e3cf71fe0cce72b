#pragma once
// The host's surface-effects object (2704 bytes, global 0x166E378): its effect entries and the
// map from material ids to entries, completed on every change to state 13.
namespace kvl::physics {

struct EffectsState {
  // Nothing happens without the object or without the host's surface grip table.
  static void rebuildMaterials(void* effects);
};

}  // namespace kvl::physics
