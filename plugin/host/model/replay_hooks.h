#pragma once
// The hooks the main hook group writes into the host's replay code. The record, play, raise,
// finished and restart hooks are member calls on the replay object; the load and save hooks are
// entered from the middle of host code through register-preserving thunks.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

void QZR_THISCALL replayRecordFrame(void* replay) noexcept;
// 0 frame played, 1 not playing, 2 end of the replay.
std::uint32_t QZR_THISCALL replayPlayFrame(void* replay) noexcept;
// 1 raised (or skipped by the source), 0 when the play run lies outside the table.
std::uint32_t QZR_THISCALL replayRaiseFrame(void* replay) noexcept;
std::uint32_t QZR_THISCALL replayIsFinished(void* replay) noexcept;
void QZR_THISCALL replayRestart(void* object, std::uint32_t a, std::uint32_t b) noexcept;

}  // namespace kvl::host

extern "C" {
// Thunks: every register and the FPU/SSE state preserved; the host's source buffer is in ESI
// (load) and its destination buffer in EDI (save).
void replayLoadRuns();
void replaySaveRuns();
// What the thunks call.
void qzrReplayLoadRuns(const void* source) noexcept;
void qzrReplaySaveRuns(void* destination) noexcept;
}
