#pragma once
// A scenario: one step per line, "#" starts a comment.
//   create                      load Plugins/QZR.dll and call KVL_CreatePlugin
//   state N                     raise the game-state source with N, then enter state N
//   frame                       the plugin object's draw slot
//   key C                       the plugin object's input slot with character C
//   name                        trace the plugin object's name
//   site material A B           run the material-table call site with floats A and B
//   site pressure P B X D       run the pressure call site with four words
//   wheels                      raise the wheel-data source
//   operand ADDRESS [float|floatword]  run the operand site at ADDRESS (hex) and trace the value
//                               read (floatword: the 32 bits read, shown as a float)
//   window                      the host creates its window (display_model.h)
//   graphics                    the host builds and uses its graphics object (display_model.h)
//   menu, ranges, language, cursor, languagemenu   the host's menus (menu_model.h)
//   race, dashboard, lamps      the driving display's lamps (renderer_model.h)
//   slotmenu, slotconfirm       the setup-slot dialogs (slot_dialog_model.h)
//   shutdown                    raise the shutdown source
//   replay ...                  the host's replay code (hostsim/replay.h lists the steps)
//   path ...                    the host's driving-path calls (hostsim/driving_path.h)
#include <istream>
#include <string>

namespace hostsim {

// Runs the steps; the result is the host's exit code (0, or 3 for a bad scenario).
int runScenario(std::istream& steps);

}  // namespace hostsim
