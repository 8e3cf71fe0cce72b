#pragma once
// The player changes a setting of Korvala.ini (in the game folder) while the game runs.
//
// Scenario step (false for any other):
//   inikey SECTION KEY VALUE   writes KEY=VALUE into [SECTION]
#include <istream>
#include <string>

namespace hostsim {

bool runSettingsEditStep(const std::string& step, std::istream& in);

}  // namespace hostsim
