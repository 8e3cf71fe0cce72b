#pragma once
// The host's per-step item code: its tick consumer (global 0x167EA90), the item source behind the
// application object (+80) with its fill routines, the graphics read the plugin points at its
// stand-in, the item buffer with its three sizes, and the item reader whose three calls the
// plugin replaces.
//   batch items P A B RUNS   each primary fill writes P items, each run's first and second fill A
//                            and B, over RUNS runs
//   batch read M             the host's item reader with a run list of M entries: the primary
//                            call, the run call for each index, the neighbouring call, the
//                            device acquire and release calls, the graphics read; traces what
//                            each gave
//   batch failmalloc         the runtime's malloc gives null for a block of the item buffer's size
//   batch buffer             the item code's three instructions that take the buffer's address
//                            and its three sizes run: "batch buffer plugin|host|differs sizes A B C"
// Trace: "batch primary C items I serial S", "batch runs M counts ... items I",
// "batch stub Z", "batch acquire A", "batch graphics stand-in|host",
// "batch filled N last on host|worker emitter ...".
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> stepBatchEntries();
bool runStepBatchStep(const std::string& step, std::istream& in);
// Whether the runtime's malloc is to fail for a block of this size.
bool failsAllocation(std::uint32_t bytes);

}  // namespace hostsim
