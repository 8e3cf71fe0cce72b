#pragma once
// Which stretches of host code ran: when the environment variable QZR_SITE_COVERAGE names a
// file, every stretch that the simulated host ran is appended to it when the host exits, once, as
// "START END" in hexadecimal (END exclusive), so that a report can tell which patched sites were
// executed.
#include <cstdint>

namespace hostsim {

void noteHostCodeRun(std::uint32_t start, std::uint32_t end);

// Notes the first byte of where the call whose 32-bit operand is at `operand` leads (a host
// entry the plugin may have patched, or the entry a redirected call now reaches), after the call
// ran.
void noteCallTargetRun(std::uint32_t operand);

}  // namespace hostsim
