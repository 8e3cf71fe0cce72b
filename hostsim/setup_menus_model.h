#pragma once
// The host's car-setup menus that the plugin binds while the host is in its INIT state: the four
// differential-map pages (menus 95 to 98), each a grid of 4 groups x 11 value items with a mode
// word, and the differentials page (menu 93) with its torque, handbrake and threshold rows. Each
// menu's first item carries the page as its dialog.
#include <istream>
#include <string>

namespace hostsim {

// Scenario steps (false for any other step):
//   setupmenus                 the host's menus 93 and 95 to 98 come into being (the menu manager
//                              lists them); the map pages have modes 0 to 3 and each an empty cell
//                              at group 3, row 10
//   setupmenu shown N          menu N runs the callback pair its page-shown event (2) registered;
//                              after menu 93 the five row labels are traced
//   setupmenu bound N          traces how map menu N's items point at their ranges: the items
//                              whose minimum, maximum and step lie in one table of 48-byte entries
//                              at the place of the page's mode, group and row, the items still on
//                              the host's own ranges, and whether the table is the one menu 95's
//                              items point into
//   setupmenu range N G R      traces "host setup menu N range G R MIN MAX STEP": the values that
//                              map menu N's item of group G, row R offers through its references
bool runSetupMenuStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
