#include "plugin/hooks/sound_group.h"

#include <cstring>
#include <vector>

#include "plugin/hooks/hook_row.h"
#include "plugin/hooks/sound_null_guards.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/model/host_sound_queue.h"
#include "plugin/sound/sound_client.h"
#include "plugin/sound/sound_ticker_override.h"

namespace kvl::hooks {

void* hostSoundBufferA = nullptr;
void* hostSoundBufferB = nullptr;

namespace {

constexpr std::uint32_t kBufferASize = 0x80000;
constexpr std::uint32_t kBufferBSize = 0x20000;

struct ByteRow {
  std::uint32_t site;
  std::vector<std::uint8_t> bytes;
};

// New sizes, offsets and counts: each row covers the start of one host instruction, whose
// remaining bytes stay as the host has them (0x138D0 + 4 x 0x8000 = 0x338D0). Then single byte
// changes, six no-operations, and the comparison that picks [EBP+0x54] or [EBP+0x50] by the
// float at [EBP+0x58] against the host constant at 0x795E18 (unordered takes the second).
const std::vector<ByteRow>& byteRows() {
  static const std::vector<ByteRow> rows = {
      {0x4CFA98, {0x68, 0xD0, 0x38, 0x03}},
      {0x4CFB08, {0x68, 0x40, 0x39, 0x03}},
      {0x4D0179, {0x8D, 0xBC, 0x56, 0xD0, 0x38, 0x01}},
      {0x4D0191, {0x8D, 0xBE, 0xD0, 0x38, 0x01}},
      {0x4D01D0, {0x8D, 0xAE, 0xD0, 0x38, 0x01}},
      {0x4D04CA, {0xB9, 0x00, 0x80}},
      {0x4D04CF, {0x8D, 0xBE, 0xD0, 0x38, 0x01}},
      {0x4ACBB5, {0xD0}},
      {0x4AD199, {0x74}},
      {0x4AD28A, {0x74}},
      {0x4AD37E, {0x74}},
      {0x4AE2EF, {0x06}},
      {0x4AE3C4, {0x07}},
      {0x4D21B4, {0x74}},
      {0x4D2961, {0x40}},
      {0x4D5AD6, {0x74}},
      {0x4D5D9F, {0xEB}},
      {0x4D5DB1, {0x90, 0x90, 0x90, 0x90, 0x90, 0x90}},
      {0x4D60AB, {0xD9, 0x45, 0x58, 0xD9, 0x05, 0x18, 0x5E, 0x79, 0x00, 0xD9, 0xC9, 0xDF, 0xF1, 0xDD, 0xD8, 0x76, 0x06,
                  0x8B, 0x45, 0x54, 0x50, 0xEB, 0x0B, 0x8B, 0x45, 0x50, 0x50, 0xEB, 0x37, 0x90, 0x90, 0x90, 0x90, 0x90}},
      {0x4D60EC, {0x54}},
  };
  return rows;
}

// Host sites holding the address of a sound buffer, per buffer.
constexpr std::uint32_t kBufferASites[] = {0x4D145E, 0x4D1494, 0x4D14A9, 0x4D15A7, 0x4D15C7, 0x4D15DC, 0x4D30CB,
                                           0x4D316B, 0x4D31B0, 0x4D39B2, 0x4D7D2C, 0x4D7DFE, 0x4D81BC, 0x4D81E0,
                                           0x4D81FA, 0x4D8247, 0x4DAFD9, 0x4DB0B7, 0x4DCD31};
constexpr std::uint32_t kBufferBSites[] = {0x4DB9B3, 0x4DB9C2};

void addBytes(PatchGroup& group, std::uint32_t site, const std::vector<std::uint8_t>& bytes) {
  group.add(std::make_shared<host::MemoryPatch>(host::HostAddress(site).resolve(), bytes.data(),
                                                static_cast<std::int32_t>(bytes.size())));
}

// Allocated and zeroed once; null when the host's allocator has none.
void* zeroedHostBuffer(void*& buffer, std::uint32_t size) {
  if (buffer == nullptr) {
    buffer = host::hostRuntimeMalloc(size);
    if (buffer != nullptr) std::memset(buffer, 0, size);
  }
  return buffer;
}

// One address patch per site; without the buffer the host keeps its own addresses.
template <std::size_t N>
void addBufferRows(PatchGroup& group, const std::uint32_t (&sites)[N], void*& buffer, std::uint32_t size) {
  if (zeroedHostBuffer(buffer, size) == nullptr) return;
  std::vector<HookRow> rows;
  for (std::uint32_t site : sites) {
    rows.push_back({site, 4, HookKind::pluginAddress, reinterpret_cast<std::uintptr_t>(buffer), "hostSoundBuffer"});
  }
  addRows(group, rows);
}

// Each guard's jump and no-operations, then its stub with the host bytes the jump displaces,
// read from the host image now (before anything is written there).
void addGuards(PatchGroup& group) {
  for (const NullGuard& guard : soundNullGuards()) {
    std::vector<std::uint8_t> displaced;
    for (const GuardPiece& piece : guardEntryPieces(guard)) {
      auto patch = std::make_shared<host::MemoryPatch>(host::HostAddress(piece.address).resolve(), piece.bytes.data(),
                                                       static_cast<std::int32_t>(piece.bytes.size()));
      if (patch->savedBytes() != nullptr) {
        displaced.insert(displaced.end(), patch->savedBytes(), patch->savedBytes() + piece.bytes.size());
      }
      group.add(patch);
    }
    // An unreadable site cannot be patched either (the group reads "Failed"); its stub is left out.
    if (displaced.size() != guard.length) continue;
    for (const GuardPiece& piece : guardStubPieces(guard, displaced)) addBytes(group, piece.address, piece.bytes);
  }
}

}  // namespace

std::shared_ptr<PatchGroup> buildSoundGroup() {
  using host::hookAddress;
  constexpr HookKind kCall = HookKind::callRedirection;
  constexpr HookKind kVariable = HookKind::pluginAddress;
  auto address = [](const void* p) { return reinterpret_cast<std::uintptr_t>(p); };
  auto group = std::make_shared<PatchGroup>("Sound", 0);
  // Patch order: the byte changes with the flag routine's jump among them, the buffer addresses,
  // the call redirections, the plugin variables, the null-value guards.
  // 408 patches, not 444: the guards' 92 displaced instructions are copied as read, one patch per guard (same bytes).
  for (const ByteRow& row : byteRows()) addBytes(*group, row.site, row.bytes);
  addRows(*group, {{0x4DB347, 5, HookKind::embeddedJump, hookAddress(&host::soundSystemFlagHook), "soundSystemFlagHook"}});
  addBufferRows(*group, kBufferASites, hostSoundBufferA, kBufferASize);
  addBufferRows(*group, kBufferBSites, hostSoundBufferB, kBufferBSize);
  addRows(*group, {
                      {0x446F05, 4, kCall, hookAddress(&soundTickerConstructHook), "soundTickerConstructHook"},
                      {0x4D4A3E, 4, kCall, hookAddress(&host::queuedSoundUpdateHook), "queuedSoundUpdateHook"},
                      {0x4DCEDD, 4, kCall, hookAddress(&host::queueSoundCallHook), "queueSoundCallHook"},
                      {0x4DCFE3, 4, kCall, hookAddress(&host::queueSoundCallHook), "queueSoundCallHook"},
                      {0x4AE62D, 4, kVariable, address(&gearSoundGate), "gearSoundGate"},
                      {0x4D34E7, 4, kVariable, address(&gearSoundLevel), "gearSoundLevel"},
                      {0x4D2778, 4, kVariable, address(&soundToggleValue), "soundToggleValue"},
                  });
  addGuards(*group);
  return group;
}

}  // namespace kvl::hooks
