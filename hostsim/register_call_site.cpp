#include "hostsim/register_call_site.h"

#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"
#include "hostsim/site_invoker.h"

namespace hostsim {
namespace {

void traceRegisters(const SiteOutcome& outcome, std::uint32_t esi) {
  trace("site stack words left " + std::to_string(outcome.stackBytesLeft / 4));
  std::string changed;
  if (outcome.registers[0] != 0xB2B2B2B2u) changed += " ebx";
  if (outcome.registers[1] != esi) changed += " esi";
  if (outcome.registers[2] != 0xD1D1D1D1u) changed += " edi";
  trace(changed.empty() ? "site registers kept" : "site registers changed" + changed);
}

const void* fragmentOf(std::uint32_t siteAddress) {
  noteHostCodeRun(siteAddress - 1, siteAddress + 4);
  return reinterpret_cast<const void*>(siteAddress - 1);
}

}  // namespace

std::uint32_t runRegisterCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t esi,
                                  std::uint32_t self) {
  SiteOutcome outcome;
  const std::uint32_t result =
      hostsimInvokeSiteEsi(&outcome, fragmentOf(siteAddress), args.data(), static_cast<int>(args.size()), self, esi);
  traceRegisters(outcome, esi);
  return result;
}

float runRegisterFloatCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t esi,
                               std::uint32_t self) {
  SiteOutcome outcome;
  const float result =
      hostsimInvokeFloatSiteEsi(&outcome, fragmentOf(siteAddress), args.data(), static_cast<int>(args.size()), self, esi);
  traceRegisters(outcome, esi);
  return result;
}

}  // namespace hostsim
