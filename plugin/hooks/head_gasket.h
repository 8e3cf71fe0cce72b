#pragma once
// The "Head Gasket" feature: seven patches that make the host's head-gasket code scale and shift
// one value by two floats of this object, per the option headGasketDurability.
#include <memory>

#include "plugin/hooks/head_gasket_values.h"
#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

class HeadGasket {
 public:
  // Reads the option and builds the group; host code will hold the addresses of the floats, so
  // the object must not move for the life of the process.
  HeadGasket();
  HeadGasket(const HeadGasket&) = delete;
  HeadGasket& operator=(const HeadGasket&) = delete;

  std::shared_ptr<PatchGroup> patchGroup() const { return group_; }
  const HeadGasketValues& values() const noexcept { return values_; }

 private:
  HeadGasketValues values_;
  std::shared_ptr<PatchGroup> group_;
};

}  // namespace kvl::hooks
