// Two threads run the simulated host's invokers at once, as the host's thread and the physics
// worker do, each through host code of its own, many times over: every outcome must be the one
// its own code gives, never the other thread's.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "hostsim/host_code_runner.h"
#include "hostsim/site_invoker.h"
#include "hostsim/sound_code_invoker.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const void* label(void (*f)()) { return reinterpret_cast<const void*>(f); }

// Machine code in one executable block.
class Code {
 public:
  // A call of `first` (when given), the bytes, then a jump to `next` (when given).
  const void* put(const Bytes& bytes, const void* next = nullptr, const void* first = nullptr) {
    unsigned char* start = end_;
    if (first != nullptr) branch(0xE8, first);
    std::memcpy(end_, bytes.data(), bytes.size());
    end_ += bytes.size();
    if (next != nullptr) branch(0xE9, next);
    return start;
  }

 private:
  void branch(std::uint8_t opcode, const void* target) {
    const auto displacement = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(target) -
                                                         reinterpret_cast<std::uintptr_t>(end_) - 5);
    end_[0] = opcode;
    std::memcpy(end_ + 1, &displacement, 4);
    end_ += 5;
  }
  unsigned char* end_ = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE));
};

// The host code of each invoker: [0] for the first thread, [1] for the second, told apart by
// every word the invoker reports.
struct Fragments {
  const void* site[2];
  const void* esiSite[2];
  const void* inlineCode[2];
  const void* member[2];
  const void* guard[2];
  const void* compare[2];
  const void* hostCode[2];
};

const Fragments& fragments() {
  static const Fragments p = [] {
    static Code code;
    const void* siteReturn = label(&hostsimSiteReturn);
    Fragments made{};
    // mov eax, 11h; ret (the caller takes both argument words back) / mov eax, 22h; ret 8.
    made.site[0] = code.put({}, siteReturn, code.put({0xB8, 0x11, 0, 0, 0, 0xC3}));
    made.site[1] = code.put({}, siteReturn, code.put({0xB8, 0x22, 0, 0, 0, 0xC2, 8, 0}));
    // mov ebx, 12345678h; ret / ret 4.
    made.esiSite[0] = code.put({}, siteReturn, code.put({0xBB, 0x78, 0x56, 0x34, 0x12, 0xC3}));
    made.esiSite[1] = code.put({}, siteReturn, code.put({0xC2, 4, 0}));
    // Straight on / xor ecx, ecx (carry cleared, zero set).
    made.inlineCode[0] = code.put({}, label(&hostsimInlineReturn));
    made.inlineCode[1] = code.put({0x31, 0xC9}, label(&hostsimInlineReturn));
    // ret / mov esi, 0; ret 4.
    made.member[0] = code.put({0xC3});
    made.member[1] = code.put({0xBE, 0, 0, 0, 0, 0xC2, 4, 0});
    // On to the code after the place / push eax, then to a skip address.
    made.guard[0] = code.put({}, label(&hostsimGuardRan));
    made.guard[1] = code.put({0x50}, label(&hostsimGuardSkipped));
    // push 11h, on at the first place / push 22h; push 33h, on at the second.
    made.compare[0] = code.put({0x6A, 0x11}, label(&hostsimCompareFirst));
    made.compare[1] = code.put({0x6A, 0x22, 0x6A, 0x33}, label(&hostsimCompareSecond));
    // ret / inc ecx; ret 4.
    made.hostCode[0] = code.put({0xC3});
    made.hostCode[1] = code.put({0x41, 0xC2, 4, 0});
    return made;
  }();
  return p;
}

// How many of the invokers' outcomes in one round of thread `v` differ from what its own code
// gives.
int wrongOutcomes(const Fragments& p, int v) {
  const std::uint32_t args[2] = {1, 2};
  const std::uint32_t mine = 0x01000000u * static_cast<std::uint32_t>(v + 1);
  int wrong = 0;

  hostsim::SiteOutcome site;
  const std::uint32_t result = hostsimInvokeSite(&site, p.site[v], args, 2, 0);
  wrong += result != (v == 0 ? 0x11u : 0x22u) || site.stackBytesLeft != (v == 0 ? 8 : 0);

  hostsim::SiteOutcome esi;
  hostsimInvokeSiteEsi(&esi, p.esiSite[v], args, 1, 0, mine);
  wrong += esi.stackBytesLeft != (v == 0 ? 4 : 0) || esi.registers[0] != (v == 0 ? 0x12345678u : 0xB2B2B2B2u) ||
           esi.registers[1] != mine || esi.registers[2] != 0xD1D1D1D1u;

  hostsim::InlineOutcome in;
  hostsimInvokeInline(&in, p.inlineCode[v], mine, ~mine);
  const bool flagsKept = ((in.after[8] ^ in.before[1]) & 0xCD5u) == 0;
  wrong += in.after[1] != (v == 0 ? 0xC3C3C3C3u : 0u) || in.after[4] != in.before[0] || in.after[6] != mine ||
           in.after[7] != ~mine || flagsKept != (v == 0);

  hostsim::SiteOutcome member;
  hostsimCallMember(&member, p.member[v], args, 1, 0);
  wrong += member.stackBytesLeft != (v == 0 ? 4 : 0) || member.registersKept != (v == 0 ? 1u : 0u);

  hostsim::GuardOutcome guard;
  const std::uint32_t landing = hostsimInvokeGuard(&guard, p.guard[v], mine, 0, mine);
  wrong += landing != (v == 0 ? 1u : 2u) || guard.eax != mine || guard.esi != mine || guard.stackWords != v;

  hostsim::CompareOutcome compare;
  const std::uint32_t reached = hostsimInvokeCompare(&compare, p.compare[v], 0);
  wrong += reached != (v == 0 ? 1u : 2u) || compare.pushed != (v == 0 ? 0x11u : 0x33u) || compare.stackWords != v;

  std::uint32_t registers[14] = {mine, mine, mine, 0xB2B2B2B2u, 0x5E5E5E5Eu, 0xD1D1D1D1u, 0xE5E5E5E5u};
  const std::int32_t taken = hostsimRunCode(p.hostCode[v], registers);
  wrong += taken != v || registers[7] != mine || registers[8] != mine + static_cast<std::uint32_t>(v) ||
           registers[13] != 0xE5E5E5E5u;
  return wrong;
}

TEST(Invokers, TwoThreadsEachSeeTheirOwnOutcomes) {
  const Fragments& p = fragments();
  std::atomic<int> started{0};
  int wrong[2] = {0, 0};
  const auto run = [&](int v) {
    started.fetch_add(1);
    while (started.load() < 2) std::this_thread::yield();
    for (int round = 0; round < 20000; ++round) wrong[v] += wrongOutcomes(p, v);
  };
  std::thread second(run, 1);
  run(0);
  second.join();
  EXPECT_EQ(wrong[0], 0);
  EXPECT_EQ(wrong[1], 0);
}

}  // namespace
