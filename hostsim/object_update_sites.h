#pragma once
// The host's per-object updates: 18 member calls (object in ECX, no stack argument, nothing back)
// of the host's update routine, which marks the object it updated.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> objectUpdateEntries();

// Scenario step:
//   objectupdates  runs every site with an object of its own, then the first with a null
//                  object; traces per site "object update SITE marked by host", "... unchanged"
//                  or "... altered", then "object update null survived"
bool runObjectUpdateStep(const std::string& step, std::istream& in);

}  // namespace hostsim
