#pragma once
// The declarative table from which the simulated host paints its address region: host function
// entries, call sites, globals. Each later need of the plugin adds rows here.
#include <cstdint>
#include <vector>

namespace hostsim {

enum class EntryKind {
  function,  // a JMP at the address to the handler
  callSite,  // a fragment whose CALL operand sits at the address, calling `target`
  operand,   // an instruction reading memory through a 32-bit absolute operand at the address
             // (opcode bytes in `opcode`, ending right before it), then a return: the plugin
             // may point the operand at its own variable
  global,    // a 32-bit word at the address holding `value`
  inlineCode,  // `value` bytes of plain host code (no-operations) from the address, then a jump
               // to the register check: sites where the plugin inserts a call into host code
  code,        // `length` bytes of host code (or padding) copied from the address in `value`
};

struct AddressEntry {
  EntryKind kind;
  std::uint32_t address;
  const char* name;
  std::uint32_t value;  // handler or target address, the operand's initial address, or the global's value
  std::uint8_t opcode[3] = {0, 0, 0};  // operand sites: e.g. A1 (mov eax, [m32]), D9 05 (fld dword [m32])
  std::uint8_t opcodeLength = 0;
  std::uint32_t length = 0;  // code rows
};

// A code row painting `bytes` at the address; the bytes are kept for the life of the process.
AddressEntry codeEntry(std::uint32_t address, const char* name, std::vector<std::uint8_t> bytes);

// The rows, with the objects behind the globals created on first use.
const std::vector<AddressEntry>& addressTable();

// Writes every row into the region and makes the code pages execute-read.
void paintRegion();

// Runs an operand site as a function: the value its instruction reads (EAX, or ST(0) for a
// floating-point load, which the caller declares).
std::uint32_t runOperandSite(std::uint32_t siteAddress);
float runFloatOperandSite(std::uint32_t siteAddress);

// Runs the call site named in the table with 32-bit arguments and `self` in ECX; traced, it
// records how many argument words the target left on the stack.
std::uint32_t runCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args,
                          std::uint32_t self = 0, bool traced = true);
// The same for a site whose target returns a float in ST(0).
float runFloatCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args, std::uint32_t self = 0);

// Runs inline host code at the address with the given ESI and EDI, then traces "inline ADDRESS
// registers kept" or the registers (and flags) the code changed.
void runInlineCode(std::uint32_t address, std::uint32_t esi, std::uint32_t edi);

}  // namespace hostsim
