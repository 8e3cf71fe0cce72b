#pragma once
// The events the game raises in each frame of its loop, by game state.
#include <cstdint>

namespace hostsim {

// In GAME those of a driven frame (the car moves on, the replay records the frame, the engine
// event and the replay-frame source are raised); in REPLAY the replay plays its frame (its
// frame-raise call, then its play call) and the engine event is raised; nothing in other states.
void raiseLoopFrameEvents();

// The host entering a game state sets the selector of the replay-frame source: 1 in GAME, while
// the car is driven, and 0 in every other state.
void selectFrameListeners(std::int32_t state);

}  // namespace hostsim
