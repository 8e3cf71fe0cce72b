#pragma once
// Spindle3D.DLL's loading of a stage's track geometry: the whole-file read of the LBS file, the
// module's processing of its frames with the geom-blocks, object-block and visible-objects
// routines (each parses its bytes from the loader's read buffer and traces how many it took and
// their digest), the per-segment object lists, the object-block holder, and the host
// application object that holds the render lists.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendStageRows(std::vector<AddressEntry>& rows);

// The host application object (host global 0x7EA990); its member at +0x40.
unsigned char* applicationPaths();
// The application object itself.
unsigned char* applicationObject();

// Scenario steps (false for any other step):
//   makestage NAME KIND   writes Maps/NAME.lbs as KIND: whole (every frame in the LBS file),
//                         split (the geom blocks, object blocks and visible objects frames in
//                         Maps/NAME.lb2, the rest in the LBS file) or stale (whole, with an LB2
//                         file of other geom blocks beside it)
//   loadstage NAME [nolists]
//                         the module loads Maps/NAME.lbs (with nolists, the segment structure's
//                         vector holds no object list meanwhile): its read call (0x60052284), then
//                         its processing call (0x600523BC). Traces "host lbs read N bytes" (or
//                         "host lbs read failed"), then per routine "host geom header DIGEST",
//                         "host geom blocks N bytes DIGEST", "host object block N bytes DIGEST",
//                         "host visible objects N bytes DIGEST", "host list I add", "host holder
//                         built", "host lbs segment T1 T2 N bytes" for other frames, and at the
//                         end "host lbs loaded, holder set|none, read buffer kept|changed",
//                         "host object lists hold N0 N1 N2" (the blocks filed per segment) and,
//                         after a read, "host lbs block released on the process heap" (or "host
//                         lbs block not of the process heap")
bool runStageStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
