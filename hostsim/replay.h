#pragma once
// The host's replay object and the replay code the plugin redirects: the record, raise, play,
// finished and restart calls, and the inline code that loads and saves the replay's runs.
#include <istream>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> replayEntries();
// The host's replay object, laid out idle: not recording or playing, at normal speed, its
// clock's listener node linked behind a host node in a host list of its own.
unsigned char* newReplayObject();
// One frame of the host's replay playback: its frame-raise call, then its play call.
void playReplayFrame();

// Scenario steps, after "replay":
//   mode N                  the replay mode word (1 while a replay plays)
//   restart [SITE]          the host's restart call (site 0x4806C7, or the other one at SITE)
//   record HEX [COUNT]      sets the control record (up to 9 bytes, hex) and records COUNT frames
//                           (default 1) through the record call
//   raise [SITE]            the frame-raise call (site 0x47F4CE, or the other one at SITE); a
//                           host listener on source 1 traces the record
//   save                    the host saves: the inline save code with EDI at a buffer sized by
//                           the last run; traces the bytes written
//   load [LAST [SITE]]      the host loads what it saved (header and runs; LAST overrides the
//                           stored last run) through its load code (0x499BE5, or the other
//                           copy at SITE) and enters playback at run 0, frame 1
//   play                    the host's play call, then its finished test
//   speed F                 the replay's speed factor (float at +4)
//   clocknode               traces the clock's listener node and its list: "replay clock
//                           node next N prev P list L count C" (N, P 0 or "set"; L, C of the
//                           list the node was laid out in)
//   driven                  traces what the driven frames recorded since the last restart:
//                           "replay recorded N driven frames stack words left W clock
//                           afterRecord A other O", then the replay's state
// False for an unknown step.
bool runReplayStep(std::istream& in);

// The host's recording of one driven frame in GAME: the 9-byte control record of the frame's
// inputs goes into the replay object and the record call (site 0x47F4C3) runs. The call moves
// the replay's tick counter; a frame it does not record (no recording on) still counts a tick.
void recordDrivenFrame(const unsigned char* control);

}  // namespace hostsim
