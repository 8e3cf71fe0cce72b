#pragma once
// The host's surface-effects object and its per-frame step (host 0x5E2850), called from eight
// sites of the host's frame code with the host's own frame time.
#include <istream>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> effectsStepEntries();

// Scenario step:
//   effects SITE WAIT_MS   sleeps WAIT_MS, then runs the frame-step call at SITE (hex) on the
//                          effects object with a frame time of 0.5 s; traces
//                          "effects site SITE stepped N" (the host steps it caused), after each
//                          host step "host effects step SECONDS"
bool runEffectsStep(std::istream& in);

}  // namespace hostsim
