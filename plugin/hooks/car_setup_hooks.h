#pragma once
// The "QZR Car Setup" group: the plugin's read routines in the virtual tables of the host's
// car-setup classes, and four adjustments of host code and data.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

class CarSetupHooks {
 public:
  CarSetupHooks();
  std::shared_ptr<PatchGroup> patchGroup() const { return group_; }

 private:
  std::shared_ptr<PatchGroup> group_;
};

}  // namespace kvl::hooks
