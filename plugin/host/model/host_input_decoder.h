#pragma once
// The plugin's decoder of one controller record, installed in the host's input record of the
// game object (+1848, function word at +44).
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// Host 0x48D130, member call on the controller: the host's own decoding.
void hostDecodeInput(void* controller, std::uint8_t** record);

// In REPLAY the host decodes; in every other state the record's bytes go straight into the
// controller: three buttons words (+72, +76, +80), the steering axis (+92, signed byte / 127.5),
// four pedal axes (+96..+108, byte / 255) and one byte at +112.
void QZR_THISCALL decodeHostInput(void* controller, std::uint8_t** record) noexcept;

// Stores decodeHostInput into the input record's function word.
void installInputDecoder(void* inputRecord) noexcept;

}  // namespace kvl::host
