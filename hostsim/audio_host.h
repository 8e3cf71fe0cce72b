#pragma once
// The host's audio side and a moving car: the audio object with its listener and sound system
// (28 sound levels), the current car with its wheels, engine data and drivetrain, the maths
// routine that carries vectors into the car's frame.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> audioEntries();
// The sound system's code: the per-frame sound-update object with its table (0x73574C), the
// sound manager's update and deferred calls, the flag routine, three sound constants' readers.
std::vector<AddressEntry> soundSystemEntries();

// Scenario steps:
//   drive N [S]    N GAME frames (spread over S seconds of wall time, and no more frames once
//                  they have passed) with the car speeding up: the host's tick counter advances,
//                  the engine event is raised through its site (0x5191A9), the replay-frame
//                  source is raised and the frame's step call runs
//   carchange V    raises the car-changed source with the value V (-1: no car)
//   drivetrain none|back   takes the car's drivetrain away (its pointer +1208 null) or gives it back
//   drivetrain mark        fills the drivetrain's words with sentinels (all but +1116 and +1408)
//   drivetrain check       traces the drivetrain's shown gear (+1392) and how many of its other
//                  marked words (besides +900 and +1356, which the frames write) changed
//   sound ticker [R S]  builds the per-frame sound-update object through its site and runs slot 2
//                  in 20 frames, or once per frame at R frames per second for S seconds
//   sound toggles S    reads the operand at 0x4D2778 for S seconds without a frame and traces
//                  how often its value changed ("host sound toggle changed N times in S s")
//   sound queue V  the manager call with V through 0x4DCEDD (V even) or 0x4DCFE3 (V odd)
//   sound update   the manager's per-frame update through 0x4D4A3E; its slot calls trace
//                  "host soundManager play V" and "host soundManager flush", each with
//                  " outside its lock" when the calling thread does not hold the manager's lock
//   sound flag V   the flag routine at 0x4DB347 called with V; traces the call's stack balance
//                  and the sound system's flag word
//   sound stage    traces the audio stage's word +540 ("host audio stage word V")
//   levels         traces the 28 host sound levels ("host levels v0 v1 ...")
//   daemon kill NAME    ends the daemon process of that executable name
//   daemon check NAME   traces "host daemon NAME running" or "host daemon NAME gone"
bool runAudioStep(const std::string& step, std::istream& in);
// The events of the n-th driven GAME frame (what a drive step raises, without the step call);
// the race clock advances by the frame only when asked.
void driveFrameEvents(std::int32_t frame, bool advanceRaceClock);
// The host's per-frame engine event through its site, with the engine of the n-th driven frame.
void raiseEngineEvent(std::int32_t frame);

}  // namespace hostsim
