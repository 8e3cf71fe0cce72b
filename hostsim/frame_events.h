#pragma once
// The events the game raises in each frame of its loop, by game state.

namespace hostsim {

// In GAME those of a driven frame (the car moves on, the replay records the frame, the engine
// event and the replay-frame source are raised); in REPLAY the replay plays its frame (its
// frame-raise call, then its play call) and the engine event is raised; nothing in other states.
void raiseLoopFrameEvents();

}  // namespace hostsim
