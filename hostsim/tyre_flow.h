#pragma once
// The host's tyre step over many ticks as its physics step makes it: each tick it evaluates the
// wheel's contact with the road (a fresh contact record for the call) and runs its grip routine
// through a grip call (0x53E2A4), which makes the camber call (0x5362AB) inside it, on the tyre
// parameter record as the car file and the load pass left it. The record is the host's from one
// tick to the next: nothing refills it.
//
// Scenario steps (false for any other):
//   tyretables           wheel 0's tyre parameter record gets grip tables as a car file gives
//                        them: the 32 floats from +516 all 1
//   tyreflow TICKS SINE  TICKS tyre steps of wheel 0 at 200 km/h on gravel with the camber sine
//                        SINE (the last one traced); then traces "tyre flow TICKS ticks tables
//                        A B C D contact X", the record's +516, +544, +580, +608 and the contact's
//                        +72 after the last grip call (the wheel's tyre parts are attached by a
//                        chassis step such as wheelprep)
//   tyregas WHEEL [R T P V]   with four numbers the wheel's tyre gas state (at +96 of the tyre
//                        state: gas constant, temperature, pressure, volume) gets them; without,
//                        traces "tyre gas WHEEL R T P V"
#include <istream>
#include <string>

namespace hostsim {

bool runTyreFlowStep(const std::string& step, std::istream& in);

}  // namespace hostsim
