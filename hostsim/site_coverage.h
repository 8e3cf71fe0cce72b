#pragma once
// Which stretches of host code ran, and which host data the code that ran read: when the
// environment variable QZR_SITE_COVERAGE names a file, every stretch that the simulated host ran
// is appended to it when the host exits, once, as "START END" in hexadecimal (END exclusive), and
// every stretch of host data that host code read as "START END read", so that a report can tell
// which patched sites were executed or read.
#include <cstdint>

namespace hostsim {

void noteHostCodeRun(std::uint32_t start, std::uint32_t end);

// Host data (a table entry, a constant, a word the host keeps) that host code which ran read.
void noteHostDataRead(std::uint32_t start, std::uint32_t end);

// Notes the first byte of where the call whose 32-bit operand is at `operand` leads (a host
// entry the plugin may have patched, or the entry a redirected call now reaches), after the call
// ran.
void noteCallTargetRun(std::uint32_t operand);

// A host routine was entered with `returnAddress` on the stack: when a CALL (E8) of host code
// ends there, that call ran (the routine's caller is host code, or code the plugin wrote into
// the host).
void noteCallerRun(std::uint32_t returnAddress);

}  // namespace hostsim
