#pragma once
// The host's race object, its list of timed race events and the per-frame update call the
// plugin wraps.
#include <istream>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> raceEntries();

// The one race object (4096 bytes, pattern-filled) behind the host's race global; other models
// fill the fields they need (the dashboard's lamp positions and engine speed).
unsigned char* hostRace();
// The car moved `metres` along the stage's drive line: the travel distance, the location on the
// drive line, the distance to its end and the progress follow.
void advanceRaceDistance(float metres);

// A physics step of the host ran on the worker: its seconds join the time the race should show
// (while the hold word is 0), summed as the race's own float is.
void noteWorkerStep(float seconds);

// Scenario steps, after "race":
//   event KIND TIME [FLAGS]   appends an event to the list (FLAGS hex; bit 14 puts the kind in
//                             the flags, as the host does)
//   mode N                    the game mode (7 is rally school)
//   time                      traces the race's elapsed time (float +320)
//   hold N                    the race's hold word (+324): no time is added while it is not 0
//   eventflag N               what the host's event-flag query answers
//   stall SECONDS             the host thread is busy that long without a frame
//   total                     traces "host race time T worker steps S": the race's elapsed time
//                             and its start plus the seconds of every worker step since
//   update NOW                the host's per-frame event update call (site 0x478981)
// Host listeners on the race-event and race-values sources trace what they receive.
bool runRaceStep(std::istream& in);

}  // namespace hostsim
