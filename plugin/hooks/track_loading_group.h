#pragma once
// The hook set "Track Loading": Spindle3D.DLL's reading of the LBS file, the LB2 load, the geom
// blocks, the geometry reload, object ids and six drawing calls go through the plugin's track
// loader; adapters for the module's register-passing routines; byte changes in the module, in
// Railwise.DLL and in one routine of the host executable.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildTrackLoadingGroup();

}  // namespace kvl::hooks
