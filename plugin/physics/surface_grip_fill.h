#pragma once
// Fills the host's surface grip table on every stage load: the physics time step, gravity, and
// the 144 entries of the value set that the car's revision chooses.
namespace kvl::physics {

constexpr float kPhysicsTimeStep = 1.0f / 720.0f;

// savedReplayStep: the replay object's time step saved on the last change to state 5, used
// while a replay is played (replay mode 1).
void fillSurfaceGripTable(void* table, float savedReplayStep);

}  // namespace kvl::physics
