#include "plugin/hooks/game_stuff_group.h"

#include <cstring>
#include <vector>

#include "plugin/gui/setup_file_menus.h"
#include "plugin/gui/setup_slot_page.h"
#include "plugin/hooks/hook_row.h"
#include "plugin/hooks/patch_payloads.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/memory_patch.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/model/race_events.h"
#include "plugin/host/model/setup_slot_dialogs.h"
#include "plugin/host/model/step_time_hooks.h"

namespace kvl::hooks {
namespace {

using host::HostAddress;
using host::MemoryPatch;

constexpr HookKind kCall = HookKind::callRedirection;

void putWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t word) {
  std::memcpy(&bytes[at], &word, 4);
}

// The displacement of a CALL whose operand is at `offset` of code written at `site`, to `target`.
std::uint32_t callDisplacement(void* site, std::size_t offset, const void* target) {
  return host::branchDisplacement(static_cast<unsigned char*>(site) + offset, target);
}

std::shared_ptr<MemoryPatch> codeRow(void* site, const std::vector<std::uint8_t>& bytes) {
  return std::make_shared<MemoryPatch>(site, bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

// Compares the keys (host 0x5B0320) of the entries that ECX and the second stack argument point
// at, as unsigned numbers: 1 when the first is greater, 0 when equal, -1 when the second is.
std::shared_ptr<MemoryPatch> keyCompareRoutine() {
  void* site = HostAddress(0x5B0C94).resolve();
  const void* key = HostAddress(0x5B0320).resolve();
  std::vector<std::uint8_t> bytes = {0x8B, 0x09, 0x56, 0xE8, 0, 0, 0, 0, 0x8B, 0xF0, 0x8B, 0x4C,
                                     0x24, 0x0C, 0x8B, 0x09, 0xE8, 0, 0, 0, 0, 0x3B, 0xC6, 0x76,
                                     0x05, 0x83, 0xC8, 0xFF, 0x5E, 0xC3, 0x1B, 0xC0, 0xF7, 0xD8, 0x5E, 0xC3};
  putWord(bytes, 4, callDisplacement(site, 4, key));
  putWord(bytes, 17, callDisplacement(site, 17, key));
  return codeRow(site, bytes);
}

// The host's frame-time code takes its step time and step count from the plugin, then jumps on to
// where the host goes on with them (0x44A6BB).
std::shared_ptr<MemoryPatch> stepTimeCode() {
  void* site = HostAddress(0x44A635).resolve();
  std::vector<std::uint8_t> bytes = {0xDD, 0xD8, 0x8B, 0xCE, 0xE8, 0, 0, 0, 0, 0x8B,
                                     0xCE, 0xE8, 0, 0, 0, 0, 0x89, 0xC3, 0xEB, 0};
  putWord(bytes, 5, callDisplacement(site, 5, reinterpret_cast<const void*>(host::hookAddress(&host::gameFloatValue))));
  putWord(bytes, 12, callDisplacement(site, 12, reinterpret_cast<const void*>(host::hookAddress(&host::gameIntValue))));
  const auto next = reinterpret_cast<std::uintptr_t>(HostAddress(0x44A6BB).resolve());
  bytes[19] = static_cast<std::uint8_t>(next - (reinterpret_cast<std::uintptr_t>(site) + 20));
  return codeRow(site, bytes);
}

std::shared_ptr<MemoryPatch> hostAddressRow(std::uint32_t site, std::uint32_t address) {
  return addressRow(HostAddress(site), HostAddress(address).resolve());
}

}  // namespace

std::shared_ptr<PatchGroup> buildGameStuffGroup() {
  using host::hookAddress;
  auto group = std::make_shared<PatchGroup>("Game Stuff", 0);
  auto add = [&](std::shared_ptr<MemoryPatch> patch) { group->add(std::move(patch)); };
  addRows(*group, {
                      {0x559214, 4, kCall, hookAddress(&gui::SetupSlotPage::construct), "SetupSlotPage"},
                      {0x5610E9, 4, kCall, hookAddress(&host::saveSlotMenuHook), "saveSlotMenuHook"},
                      {0x5610D5, 4, kCall, hookAddress(&host::loadSlotMenuHook), "loadSlotMenuHook"},
                  });
  // Placement of the slot dialog and the setup lists.
  add(literalRow(HostAddress(0x558515), {0xEB, 0x1B}));
  add(floatRow(HostAddress(0x559237), 40.0f));
  add(floatRow(HostAddress(0x57E751), 40.0f));
  add(floatRow(HostAddress(0x57E7A1), 40.0f));
  add(floatRow(HostAddress(0x559232), 50.0f));
  add(floatRow(HostAddress(0x57E74C), 270.0f));
  add(floatRow(HostAddress(0x57E79C), 270.0f));
  add(hostAddressRow(0x5592B9, 0x7CEC1C));
  add(hostAddressRow(0x5592CC, 0x7CEC1C));
  add(hostAddressRow(0x55931F, 0x745C28));
  // Condition codes and jump-table entries of the menu code.
  add(literalRow(HostAddress(0x49F137), {0x7F}));
  add(literalRow(HostAddress(0x49F290), {0x7F}));
  add(literalRow(HostAddress(0x57E17C), {0x7E}));
  add(literalRow(HostAddress(0x57E1B2), {0x7E}));
  add(literalRow(HostAddress(0x57E1D8), {0x7F}));
  add(literalRow(HostAddress(0x57E5D9), {0x7E}));
  add(literalRow(HostAddress(0x57E055), {0x7E}));
  add(literalRow(HostAddress(0x57F2B0), {0xE9, 0xF1}));
  add(literalRow(HostAddress(0x57F2B4), {0x1D, 0xF2}));
  add(literalRow(HostAddress(0x57F2B8), {0x5A}));
  add(literalRow(HostAddress(0x57F2C0), {0xA8}));
  add(literalRow(HostAddress(0x558AE9), {0x1F}));
  add(literalRow(HostAddress(0x56A8F9), {0x1F}));
  add(literalRow(HostAddress(0x57D247), {0x90, 0x90, 0x90, 0x90, 0x90, 0x90}));
  add(literalRow(HostAddress(0x57D28C), {0x90, 0x90}));
  add(floatRow(HostAddress(0x558A7B), 420.0f));
  add(floatRow(HostAddress(0x56A88B), 420.0f));
  add(floatRow(HostAddress(0x57CEE3), 505.0f));
  add(floatRow(HostAddress(0x57CEFF), 517.0f));
  addRows(*group, {{0x563B32, 4, kCall, hookAddress(&gui::SetupFileListMenu::construct), "SetupFileListMenu"}});
  add(floatRow(HostAddress(0x563B51), 10.0f));
  add(floatRow(HostAddress(0x563B4C), 31.0f));
  addRows(*group, {{0x56AA84, 4, kCall, hookAddress(&gui::SetupFileChooserMenu::construct), "SetupFileChooserMenu"}});
  add(floatRow(HostAddress(0x56AAA7), 10.0f));
  add(floatRow(HostAddress(0x56AAA2), 31.0f));
  add(literalRow(HostAddress(0x615DD8), {0xE0}));
  add(keyCompareRoutine());
  add(literalRow(HostAddress(0x5B1012), {0x48, 0x90}));
  add(literalRow(HostAddress(0x571685), {0xEB, 0x11}));
  add(literalRow(HostAddress(0x5EE773), {0xA4, 0x00, 0x00, 0x00}));
  addRows(*group, {
                      {0x4B6628, 4, kCall, hookAddress(&host::settingsRecordHook), "settingsRecordHook"},
                      {0x4D57DE, 4, kCall, hookAddress(&host::settingsRecordHook), "settingsRecordHook"},
                      {0x4D585A, 4, kCall, hookAddress(&host::settingsRecordHook), "settingsRecordHook"},
                      {0x478981, 4, kCall, hookAddress(&host::raceEventCatchUpHook), "raceEventCatchUpHook"},
                  });
  add(stepTimeCode());
  add(literalRow(HostAddress(0x44A833), {0x90, 0x90, 0x90, 0x90}));
  return group;
}

}  // namespace kvl::hooks
