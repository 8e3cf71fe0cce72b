#pragma once
// The drawing interface the host hands to its plugins with KVL_CreatePlugin: an object whose
// first word points at a table of member functions. The simulated host traces every call:
//   draw begin X Y W H | draw text X Y "TEXT" | draw box X Y W H | draw rect X Y W H
//   draw value X Y V   | draw style N        | draw colour index N | draw colour R G B A
// Slots the plugin has no use for trace "host draw slot N".

namespace hostsim {

// The object passed to the plugin.
void* hostDrawInterface();

}  // namespace hostsim
