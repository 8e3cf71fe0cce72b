#pragma once
// The host's side of the rally event's repair service: the service's second action (0x5AFE00),
// the clock's time setting (0x5B0050), the stage folder (0x47C7D0), the repair-list builder
// (0x5B16F0) with its 84-byte entries, the per-index stage record (0x5D0300: the record of the
// active event table), the wheel refresh (0x5AFE40), the wheel and wheel-part entry constructors
// (0x501960, 0x501010) with the entry tables (generic 0x739C1C, wheel 0x739D88, wheel part
// 0x739CC0), and the serviced object: the part table (its class table 0x73947C, the serviced
// car's state at +4, an entry per part id from +8) and its update (0x4F2BB0).
//
// Scenario steps:
//   serviceactionb V        the service's second action answers V from now on (0 at start)
//   failentry ID            the next construction of an entry for part ID raises the host's
//                           exception before it writes anything ("host KIND entry construct
//                           raising")
//   repairservice           the service's part table is laid out afresh (its old entries for
//                           parts 106 and 105 the host's own), then the host runs the event
//                           page's action; traces the clock, each repair entry ("host repair
//                           entry ID: +56 A +60 B +64 C +68 D, N other words changed"), and what
//                           became of the part table (an entry's id and wheel "unset" while
//                           they hold the runtime allocator's pattern); the stage record the
//                           plugin asks for is traced with its crew ("host stage record I,
//                           mechanics M skill S")
//   servicepart ID SLOT     the host calls slot SLOT (0 or 1) of the part table's entry for ID
//                           with the serviced car's state ("host part ID slot S [result R] stack
//                           words left N registers kept", the result for slot 0 only; a slot
//                           that is the host's own traces itself too)
// The serviced car's wheel records (+15620 + 32w) average 0.375, 0.5, 5 and 0.125; its wheel-part
// records' eight floats from +20 (+15364 + 56w) average 0.75, 1, 0 and 0.25.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendServiceRepairRows(std::vector<AddressEntry>& rows);
bool runServiceRepairStep(const std::string& step, std::istream& in);
// Called by the host runtime's free before a block goes back: the repair service's objects are
// looked at on their way out.
void noteRuntimeFree(void* block);

}  // namespace hostsim
