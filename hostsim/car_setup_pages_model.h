#pragma once
// The host's car-setup pages as the plugin builds on them: the value-row constructor (0x550130)
// and its rows, which step a 16-byte value within its range, the menu page and page item
// constructors, the grid page table (0x744204), the base UI table, the option record
// (0x558570, table 0x7452AC), the menu manager's page showing and the call that creates the
// differentials page (0x560F79).
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendCarSetupPageRows(std::vector<AddressEntry>& rows);
// Whether the object was made by the host's menu page constructor (0x5850B0).
bool isHostMenuPage(const void* object);

// Scenario steps (false for any other step):
//   setupfloat setup|ranges OFFSET VALUE   stores a float in the car setup or its ranges
//   setupint setup|ranges OFFSET VALUE     stores an integer
//   failnew N                  the N-th next host allocation fails (rows included)
//   difftorque                 the host creates its differentials page through its call and
//                              shows the menu it got
//   carsetupentry N            the host lays out its damper menu and runs the callback of entry N
//                              (0 "DampersEnhanced", 1 "BumpStopSettings")
//   settingsentry N            runs the callback of item N of the shown bump-stop settings menu
//   settingsevent shown|changed   the shown menu's handler registered for that event
//   bumpswitch V               the progressive switch's word becomes V
//   gridkey EVENT...           the shown page's input slot with each event (hex) in turn
//   griddraw                   the shown page's draw slot at (10, 20)
//   gridshown                  the shown menu's page-shown callback (the labels)
//   gridcursor SELECTION       the controls' menu cursor selection word
//   gridclose                  the shown page's destroy slot with 1
bool runCarSetupPageStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
