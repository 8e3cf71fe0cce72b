#pragma once
// The host's event raises by site, on one source of their own (90), each with a record of the
// site's size (a one-word record is passed as the word) whose first word is the site's address,
// and a listener of that source that reads the whole record and notes where each raise arrived:
// inline, in the middle of the raising call, or later, posted to the thread that runs it.
//   events now SITE...    raises each site (hex) at once on the host thread, then traces how each
//                         one arrived
//   events step SITE...   the next host physics step raises each site, on whichever thread runs
//                         the step (the host's or the worker's)
//   events counter N      sets the host replay counter (which some adapters read while the worker
//                         steps)
//   events check          traces how each raise queued by "events step" since the last check
//                         arrived
// An address that is none of these sites is traced as "host event ADDRESS is no event site".
// Trace: "host event SITE inline on host|worker", "host event SITE posted on host|worker" (once per
// delivery, with ", record changed from byte B" when the record it got differs from the one
// raised), or "host event SITE not delivered".
#include <istream>
#include <string>

namespace hostsim {

bool runHostEventSiteStep(const std::string& step, std::istream& in);
// Called by the host's physics step: raises the sites an "events step" queued.
void raiseQueuedEventSites();

}  // namespace hostsim
