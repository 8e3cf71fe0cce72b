#pragma once
// A null-value guard over host code: at the site a jump to a stub; the stub tests a register,
// continues at a skip address when it is zero, else runs the host bytes the jump displaced and
// jumps back to the first byte after them. Encoded from host addresses at the preferred base
// (the jumps are relative, so they hold wherever the host is loaded).
#include <cstdint>
#include <vector>

namespace kvl::hooks {

enum class GuardRegister : std::uint8_t { eax, ecx };

// How a guard's jumps are encoded; near forms (E9, 0F 84) unless a bit says otherwise.
enum GuardForm : std::uint8_t {
  kGuardNear = 0,
  kGuardShortEntry = 1,  // EB rel8 at the site
  kGuardShortSkip = 2,   // 74 rel8 in the stub
  kGuardShortBack = 4,   // EB rel8 from the stub back to the host
  kGuardCopyFirst = 8,   // the displaced bytes run before the test, so they run in both cases
};

struct NullGuard {
  std::uint32_t site;
  std::uint8_t length;  // host bytes replaced at the site
  GuardRegister tested;
  std::uint32_t skip;   // where the host continues when the register is zero
  std::uint32_t stub;
  std::uint8_t form;    // GuardForm bits
};

// One patch of a guard: its host address and bytes.
struct GuardPiece {
  std::uint32_t address;
  std::vector<std::uint8_t> bytes;
};

// The site's pieces, in patch order: the jump to the stub, then one no-operation byte per piece up
// to the replaced length.
std::vector<GuardPiece> guardEntryPieces(const NullGuard& guard);
// The stub's pieces, in patch order: TEST, jump-if-zero, the displaced bytes as one piece, jump
// back (the displaced bytes first for a copy-first guard). `displaced` holds the guard's length.
std::vector<GuardPiece> guardStubPieces(const NullGuard& guard, const std::vector<std::uint8_t>& displaced);

}  // namespace kvl::hooks
