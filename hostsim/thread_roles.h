#pragma once
// Which of the plugin's worker threads a thread is, told by the host code it runs: the physics
// step (the physics worker), the input update (the input worker), the input device's readiness
// test (the force-feedback worker). When such a thread ends, the host's thread-detach
// notification traces "host thread ended: ROLE worker" on that thread, before anything waiting
// for the thread (a join) goes on.
namespace hostsim {

// Records the calling thread's role, unless it is the host thread or has a role already.
void noteThreadRole(const char* role);

}  // namespace hostsim
