#pragma once
// The call of host_code_runner.S: host code entered with every general register set.
#include <cstdint>

extern "C" {

// Calls `entry` with EAX, ECX, EDX, EBX, ESI, EDI and EBP from registers[0..6]; registers[7..13]
// receive them as the code left them. The result is the stack words the code took beyond its
// return address (RET 4: 1; negative when it left words behind).
std::int32_t hostsimRunCode(const void* entry, std::uint32_t* registers);

}  // extern "C"
