#include "plugin/hooks/null_guard.h"

namespace kvl::hooks {
namespace {

void appendWord(std::vector<std::uint8_t>& bytes, std::uint32_t word) {
  for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<std::uint8_t>(word >> (8 * k)));
}

// A jump at `at` to `target`: the short form (one opcode byte, rel8) or the near form (its
// opcode bytes, rel32); the displacement counts from the end of the instruction.
GuardPiece jump(std::uint32_t at, std::uint32_t target, bool isShort, std::uint8_t shortOpcode,
                const std::vector<std::uint8_t>& nearOpcode) {
  GuardPiece piece{at, {}};
  if (isShort) {
    piece.bytes = {shortOpcode, static_cast<std::uint8_t>(target - (at + 2))};
  } else {
    piece.bytes = nearOpcode;
    appendWord(piece.bytes, target - (at + static_cast<std::uint32_t>(nearOpcode.size()) + 4));
  }
  return piece;
}

}  // namespace

std::vector<GuardPiece> guardEntryPieces(const NullGuard& guard) {
  std::vector<GuardPiece> pieces{jump(guard.site, guard.stub, (guard.form & kGuardShortEntry) != 0, 0xEB, {0xE9})};
  for (auto at = guard.site + static_cast<std::uint32_t>(pieces[0].bytes.size()); at < guard.site + guard.length; ++at) {
    pieces.push_back({at, {0x90}});
  }
  return pieces;
}

std::vector<GuardPiece> guardStubPieces(const NullGuard& guard, const std::vector<std::uint8_t>& displaced) {
  std::vector<GuardPiece> pieces;
  std::uint32_t at = guard.stub;
  auto add = [&](GuardPiece piece) {
    at += static_cast<std::uint32_t>(piece.bytes.size());
    pieces.push_back(std::move(piece));
  };
  const bool copyFirst = (guard.form & kGuardCopyFirst) != 0;
  if (copyFirst) add({at, displaced});
  add({at, {0x85, static_cast<std::uint8_t>(guard.tested == GuardRegister::eax ? 0xC0 : 0xC9)}});
  add(jump(at, guard.skip, (guard.form & kGuardShortSkip) != 0, 0x74, {0x0F, 0x84}));
  if (!copyFirst) add({at, displaced});
  add(jump(at, guard.site + guard.length, (guard.form & kGuardShortBack) != 0, 0xEB, {0xE9}));
  return pieces;
}

}  // namespace kvl::hooks
