#pragma once
#include <cstdint>
#include <string>

namespace kvl {

// The name of the machine's native processor architecture: "x86", "x64", "arm", "arm64",
// "ia64", or an empty text. The plugin looks up its daemons in Plugins/QZR/bin/<name>/ and the
// daemons print the same name, so every deliverable must give the same words.
std::string processorArchitectureName();

// The name for an IMAGE_FILE_MACHINE_* value; empty for a machine outside the table.
std::string architectureNameForMachine(uint16_t machine);

#ifdef _WIN32
// What IsWow64Process2 says of the native machine, on systems that have it.
enum class NativeMachineQuery { Unavailable, Failed, Known };
NativeMachineQuery queryNativeMachine(uint16_t& machine);
#endif

}  // namespace kvl
