#include "hostsim/address_table.h"
#include "hostsim/chassis_model.h"
#include "hostsim/car_setup_pages_model.h"
#include "hostsim/slot_page_model.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <iterator>
#include <set>

#include "hostsim/audio_host.h"
#include "hostsim/sound_sites.h"
#include "hostsim/anim_data_model.h"
#include "hostsim/call_trace.h"
#include "hostsim/stage_model.h"
#include "hostsim/track_ini_model.h"
#include "hostsim/service_page_model.h"
#include "hostsim/service_visit_model.h"
#include "hostsim/track_draw_model.h"
#include "hostsim/car_model.h"
#include "hostsim/display_model.h"
#include "hostsim/menu_model.h"
#include "hostsim/menu_centring_model.h"
#include "hostsim/setup_file_menus_model.h"
#include "hostsim/renderer_model.h"
#include "hostsim/slot_dialog_model.h"
#include "hostsim/host_words.h"
#include "hostsim/host_handlers.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/replay.h"
#include "hostsim/driving_path.h"
#include "hostsim/race.h"
#include "hostsim/rally_host.h"
#include "hostsim/skid_trails.h"
#include "hostsim/effects_step.h"
#include "hostsim/host_code_sites.h"
#include "hostsim/clamp_site.h"
#include "hostsim/object_update_sites.h"
#include "hostsim/record_copies.h"
#include "hostsim/controller_state_model.h"
#include "hostsim/physics_operands.h"
#include "hostsim/power_train.h"
#include "hostsim/head_gasket_site.h"
#include "hostsim/drivetrain_coupling.h"
#include "hostsim/small_calls.h"
#include "hostsim/game_stuff_sites.h"
#include "hostsim/replaced_calls.h"
#include "hostsim/host_words.h"
#include "hostsim/runtime_host.h"
#include "hostsim/step_batch_host.h"
#include "hostsim/shifter_host.h"
#include "hostsim/input_device.h"
#include "hostsim/car_controls.h"
#include "hostsim/input_decoder_host.h"
#include "hostsim/service_repair_model.h"
#include "hostsim/front_end_host.h"
#include "hostsim/car_setup_sites.h"
#include "hostsim/track_loading_sites.h"
#include "hostsim/site_coverage.h"
#include "hostsim/site_invoker.h"

namespace hostsim {
namespace {



void put8(std::uint32_t at, std::uint8_t b) { *reinterpret_cast<std::uint8_t*>(at) = b; }
void put32(std::uint32_t at, std::uint32_t w) { std::memcpy(reinterpret_cast<void*>(at), &w, 4); }
std::uint32_t rel(std::uint32_t operand, std::uint32_t target) { return target - operand - 4; }

}  // namespace

namespace {

std::vector<AddressEntry> baseEntries() {
  return {
      // Host allocators.
      {EntryKind::function, kRuntimeMalloc, "runtimeMalloc", addressOf(&runtimeMalloc)},
      {EntryKind::function, kRuntimeFree, "runtimeFree", addressOf(&runtimeFree)},
      {EntryKind::function, kHostNew, "hostNew", addressOf(&hostNew)},
      {EntryKind::function, kHostDelete, "hostDelete", addressOf(&hostDelete)},
      // Small host functions.
      {EntryKind::function, kDefaultSlotCall, "defaultSlotCall", addressOf(&defaultSlotCall)},
      {EntryKind::function, kPressureFunction, "pressureFunction", addressOf(&pressureFunction)},
      {EntryKind::function, kMaterialLookup, "materialLookup", addressOf(&materialLookup)},
      {EntryKind::function, kLanguageCall, "languageCall", addressOf(&languageCall)},
      {EntryKind::function, kNameId, "nameId", addressOf(&nameId)},
      // Call sites.
      {EntryKind::callSite, kMaterialTableSite, "materialTableSite", kMaterialLookup},
      {EntryKind::callSite, kPressureSite, "pressureSite", kPressureFunction},
      // Globals and the objects behind them.
      {EntryKind::global, kGameGlobal, "game", wordOf(hostObjects().game)},
      {EntryKind::global, kGraphicsGlobal, "graphics", wordOf(hostObjects().graphics)},
      {EntryKind::global, kMenuManagerGlobal, "menuManager", wordOf(hostObjects().menuManager)},
      {EntryKind::global, kGameModesGlobal, "gameModes", wordOf(hostObjects().gameModes)},
      {EntryKind::global, kMathGlobal, "math", wordOf(hostObjects().math)},
      {EntryKind::global, kActiveFlag, "activeFlag", 1},
      {EntryKind::global, kLoadingWord, "loadingWord", 0},
  };
}

}  // namespace

AddressEntry codeEntry(std::uint32_t address, const char* name, std::vector<std::uint8_t> bytes) {
  static std::deque<std::vector<std::uint8_t>> store;
  store.push_back(std::move(bytes));
  AddressEntry e{EntryKind::code, address, name, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(store.back().data()))};
  e.length = static_cast<std::uint32_t>(store.back().size());
  return e;
}

const std::vector<AddressEntry>& addressTable() {
  static const std::vector<AddressEntry> table = [] {
    std::vector<AddressEntry> rows = baseEntries();
    const std::vector<AddressEntry> runtime = runtimeEntries();
    rows.insert(rows.end(), runtime.begin(), runtime.end());
    for (const auto& more : {replayEntries(), drivingPathEntries(), raceEntries(), smallCallEntries(), rallyHostEntries(),
                              audioEntries(), soundSystemEntries(), soundSiteEntries(), carEntries(), skidTrailEntries(),
                              effectsStepEntries(), physicsOperandEntries(), drivetrainCouplingEntries(),
                              gameStuffEntries(), chassisEntries(), powerTrainEntries(), headGasketSiteEntries(),
                              stepBatchEntries(), shifterEntries(), frontEndEntries(), inputDeviceEntries(),
                              hostCodeEntries(), clampSiteEntries(), objectUpdateEntries(), recordCopyEntries(),
                              controllerStateEntries(), carSetupSiteEntries(),
                              trackLoadingSiteEntries()}) {
      rows.insert(rows.end(), more.begin(), more.end());
    }
    const std::vector<AddressEntry> replaced = replacedCallEntries();
    rows.insert(rows.end(), replaced.begin(), replaced.end());
    appendDisplayRows(rows);
    appendMenuRows(rows);
    appendRendererRows(rows);
    appendSlotDialogRows(rows);
    appendAnimDataRows(rows);
    appendStageRows(rows);
    appendTrackIniRows(rows);
    appendServicePageRows(rows);
    appendServiceVisitRows(rows);
    appendTrackDrawRows(rows);
    appendMenuCentringRows(rows);
    appendSetupFileMenuRows(rows);
    appendCarSetupPageRows(rows);
    appendSlotPageRows(rows);
    appendCarControlsRows(rows);
    appendInputDecoderRows(rows);
    appendServiceRepairRows(rows);
    return rows;
  }();
  return table;
}

void paintRegion() {
  std::set<std::uint32_t> codePages;
  const auto returnStub = addressOf(&hostsimSiteReturn);
  for (const AddressEntry& e : addressTable()) {
    switch (e.kind) {
      case EntryKind::function:
        put8(e.address, 0xE9);
        put32(e.address + 1, rel(e.address + 1, e.value));
        codePages.insert(e.address & ~0xFFFu);
        codePages.insert((e.address + 4) & ~0xFFFu);
        break;
      case EntryKind::callSite:
        put8(e.address - 1, 0xE8);
        put32(e.address, rel(e.address, e.value));
        put8(e.address + 4, 0xE9);
        put32(e.address + 5, rel(e.address + 5, returnStub));
        codePages.insert((e.address - 1) & ~0xFFFu);
        codePages.insert((e.address + 8) & ~0xFFFu);
        break;
      case EntryKind::operand: {
        const std::uint32_t start = e.address - e.opcodeLength;
        for (std::uint8_t i = 0; i < e.opcodeLength; ++i) put8(start + i, e.opcode[i]);
        put32(e.address, e.value);
        put8(e.address + 4, 0xC3);
        codePages.insert(start & ~0xFFFu);
        codePages.insert((e.address + 4) & ~0xFFFu);
        break;
      }
      case EntryKind::global:
        put32(e.address, e.value);
        break;
      case EntryKind::code:
        std::memcpy(reinterpret_cast<void*>(e.address), reinterpret_cast<const void*>(e.value), e.length);
        for (std::uint32_t page = e.address & ~0xFFFu; page < e.address + e.length; page += 0x1000) codePages.insert(page);
        break;
      case EntryKind::inlineCode: {
        for (std::uint32_t i = 0; i < e.value; ++i) put8(e.address + i, 0x90);
        put8(e.address + e.value, 0xE9);
        put32(e.address + e.value + 1, rel(e.address + e.value + 1, addressOf(&hostsimInlineReturn)));
        codePages.insert(e.address & ~0xFFFu);
        codePages.insert((e.address + e.value + 5) & ~0xFFFu);
        break;
      }
    }
  }
  // Two host calls closer together than a fragment (a call, a short instruction, the next call):
  // the first fragment's bytes after its call become no-ops that fall through into the second
  // call, as the host's code runs from one call to the next.
  std::set<std::uint32_t> callSites;
  for (const AddressEntry& e : addressTable()) {
    if (e.kind == EntryKind::callSite) callSites.insert(e.address);
  }
  for (auto it = callSites.begin(); it != callSites.end(); ++it) {
    const auto next = std::next(it);
    if (next == callSites.end() || *next - *it >= 9) continue;
    for (std::uint32_t at = *it + 4; at < *next - 1; ++at) put8(at, 0x90);
  }
  // The system enforces no-execute: painted code becomes execute-read, as the host's code is.
  for (std::uint32_t page : codePages) {
    DWORD old = 0;
    VirtualProtect(reinterpret_cast<void*>(page), 0x1000, PAGE_EXECUTE_READ, &old);
  }
  FlushInstructionCache(GetCurrentProcess(), nullptr, 0);
  trace("host painted " + std::to_string(addressTable().size()) + " entries");
}

namespace {

const AddressEntry* operandEntry(std::uint32_t siteAddress) {
  for (const AddressEntry& e : addressTable()) {
    if (e.kind == EntryKind::operand && e.address == siteAddress) return &e;
  }
  return nullptr;
}

}  // namespace

std::uint32_t runOperandSite(std::uint32_t siteAddress) {
  const AddressEntry* e = operandEntry(siteAddress);
  if (e == nullptr) return 0;
  noteHostCodeRun(siteAddress - e->opcodeLength, siteAddress + 4);
  return reinterpret_cast<std::uint32_t (*)()>(siteAddress - e->opcodeLength)();
}

float runFloatOperandSite(std::uint32_t siteAddress) {
  const AddressEntry* e = operandEntry(siteAddress);
  if (e == nullptr) return 0.0f;
  noteHostCodeRun(siteAddress - e->opcodeLength, siteAddress + 4);
  return reinterpret_cast<float (*)()>(siteAddress - e->opcodeLength)();
}

std::uint32_t runCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t self,
                          bool traced) {
  noteHostCodeRun(siteAddress - 1, siteAddress + 4);
  SiteOutcome outcome;
  const std::uint32_t result = hostsimInvokeSite(&outcome, reinterpret_cast<const void*>(siteAddress - 1), args.data(),
                                                 static_cast<int>(args.size()), self);
  if (traced) trace("site stack words left " + std::to_string(outcome.stackBytesLeft / 4));
  return result;
}

float runFloatCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t self) {
  noteHostCodeRun(siteAddress - 1, siteAddress + 4);
  SiteOutcome outcome;
  const float result = hostsimInvokeFloatSite(&outcome, reinterpret_cast<const void*>(siteAddress - 1), args.data(),
                                              static_cast<int>(args.size()), self);
  trace("site stack words left " + std::to_string(outcome.stackBytesLeft / 4));
  return result;
}

void runInlineCode(std::uint32_t address, std::uint32_t esi, std::uint32_t edi) {
  noteHostCodeRun(address, address + 1);
  InlineOutcome outcome;
  hostsimInvokeInline(&outcome, reinterpret_cast<const void*>(address), esi, edi);
  static const char* const names[] = {"eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi"};
  const std::uint32_t expected[] = {0xA1A1A1A1u, 0xC3C3C3C3u, 0xD4D4D4D4u, 0xB2B2B2B2u,
                                    outcome.before[0], 0xE5E5E5E5u, esi, edi};
  std::string changed;
  for (int i = 0; i < 8; ++i) {
    if (outcome.after[i] != expected[i]) changed += std::string(" ") + names[i];
  }
  // Carry, parity, adjust, zero, sign, direction and overflow.
  if (((outcome.after[8] ^ outcome.before[1]) & 0xCD5u) != 0) changed += " flags";
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(address));
  trace(std::string("inline ") + text + (changed.empty() ? " registers kept" : " changed" + changed));
}

}  // namespace hostsim
