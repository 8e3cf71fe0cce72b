#pragma once
// The host's stage manager with its stage-load record (+112: map number at +32, track data
// object at +44) and the host's ini reader's string read (0x411420), which the track data's ini
// handler answers from its file (name at +28).
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendTrackIniRows(std::vector<AddressEntry>& rows);

// The stage manager behind host global 0x7EA678.
unsigned char* stageManager();

// Scenario steps (false for any other step):
//   loadmap N     the stage-load record holds map N and a track data object whose ini handler
//                 reads Maps\Tracks.ini
// Each string read traces "host ini FILE [SECTION] KEY -> VALUE".
bool runTrackIniStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
