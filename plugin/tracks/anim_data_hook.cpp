#include "plugin/tracks/anim_data_hook.h"

#include <cstring>

#include "common/dls/dls_check.h"
#include "common/dls/dls_error_log.h"
#include "common/text/date_time_text.h"
#include "plugin/host/binding/guarded_call.h"
#include "plugin/host/binding/heap_block_size.h"
#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_small_bindings.h"

namespace kvl::tracks {

const float animDataDefault = 0.5f;

namespace {

constexpr std::size_t kEntryCountOffset = 0x24;
constexpr std::size_t kEntriesOffset = 0x28;
constexpr std::size_t kEntrySize = 96;
constexpr std::size_t kEntryValueOffset = 20;

}  // namespace

void raiseSmallEntryValues(void* loader) noexcept {
  auto* entries = reinterpret_cast<unsigned char*>(
      static_cast<std::uintptr_t>(host::fieldAt<host::HostWord>(loader, kEntriesOffset)));
  if (entries == nullptr) return;
  const auto count = host::fieldAt<std::uint32_t>(loader, kEntryCountOffset);
  for (std::uint32_t i = 0; i < count; ++i) {
    float value;
    unsigned char* at = entries + kEntrySize * i + kEntryValueOffset;
    std::memcpy(&value, at, sizeof value);
    if (value <= 0.01f) std::memcpy(at, &animDataDefault, sizeof value);
  }
}

void QZR_THISCALL loadAnimDataHook(void* loader, void* data) noexcept {
  try {
    // The checker is bounded by the block the host read the file into.
    void* game = host::HostGame::instance();
    const int stage = game == nullptr ? 0 : host::HostGame::stageId(game);
    if (data != nullptr) checkDlsData(stage, static_cast<uint8_t*>(data), host::heapBlockSize(data));
  } catch (...) {
  }
  // Host exceptions are the host runtime's, raised through the system: only the guard sees them.
  // A processor fault in the loader is not caught: it goes on to the host's own handlers.
  const bool loaded = host::runGuarded([&] { host::HostTrackLoader::loadAnimData(loader, data); },
                                       host::GuardCatch::hostExceptions);
  if (!loaded) {
    try {
      appendDlsErrorLine(localDateTimeText(currentLocalTime()) + " KVL crashed while loading data");
    } catch (...) {
    }
  }
  if (loader != nullptr) raiseSmallEntryValues(loader);
}

}  // namespace kvl::tracks
