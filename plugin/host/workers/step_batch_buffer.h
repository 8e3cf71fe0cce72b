#pragma once
// The double-buffered item batch of the physics step: filled by the host's item routines after
// each step (on the worker or inline), read back by the host's item code on the host thread
// through the batch hooks.
#include <cstdint>
#include <mutex>

#include "plugin/host/binding/abi.h"
#include "plugin/host/workers/step_batch.h"

namespace kvl::host {

class StepBatchBuffer {
 public:
  StepBatchBuffer();

  // Takes the host's consumer, item source, geometry table and graphics object, and points the
  // host's graphics read at the stand-in.
  void bind();
  // Empties both buffers, one segment per run of the item source.
  void reset();
  // Fills the back buffer, then exchanges front and back.
  void update(float seconds);
  std::int32_t readPrimary(unsigned char** cursor);
  void readSegments(std::int32_t runs, std::int32_t* counts, unsigned char** cursor);

  static constexpr std::size_t kViewOffset = 228;

 private:
  void patchGraphicsPointer();

  void* consumer_ = nullptr;
  void* itemSource_ = nullptr;
  void* geometryTable_ = nullptr;
  void* graphics_ = nullptr;
  std::mutex mutex_;      // the exchange and every read of the front buffer
  std::mutex fillMutex_;  // a fill of the back buffer against a reset on the host thread
  StepBatch a_, b_;
  StepBatch* front_ = &a_;
  StepBatch* back_ = &b_;
  // The host code at the patched read takes its view rows from +228..+323 of it; the graphics
  // object's own size is not known, so the stand-in leaves room past them, all of it zero.
  unsigned char graphicsStandIn_[1024] = {};
};

// Built on first use, lives to process exit.
StepBatchBuffer& stepBatchBuffer();

// At host call 0x605814 (callee cleans six arguments): the step's primary items.
std::int32_t QZR_STDCALL batchPrimaryHook(unsigned char** cursor, std::uint32_t, std::uint32_t, std::uint32_t,
                                          std::uint32_t, std::uint32_t) noexcept;
// At host call 0x605579, member call on the host's run list (count +12, count array +32): index
// 0 copies the runs; every index gives the run's count.
std::int32_t QZR_THISCALL batchSegmentsHook(void* runList, std::int32_t index, unsigned char** cursor) noexcept;
// At host call 0x605588 (callee cleans two arguments): 0, without the host.
std::int32_t QZR_STDCALL returnZeroHook(std::uint32_t, std::uint32_t) noexcept;
// At host call 0x6057D3 (callee cleans three arguments): 1, without the host.
std::int32_t QZR_STDCALL returnOneHook(std::uint32_t, std::uint32_t, std::uint32_t) noexcept;
// At host call 0x4BF713 (callee cleans one argument): nothing.
void QZR_STDCALL noOpHook(std::uint32_t) noexcept;

}  // namespace kvl::host
