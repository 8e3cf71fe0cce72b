#include "plugin/hooks/host_code_rows.h"

#include <cstdint>
#include <utility>

#include "plugin/hooks/patch_payloads.h"
#include "plugin/host/binding/memory_patch.h"
#include "plugin/host/binding/module_address.h"

namespace kvl {

float tarmacSkidSoundScale = 1.25f;
float skidSoundScale = 1.25f;

}  // namespace kvl

namespace kvl::hooks {
namespace {

using host::HostAddress;

// Constants that host instructions read in place of their own; fixed for the process's life.
const float kNegativeDegreesPerRadian = -57.2957764f;
const float kTwenty = 20.0f;

void literal(PatchGroup& group, std::uint32_t site, std::initializer_list<std::uint8_t> bytes) {
  group.add(literalRow(HostAddress(site), bytes));
}

// A 32-bit little-endian word (an integer, a float's bits or a resolved host address).
void word(PatchGroup& group, std::uint32_t site, std::uint32_t value) {
  group.add(std::make_shared<host::MemoryPatch>(HostAddress(site).resolve(), &value, 4));
}

std::uint32_t hostWord(std::uint32_t preferred) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(HostAddress(preferred).resolve()));
}

constexpr std::uint8_t kNop = 0x90;

}  // namespace

void addEngineMapCodeRow(PatchGroup& group) {
  // mov ecx, [esp+0Ch]; movss [esp+18h], xmm0; mov eax, [esp+18h]; push ecx; three no-operations;
  // lea ecx, [esp+34h]; mov [esp+38h], edx; mov [esp+3Ch], eax: the float the preceding call
  // left in xmm0 goes on to the call that follows.
  literal(group, 0x4F871B, {0x8B, 0x4C, 0x24, 0x0C, 0xF3, 0x0F, 0x11, 0x44, 0x24, 0x18, 0x8B, 0x44, 0x24, 0x18, 0x51,
                            kNop, kNop, kNop, 0x8D, 0x4C, 0x24, 0x34, 0x89, 0x54, 0x24, 0x38, 0x89, 0x44, 0x24, 0x3C});
}

void addTyreCodeRows(PatchGroup& group) {
  literal(group, 0x5365CB, {0xF8});
  literal(group, 0x5365EC, {0x1C});
}

void addEngineCodeRow(PatchGroup& group) { literal(group, 0x517EC6, {0x78}); }

void addHeatCodeRows(PatchGroup& group) {
  for (std::uint32_t site : {0x530DD3u, 0x530ECCu, 0x530EA2u, 0x5177F4u, 0x51780Bu}) {
    literal(group, site, {kNop, kNop, kNop, kNop, kNop});
  }
}

void addDamperCallRow(PatchGroup& group) {
  group.add(host::MemoryPatch::redirection(HostAddress(0x50F248).resolve(), HostAddress(0x50BC90).resolve()));
}

void addSpringJumpRows(PatchGroup& group) {
  literal(group, 0x52E22B, {0xEB});
  literal(group, 0x52E279, {0xEB});
}

void addSkidSoundScaleRows(PatchGroup& group) {
  // Tarmac first: every list of the two (the controller's values, its state-13 step) names the
  // tarmac scale first, and the patch list holds its two sites in that order.
  group.add(addressRow(HostAddress(0x4D619B), &tarmacSkidSoundScale));
  group.add(addressRow(HostAddress(0x4D62A6), &skidSoundScale));
}

void addMenuAddressRows(PatchGroup& group) {
  word(group, 0x5567C1, hostWord(0x7446A4));
  word(group, 0x5567DB, hostWord(0x745128));
  group.add(addressRow(HostAddress(0x54E690), &kNegativeDegreesPerRadian));
  group.add(addressRow(HostAddress(0x54E870), &kNegativeDegreesPerRadian));
}

void addMenuLayoutRows(PatchGroup& group) {
  for (std::uint32_t site : {0x57C60Fu, 0x57C6E8u, 0x57C7A0u, 0x57C089u, 0x57C9A5u, 0x57CA35u}) literal(group, site, {0x15});
  literal(group, 0x57C9F6, {0x14});
  literal(group, 0x57C9F3, {0xEE});
  const std::pair<std::uint32_t, float> positions[] = {
      {0x57C860, 442.0f}, {0x57C8C8, 462.0f}, {0x57C8E9, 442.0f}, {0x57B98E, 462.0f}, {0x57B9AF, 500.0f}};
  for (const auto& [site, value] : positions) group.add(floatRow(HostAddress(site), value));
}

void addEffectsLimitRows(PatchGroup& group) {
  word(group, 0x482BC0, 1500);
  literal(group, 0x46A46E, {0x01});
}

void addSkidTrailCodeRows(PatchGroup& group) {
  word(group, 0x5DFF5D, 64);
  // mov ecx, [eax+3E8h]; cmp ecx, edi; je +29h; then no-operations over the rest.
  group.add(literalRow(HostAddress(0x5E2C8D), {0x8B, 0x88, 0xE8, 0x03, 0x00, 0x00, 0x39, 0xF9, 0x74, 0x29, kNop, kNop, kNop,
                                               kNop, kNop, kNop, kNop, kNop, kNop, kNop, kNop, kNop, kNop, kNop, kNop}));
}

void addEngineLimitRows(PatchGroup& group) {
  word(group, 0x4A033A, 500);
  for (std::uint32_t site : {0x4E9BC8u, 0x4E9C15u, 0x5735B6u}) literal(group, site, {0x19});
}

void addHostCodeChangeRows(PatchGroup& group) {
  group.add(floatRow(HostAddress(0x746828), 28800.0f));
  group.add(addressRow(HostAddress(0x527447), &kTwenty));
  literal(group, 0x527508, {0x13});
  literal(group, 0x52B6E5, {kNop, kNop, kNop, kNop, kNop, kNop, kNop});
  literal(group, 0x5220F2, {kNop, kNop, kNop, kNop, kNop, kNop, kNop});
  word(group, 0x615DD8, 480);
  // jne 0x60DA69; mov edx, [esi+78h]; test edx, edx; je 0x60DA69; jmp 0x60DA60: the host's path
  // from 0x60DA5E (short jump) through 0x60DAD6 (jump) tests the object's word at +78h.
  literal(group, 0x60DD12, {0x0F, 0x85, 0x51, 0xFD, 0xFF, 0xFF, 0x8B, 0x56, 0x78, 0x85, 0xD2,
                            0x0F, 0x84, 0x46, 0xFD, 0xFF, 0xFF, 0xE9, 0x38, 0xFD, 0xFF, 0xFF});
  literal(group, 0x60DAD6, {0xE9, 0x37, 0x02, 0x00, 0x00});
  literal(group, 0x60DA5E, {0xEB, 0x76});
  literal(group, 0x47CAD5, {0xFF, 0x62, 0x0C});  // jmp [edx+0Ch]
}

}  // namespace kvl::hooks
