#pragma once
// The companion plugin: another module in the host's process that finds the plugin's
// CreateProxy export by name and drives the two interfaces of the objects it returns.
#include <istream>
#include <string>

namespace hostsim {

// Scenario steps, after "proxy":
//   create                      two objects from CreateProxy; traces their interfaces
//   configure STAGE M S MINUTES the control interface's configure (first object)
//   write LENGTH                writes a record whose table word is DEADBEEF and whose byte i is
//                               i & 0xFF (second object)
//   read LENGTH                 reads into a buffer of LENGTH bytes (at least a record) filled
//                               with CC; traces the result, the table word and the bytes
//   start | end                 the control interface's start and end; traces the host tables
//   damage                      the host changes player record 0 (byte 100 = 77)
//   value | reset | query       the remaining control slots
//   free                        slot 0 of both objects with flags 1
// Every call traces "proxy call stack words left N registers kept|changed".
bool runCompanionStep(std::istream& in);

}  // namespace hostsim
