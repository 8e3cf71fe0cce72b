#pragma once
// The invokers of site_invoker.S: they run a host call site's fragment, inline host code or an
// interface member the way host code runs through them, and write what they saw into an
// outcome block of their caller. The host's thread and the physics worker run sites at the same
// time, so each caller keeps its own block (on its stack) and reads nothing another thread wrote.
#include <cstddef>
#include <cstdint>

namespace hostsim {

// What a call site or a member call saw when its target returned.
struct SiteOutcome {
  // Bytes the target left on the stack: the arguments for a caller-cleans target, none for a
  // callee-cleans one.
  std::int32_t stackBytesLeft = 0;
  // Call sites: EBX, ESI and EDI as the target left them.
  std::uint32_t registers[3] = {0, 0, 0};
  // Member calls: 1 when EBX, ESI and EDI came back with the values the call gave them.
  std::uint32_t registersKept = 0;
};

// What inline host code left: EAX, ECX, EDX, EBX, ESP, EBP, ESI, EDI and the flags, and the ESP
// and flags it started with.
struct InlineOutcome {
  std::uint32_t after[9] = {};
  std::uint32_t before[2] = {};
};

// The offsets site_invoker.S writes at.
static_assert(offsetof(SiteOutcome, stackBytesLeft) == 0 && offsetof(SiteOutcome, registers) == 4 &&
              offsetof(SiteOutcome, registersKept) == 16);
static_assert(offsetof(InlineOutcome, after) == 0 && offsetof(InlineOutcome, before) == 36);

}  // namespace hostsim

extern "C" {

// Pushes `count` words from `args` (the last first), loads ECX with `self` and jumps to a call
// site's fragment (at the site's address - 1), whose CALL lands in the site's current target and
// whose jump to hostsimSiteReturn ends the run. EAX (or ST(0)) carries the target's result.
std::uint32_t hostsimInvokeSite(hostsim::SiteOutcome* outcome, const void* fragment, const std::uint32_t* args,
                                int count, std::uint32_t self);
float hostsimInvokeFloatSite(hostsim::SiteOutcome* outcome, const void* fragment, const std::uint32_t* args,
                             int count, std::uint32_t self);
// The same as host code that holds an object in ESI runs it: EBX B2B2B2B2, ESI `esi` and EDI
// D1D1D1D1 at the call.
std::uint32_t hostsimInvokeSiteEsi(hostsim::SiteOutcome* outcome, const void* fragment, const std::uint32_t* args,
                                   int count, std::uint32_t self, std::uint32_t esi);
float hostsimInvokeFloatSiteEsi(hostsim::SiteOutcome* outcome, const void* fragment, const std::uint32_t* args,
                                int count, std::uint32_t self, std::uint32_t esi);
// A fragment run with ECX `self`, ESI `esi`, EDI `edi` and no stack arguments, for the module's
// calls that pass their object in a register.
std::uint32_t hostsimInvokeSiteRegs(hostsim::SiteOutcome* outcome, const void* fragment, std::uint32_t self,
                                    std::uint32_t esi, std::uint32_t edi);
// Where every call-site fragment goes on after its call.
void hostsimSiteReturn();

// Runs inline host code from `fragment` with EAX A1A1A1A1, ECX C3C3C3C3, EDX D4D4D4D4, EBX
// B2B2B2B2, EBP E5E5E5E5, ESI `esi`, EDI `edi`, carry set and direction clear, until it jumps to
// hostsimInlineReturn.
void hostsimInvokeInline(hostsim::InlineOutcome* outcome, const void* fragment, std::uint32_t esi, std::uint32_t edi);
void hostsimInlineReturn();

// Calls `fn` the way another module calls a member of an interface: the arguments pushed, `self`
// in ECX, EBX B2B2B2B2, ESI 5E5E5E5E and EDI D1D1D1D1.
std::uint32_t hostsimCallMember(hostsim::SiteOutcome* outcome, const void* fn, const std::uint32_t* args, int count,
                                std::uint32_t self);
double hostsimCallMemberDouble(hostsim::SiteOutcome* outcome, const void* fn, const std::uint32_t* args, int count,
                               std::uint32_t self);

}  // extern "C"
