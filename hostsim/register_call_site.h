#pragma once
// Call sites that host code runs while it holds an object in ESI.
#include <cstdint>
#include <vector>

namespace hostsim {

// Runs the call site with `esi` in ESI (EBX and EDI holding known values) and `self` in ECX;
// traces "site stack words left N" and "site registers kept" or the registers the target
// changed among EBX, ESI and EDI.
std::uint32_t runRegisterCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t esi,
                                  std::uint32_t self = 0);
// The same for a target with a float result in ST(0).
float runRegisterFloatCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t esi,
                               std::uint32_t self = 0);

}  // namespace hostsim
