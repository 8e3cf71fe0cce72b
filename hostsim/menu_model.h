#pragma once
// The host's menus: the setup entries that lay out a page with its items, the item classes the
// plugin builds entries of (their tables and constructors), page events and callbacks, the
// language menus, the localisation object with the host's language and texts, and the car-setup
// ranges object the car-setup menu reads.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

constexpr std::uint32_t kMenuSetup = 0x541B80;
constexpr std::uint32_t kMenuSetupB = 0x541D60;
constexpr std::uint32_t kControlsMenuSite = 0x55D40D;
constexpr std::uint32_t kOptionsMenuSite = 0x594B9F;
constexpr std::uint32_t kCarSetupMenuSite = 0x5571CD;
constexpr std::uint32_t kLocalizationGlobal = 0x8935E0;
constexpr std::uint32_t kCarSetupRangesGlobal = 0x7ECD04;
constexpr std::uint32_t kControlsMenuCursor = 0x16607F8 + 200;
// The host data a controls entry's action binding takes.
constexpr std::uint32_t kControlsActionData = 0x165F83C;
constexpr std::uint32_t kLanguageOffset = 6852;  // in the game object

// The host's menu page is 212 bytes.
constexpr std::uint32_t kHostMenuPageSize = 212;

void appendMenuRows(std::vector<AddressEntry>& rows);

// A new host menu page watched under `name`, as the host's page constructor leaves it: no entries
// laid out (array +12, count +20), no callbacks registered (+32, +36, +40), no items kept from a
// setup call (count +44, array +48) and no item placed (+52).
unsigned char* newHostMenuPage(const std::string& name);

// Scenario steps (false for any other step):
//   menu controls|options|carsetup [N]   the host builds that menu (with its first N items only,
//                                    when N is given and smaller) through its setup call site, traces
//                                    the laid-out items, runs the page's state callback (car
//                                    setup), then destroys the items
//   ranges A F                       the car-setup ranges: integer parameter A, first float F
//                                    (the other five 1)
//   language N                       the host's current language id
//   cursor ENTRY FLAG                the controls' menu cursor: entry index and flag word
//   languagemenu preselect|follow|apply   the host runs that callback of its language menus
bool runMenuStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
