#pragma once
// One patch of host memory: address, the bytes to write, and a copy of the bytes they replace.
#include <cstdint>
#include <memory>

namespace kvl::host {

class MemoryPatch {
 public:
  // What the patch expects at its site before it writes.
  enum class Site {
    any,            // replaces whatever is there
    branchOperand,  // the 32-bit operand of a CALL or JMP: the opcode must precede it
  };

  // Copies the new bytes and saves the bytes now at address. Nothing is written to the host.
  MemoryPatch(void* address, const void* newBytes, std::int32_t length, Site site = Site::any);
  ~MemoryPatch();
  MemoryPatch(const MemoryPatch&) = delete;
  MemoryPatch& operator=(const MemoryPatch&) = delete;

  // A call or jump redirection: writes hook - operand - 4 over the operand of the host CALL or
  // JMP at operand - 1, so that the instruction transfers to hook.
  static std::shared_ptr<MemoryPatch> redirection(void* operand, const void* hook);

  // Writes the new bytes unless they are already there; true when they read back.
  bool apply();
  // True when the bytes at the address equal the new bytes.
  bool isApplied() const;
  // Writes the saved bytes back unless the patch is not applied; true when the new bytes no
  // longer read back.
  bool revert();

  void* address() const noexcept { return address_; }
  std::int32_t length() const noexcept { return length_; }
  const std::uint8_t* newBytes() const noexcept { return newBytes_; }
  const std::uint8_t* savedBytes() const noexcept { return savedBytes_; }
  Site site() const noexcept { return site_; }

 private:
  bool write(const std::uint8_t* bytes);
  bool siteMatches() const;
  std::size_t size() const noexcept { return length_ > 0 ? static_cast<std::size_t>(length_) : 0; }

  void* address_;
  std::uint8_t* newBytes_ = nullptr;
  std::int32_t length_;
  std::uint8_t* savedBytes_ = nullptr;
  Site site_;
};

// The 32-bit displacement that makes a CALL or JMP whose operand is at `operand` land on target.
std::uint32_t branchDisplacement(const void* operand, const void* target) noexcept;

// True for the bytes that end a CALL rel32 or JMP rel32 opcode right before its operand: E8, E9,
// or 0F 80..8F (conditional near jumps). `before` holds the two bytes preceding the operand.
bool isBranchOpcode(std::uint8_t twoBefore, std::uint8_t oneBefore) noexcept;

}  // namespace kvl::host
