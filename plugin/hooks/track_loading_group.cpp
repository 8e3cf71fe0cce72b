#include "plugin/hooks/track_loading_group.h"

#include <cstring>
#include <vector>

#include "plugin/hooks/module_sites.h"
#include "plugin/hooks/patch_payloads.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/tracks/lbs_load_hooks.h"
#include "plugin/tracks/track_draw_hooks.h"

namespace kvl::hooks {

namespace {

using host::HostAddress;
using host::hookAddress;
using host::MemoryPatch;

std::shared_ptr<MemoryPatch> callRow(const host::ModuleAddress& site, const void* target) {
  return MemoryPatch::redirection(site.resolve(), target);
}

const void* entry(host::HookWord word) { return reinterpret_cast<const void*>(word); }

#if QZR_HOST_ABI
host::HookWord readLbsFileEntry() { return hookAddress(&readLbsFileHook); }
#else
host::HookWord readLbsFileEntry() { return hookAddress(&tracks::qzrReadLbsFile); }
#endif

}  // namespace

std::shared_ptr<PatchGroup> buildTrackLoadingGroup() {
  auto group = std::make_shared<PatchGroup>("Track Loading", 0);
  // The operand of the module's call at 0x600704C0, one byte after the call's first byte: E8 is
  // the one call opcode whose 32-bit operand sits there, so it takes a displacement, not an address.
  group->add(callRow(SpindleSite(0x600704C1), entry(hookAddress(&tracks::lb2ObjectIndexHook))));
  // Adapters: the object from ECX into EDI, ESI or EBX for the module's register-passing routines.
  group->add(literalRow(SpindleSite(0x600526B0), {0x57, 0x89, 0xCF, 0xE8, 0xD8, 0x46, 0x00, 0x00, 0x5F, 0xC3}));
  group->add(literalRow(SpindleSite(0x600526C0), {0x56, 0x89, 0xCE, 0xE8, 0x78, 0x10, 0x00, 0x00, 0x5E, 0xC3}));
  group->add(literalRow(SpindleSite(0x600526D0), {0x56, 0x89, 0xCE, 0xE8, 0x18, 0x43, 0x00, 0x00, 0x5E, 0xC3}));
  // MOV ECX, ESI; JMP geometryReloadHook.
  const SpindleSite reloadEntry(0x600526E0);
  auto* reloadAt = static_cast<unsigned char*>(reloadEntry.resolve());
  std::uint8_t reload[7] = {0x89, 0xF1, 0xE9, 0, 0, 0, 0};
  const std::uint32_t jump =
      host::branchDisplacement(reloadAt + 3, entry(hookAddress(&tracks::geometryReloadHook)));
  std::memcpy(reload + 3, &jump, 4);
  group->add(std::make_shared<MemoryPatch>(reloadAt, reload, 7));
  group->add(callRow(SpindleSite(0x600525BE), reloadAt));
  group->add(literalRow(SpindleSite(0x6002DA40), {0x53, 0x89, 0xCB, 0x8B, 0x44, 0x24, 0x08, 0x50, 0xE8, 0x33, 0xFF,
                                                  0xFF, 0xFF, 0x5B, 0xC2, 0x04, 0x00}));
  group->add(callRow(SpindleSite(0x60052285), entry(readLbsFileEntry())));
  group->add(callRow(SpindleSite(0x600523BD), entry(hookAddress(&tracks::lb2LoadHook))));
  group->add(callRow(SpindleSite(0x600554E4), entry(hookAddress(&tracks::readGeomBlocks))));
  for (std::uint32_t site : {0x600550EDu, 0x600541E1u, 0x60017C67u, 0x600707C7u, 0x600707F1u, 0x60072BF1u}) {
    group->add(literalRow(SpindleSite(site), {0x00}));
  }
  group->add(literalRow(SpindleSite(0x6004921E), {0x90, 0x90, 0x90, 0x90, 0x90}));
  for (std::uint32_t site : {0x6007659Eu, 0x6007686Du, 0x600768CFu, 0x60076E1Eu, 0x60076FCDu, 0x60076FDDu}) {
    group->add(callRow(SpindleSite(site), entry(hookAddress(&tracks::renderStateGuardHook))));
  }
  // One change made twice: in the host executable and at the same place in Spindle3D.DLL.
  group->add(literalRow(HostAddress(0x41761E), {0xE9, 0xFD, 0x01, 0x00, 0x00, 0x90}));
  group->add(literalRow(SpindleSite(0x60091C5E), {0xE9, 0xFD, 0x01, 0x00, 0x00, 0x90}));
  group->add(literalRow(HostAddress(0x4176BE), {0xE9, 0x6D, 0x01, 0x00, 0x00, 0x90}));
  group->add(literalRow(SpindleSite(0x60091CFE), {0xE9, 0x6D, 0x01, 0x00, 0x00, 0x90}));
  group->add(literalRow(HostAddress(0x417820), {0x8B, 0x48, 0x04, 0x53, 0x55, 0x31, 0xDB, 0xE9, 0xF8, 0xFD, 0xFF, 0xFF}));
  group->add(literalRow(SpindleSite(0x60091E60), {0x8B, 0x48, 0x04, 0x53, 0x55, 0x31, 0xDB, 0xE9, 0xF8, 0xFD, 0xFF, 0xFF}));
  group->add(literalRow(HostAddress(0x417830), {0x8B, 0x48, 0x04, 0x45, 0x83, 0xC2, 0x74, 0xE9, 0x88, 0xFE, 0xFF, 0xFF}));
  group->add(literalRow(SpindleSite(0x60091E70), {0x8B, 0x48, 0x04, 0x45, 0x83, 0xC2, 0x74, 0xE9, 0x88, 0xFE, 0xFF, 0xFF}));
  group->add(literalRow(RailwiseSite(0x6101BBF1), {0x90, 0x90, 0x90}));
  group->add(literalRow(RailwiseSite(0x610376BE), {0x0F, 0x83}));
  group->add(literalRow(RailwiseSite(0x61021DCC), {0xEB, 0x30}));
  return group;
}

}  // namespace kvl::hooks
