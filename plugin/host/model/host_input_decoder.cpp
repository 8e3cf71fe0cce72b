#include "plugin/host/model/host_input_decoder.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/model/host_game.h"

namespace kvl::host {

void hostDecodeInput(void* controller, std::uint8_t** record) {
  hostFunction<0x48D130, void(QZR_THISCALL*)(void*, std::uint8_t**)>()(controller, record);
}

void QZR_THISCALL decodeHostInput(void* controller, std::uint8_t** record) noexcept {
  try {
    if (HostGame::gameState() == static_cast<std::int32_t>(HostGameState::replay)) {
      hostDecodeInput(controller, record);
      return;
    }
    const std::uint8_t* q = *record;
    fieldAt<std::int32_t>(controller, 72) = q[0];
    fieldAt<std::int32_t>(controller, 76) = q[1];
    fieldAt<std::int32_t>(controller, 80) = q[2];
    fieldAt<float>(controller, 92) = static_cast<float>(static_cast<std::int8_t>(q[3])) / 127.5f;
    constexpr float kByteScale = 0.003921569f;
    for (int i = 0; i < 4; ++i) fieldAt<float>(controller, 96 + 4 * i) = static_cast<float>(q[4 + i]) * kByteScale;
    fieldAt<std::uint8_t>(controller, 112) = q[8];
  } catch (...) {
  }
}

void installInputDecoder(void* inputRecord) noexcept {
  fieldAt<HostWord>(inputRecord, 44) = static_cast<HostWord>(hookAddress(&decodeHostInput));
}

}  // namespace kvl::host
