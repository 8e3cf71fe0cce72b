#include "plugin/sound/sound_ticker_override.h"

#include <cstdint>

#include "plugin/foundation/clocks/step_timer.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/binding/vtable_clone.h"
#include "plugin/host/model/cloned_host_classes.h"

namespace kvl {
namespace {

constexpr std::uint32_t kHostTable = 0x73574C;
constexpr std::size_t kTableSlots = 27;
// The rate of the update's clock: whole 60ths of a second (16666 microseconds each).
int soundUpdateRate = 60;
// A frame longer than this many of the clock's intervals passes nothing to the host.
constexpr int kMostIntervals = 10;
// The clock of the update, made at load: the time since the previous update.
StepTimer soundUpdateClock(soundUpdateRate);

void* QZR_THISCALL release(void* object, std::int32_t flags) noexcept {
  return host::HostSoundTicker::release(object, flags);
}

void* const* tickerTable() {
  static void* table[kTableSlots] = {};
  static const bool filled = [] {
    host::VtableClone clone;
    clone.setTarget(table);
    clone.copyFrom(host::HostAddress(kHostTable).resolve(), sizeof table);
    clone.exchangeSlot(0, reinterpret_cast<void*>(&release));
    clone.exchangeSlot(8, reinterpret_cast<void*>(&soundTickerUpdate));
    return true;
  }();
  (void)filled;
  return table;
}

}  // namespace

void* QZR_THISCALL soundTickerConstructHook(void* object) noexcept {
  host::hostFunction<0x4D44D0, void*(QZR_THISCALL*)(void*)>()(object);
  host::fieldAt<host::HostWord>(object, 0) =
      static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(tickerTable()));
  return object;
}

void QZR_THISCALL soundTickerUpdate(void* object) noexcept {
  std::int64_t micros = 0;
  int intervals = 0;
  // Less than one interval since the previous update passes nothing now and carries to the next.
  if (!soundUpdateClock.elapsedGameMicroseconds(micros, intervals) || intervals > kMostIntervals) return;
  host::HostSoundTicker::update(object, static_cast<float>(static_cast<double>(micros) / 1000000.0));
}

}  // namespace kvl
