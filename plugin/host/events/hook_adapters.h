#pragma once
// The adapters that stand in for host calls raising host event sources. Each one is called as a
// member of the source with the host's argument (the record pointer, or the record itself for
// one-word records). While the physics worker executes a step, the raise is posted with a copy
// of the record to that worker's event loop, so listeners never run in the middle of a step;
// otherwise it runs at once on the calling thread.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/events/event_signal.h"

namespace kvl::host {

class PeriodicWorker;

// How a record type is raised on a source.
using RaiseFunction = void (*)(EventSignal* source, const void* record);
inline void raisePlain(EventSignal* source, const void* record) { source->raise(record); }

// The largest record an adapter copies.
constexpr std::size_t kMaxAdapterRecord = 224;

// The common rule: while worker's stepping flag is set, post a copy of the record's first size
// bytes to its event loop (also from its own thread); else raise at once with the caller's record.
void dispatchRaise(PeriodicWorker& worker, EventSignal* source, const void* record, std::size_t size,
                   RaiseFunction raise = &raisePlain);
// Posts the raise with a copy of the record to the worker's event loop, unconditionally.
void postRaise(PeriodicWorker& worker, EventSignal* source, const void* record, std::size_t size,
               RaiseFunction raise = &raisePlain);

// Hands a 224-byte car-tick record to the host's per-tick consumer (nothing while it has none).
void consumeTick(const void* record);

// The adapters, by number; each replaces host raise calls (see the main hook group).
using RecordAdapter = void(QZR_THISCALL*)(EventSignal* source, const void* record) noexcept;
using WordAdapter = void(QZR_THISCALL*)(EventSignal* source, std::uint32_t word) noexcept;

constexpr int kAdapterCount = 27;
// Adapter 16 hands the engine record to this observer before the common rule; none at first.
using EngineEventObserver = void (*)(const void* record) noexcept;
void setEngineEventObserver(EngineEventObserver observer) noexcept;
// True for the adapters whose argument is the one-word record itself.
bool adapterTakesWord(int number) noexcept;
// The entry of adapter number (1..27); 0 for any other number.
std::uintptr_t adapterEntry(int number) noexcept;

}  // namespace kvl::host
