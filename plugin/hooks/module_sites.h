#pragma once
// Sites in Spindle3D.DLL and Railwise.DLL for patch rows. While the host has recorded no load
// address for the module, the bare offset could be mapped memory of the process: the site is
// then the null page, where a patch never applies and its group shows "Failed".
#include "plugin/host/binding/module_address.h"

namespace kvl::hooks {

class SpindleSite : public host::Spindle3DAddress {
 public:
  using host::Spindle3DAddress::Spindle3DAddress;
  void* resolve() const override {
    if (host::HostModuleTable::spindleBase() == 0) return nullptr;
    return host::Spindle3DAddress::resolve();
  }
};

class RailwiseSite : public host::RailwiseAddress {
 public:
  using host::RailwiseAddress::RailwiseAddress;
  void* resolve() const override {
    if (host::HostModuleTable::railwiseBase() == 0) return nullptr;
    return host::RailwiseAddress::resolve();
  }
};

}  // namespace kvl::hooks
