#pragma once
// The host controller's H-pattern shifter handling over a copy of the host's 68-byte controls
// record, and the car's shifter block that keeps the record from it.
#include <cstdint>

namespace kvl::host {

constexpr std::size_t kShifterRecordSize = 68;

// True when the host has a car and its engine holder's shifter word (+80) is zero.
bool shifterFree(const void* car) noexcept;
// Flags 1 or 2: only drops 2 when item 14 is bound and the shifter mode (+592) is 2. Otherwise
// the shifter items 13..20 of the controller's item table (+36) select a gear: flag 4 and the
// gear at +40.
void handleShifter(const void* controller, unsigned char* controls) noexcept;

}  // namespace kvl::host
