#include "hostsim/clamp_site.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"
#include "hostsim/site_coverage.h"

extern "C" float hostsimRunClampSite(float radicand, float argument, std::uint32_t edx, std::int32_t* kept);
extern "C" void hostsimClampSiteReturn();
extern "C" void hostsimClampRadicandCall();

namespace hostsim {
namespace {

constexpr std::uint32_t kStart = 0x4F8716;  // the call that leaves the float in XMM0
constexpr std::uint32_t kCode = 0x4F871B;   // the 30 bytes that prepare the limit call
constexpr std::uint32_t kCall = 0x4F8739;   // the limit call
constexpr std::uint32_t kGoesOn = 0x4F873E;

// The host's own limit: a member call on the record with the argument on the stack, which it
// removes; it gives the argument back.
float __attribute__((thiscall)) hostClampRoutine(void*, float argument) {
  trace("host clamp routine");
  return argument;
}

void putBranch(std::vector<std::uint8_t>& bytes, std::uint32_t at, std::uint8_t opcode, std::uint32_t target) {
  const std::uint32_t displacement = target - (at + 5);
  bytes.push_back(opcode);
  const auto* b = reinterpret_cast<const std::uint8_t*>(&displacement);
  bytes.insert(bytes.end(), b, b + 4);
}

}  // namespace

std::vector<AddressEntry> clampSiteEntries() {
  std::vector<std::uint8_t> bytes;
  putBranch(bytes, kStart, 0xE8, addressOf(&hostsimClampRadicandCall));
  // mov ecx,[esp+0Ch]; push ecx; lea ecx,[esp+34h]; mov [esp+38h],edx; movss [esp+3Ch],xmm0;
  // then no-operations up to the call.
  const std::uint8_t code[] = {0x8B, 0x4C, 0x24, 0x0C, 0x51, 0x8D, 0x4C, 0x24, 0x34, 0x89, 0x54, 0x24, 0x38,
                               0xF3, 0x0F, 0x11, 0x44, 0x24, 0x3C};
  bytes.insert(bytes.end(), std::begin(code), std::end(code));
  bytes.resize(kCall - kStart, 0x90);
  putBranch(bytes, kCall, 0xE8, addressOf(&hostClampRoutine));
  putBranch(bytes, kGoesOn, 0xE9, addressOf(&hostsimClampSiteReturn));
  static_assert(kCall - kCode == 30);
  return {codeEntry(kStart, "clampSite", bytes)};
}

bool runClampSiteStep(const std::string& step, std::istream& in) {
  if (step != "clamp") return false;
  float radicand = 0, argument = 0;
  in >> radicand >> argument;
  noteHostCodeRun(kStart, kGoesOn + 5);
  std::int32_t kept = 0;
  const float result = hostsimRunClampSite(radicand, argument, 0xD4D4D4D4u, &kept);
  char text[96];
  std::snprintf(text, sizeof text, "clamp %g %g gives %g", radicand, argument, result);
  trace(text);
  trace(kept ? "clamp registers kept" : "clamp registers or stack changed");
  return true;
}

}  // namespace hostsim
