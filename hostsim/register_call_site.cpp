#include "hostsim/register_call_site.h"

#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"

extern "C" std::uint32_t hostsimInvokeSiteEsi(const void* fragment, const std::uint32_t* args, int count,
                                              std::uint32_t self, std::uint32_t esi);
extern "C" float hostsimInvokeFloatSiteEsi(const void* fragment, const std::uint32_t* args, int count,
                                           std::uint32_t self, std::uint32_t esi);
extern "C" std::int32_t hostsimSiteStackLeft;
extern "C" std::uint32_t hostsimSiteRegisters[3];

namespace hostsim {
namespace {

void traceRegisters(std::uint32_t esi) {
  trace("site stack words left " + std::to_string(hostsimSiteStackLeft / 4));
  std::string changed;
  if (hostsimSiteRegisters[0] != 0xB2B2B2B2u) changed += " ebx";
  if (hostsimSiteRegisters[1] != esi) changed += " esi";
  if (hostsimSiteRegisters[2] != 0xD1D1D1D1u) changed += " edi";
  trace(changed.empty() ? "site registers kept" : "site registers changed" + changed);
}

const void* fragmentOf(std::uint32_t siteAddress) {
  noteHostCodeRun(siteAddress - 1, siteAddress + 4);
  return reinterpret_cast<const void*>(siteAddress - 1);
}

}  // namespace

std::uint32_t runRegisterCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t esi,
                                  std::uint32_t self) {
  const std::uint32_t result =
      hostsimInvokeSiteEsi(fragmentOf(siteAddress), args.data(), static_cast<int>(args.size()), self, esi);
  traceRegisters(esi);
  return result;
}

float runRegisterFloatCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t esi,
                               std::uint32_t self) {
  const float result =
      hostsimInvokeFloatSiteEsi(fragmentOf(siteAddress), args.data(), static_cast<int>(args.size()), self, esi);
  traceRegisters(esi);
  return result;
}

}  // namespace hostsim
