#pragma once
// How often the plugin's sound tick runs per host frame: the host's sound code reads the value
// the tick alternates (0x4D2778) at every physics step, on whichever thread steps, and the sound
// daemon's FMOD stand-in traces one Studio update per request it serves.
//
// Scenario step:
//   soundticks N [drive]   after one frame to settle, N host frames at 60 per second (with
//                          drive: each a GAME frame of a driving car, its engine event
//                          included); traces
//                          "host sound ticks N frames, S steps: H on the host, W on the worker",
//                          "host sound toggle changed between C of P step pairs" and
//                          "host sound daemon requests R in N frames" (R: the daemon's Studio
//                          updates in those frames, less any that a quiet pause of the daemon's
//                          own may have added where two frames lay 0.19 s or more apart)
#include <istream>
#include <string>

namespace hostsim {

// Called by the host's physics step, on the thread that steps.
void noteSoundTickStep();
bool runSoundTickStep(const std::string& step, std::istream& in);

}  // namespace hostsim
