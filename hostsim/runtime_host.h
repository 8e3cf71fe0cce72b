#pragma once
// The host's runtime pieces: its physics step and the frame call that reaches it, the event
// raises made by the step and the frame, the force-feedback device with a DirectInput effect
// stand-in, the input poll, and the plugin list with its loader.
#include <cstdint>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

// Rows of the address table for these pieces.
std::vector<AddressEntry> runtimeEntries();
// The objects behind their globals (replay, renderer, plugin list), made once.
void createRuntimeObjects();

// The force-feedback object whose DirectInput effect (+672) the force calls reach.
void* forceFeedbackObject();
// The host's renderer object (its window handle at +228).
void* rendererObject();

// The role of the calling thread in trace lines: "host" or "worker".
const char* threadRole();

// One frame of the host's loop: the step call, its neighbouring callback and the frame's raises.
void runFrameCalls(float stepSeconds);
// The force call with a magnitude, and the input poll with a value, through their sites.
void runForceSite(std::int32_t magnitude);
void runInputPollSite(std::int32_t value);
// One event raise through its site on source K (a host listener of K traces what arrives): the
// word itself at a one-word site, else a 256-byte record whose first word is `first`.
void runRaiseSite(std::uint32_t site, std::uint32_t source, std::int32_t first);

}  // namespace hostsim
