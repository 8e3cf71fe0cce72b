#pragma once
// The host's window and frame loop: a real window with the host's window procedure, frames of
// per-frame calls for a stretch of wall time, and the close of the window through the message
// loop.
#include <cstdint>

namespace hostsim {

// Creates the host window and records it in the renderer object; false when no window could be
// made.
bool createHostWindow();
// Runs the host's frame loop for that many seconds and at least minFrames frames: messages, then
// the frame's calls.
void runFrameLoop(double seconds, int minFrames = 0);
// Sends WM_CLOSE to the window and runs the message loop until WM_QUIT; returns its exit code.
int closeHostWindow();

}  // namespace hostsim
