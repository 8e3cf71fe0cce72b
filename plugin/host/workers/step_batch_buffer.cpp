#include "plugin/host/workers/step_batch_buffer.h"

#include <cstring>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/memory_patch.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/events/host_listener.h"
#include "plugin/host/model/host_menu_drawing.h"
#include "plugin/host/model/host_object_bindings.h"

namespace kvl::host {
namespace {

constexpr std::uint32_t kConsumerGlobal = 0x167EA90u;
constexpr std::uint32_t kApplicationGlobal = 0x7EA990u;
constexpr std::size_t kItemSourceOffset = 80;
constexpr std::size_t kRunCountOffset = 12;
constexpr std::size_t kListenerOffset = 1840;
constexpr std::uint32_t kGraphicsReadSite = 0x602366u;

struct Vector3 {
  float x, y, z;
};

void* pointerAt(const void* object, std::size_t offset) {
  return object == nullptr ? nullptr
                           : reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}

// The host's item routines over one item source.
class HostFiller final : public BatchFiller {
 public:
  HostFiller(void* source, HostWord geometryWord) : source_(source), geometryWord_(geometryWord) {}
  std::int32_t fillPrimary(unsigned char** cursor) override {
    Vector3 v{0.0f, 2.3f, -0.3f};
    return hostFunction<0x603FE0, std::int32_t(QZR_THISCALL*)(void*, unsigned char**, Vector3*, float, float,
                                                               std::int32_t, HostWord)>()(
        source_, cursor, &v, 2.0f, 4.2f, 0, geometryWord_);
  }
  std::int32_t runCount() override { return fieldAt<std::int32_t>(source_, kRunCountOffset); }
  std::int32_t fillFirst(std::int32_t run, unsigned char** cursor) override {
    return hostFunction<0x604960, std::int32_t(QZR_THISCALL*)(void*, std::int32_t, unsigned char**)>()(source_, run,
                                                                                                        cursor);
  }
  std::int32_t fillSecond(std::int32_t run, unsigned char** cursor) override {
    return hostFunction<0x604610, std::int32_t(QZR_THISCALL*)(void*, std::int32_t, unsigned char**)>()(source_, run,
                                                                                                        cursor);
  }

 private:
  void* source_;
  HostWord geometryWord_;
};

// The word the patched graphics read goes through: the stand-in's address.
HostWord graphicsStandInWord = 0;

Spindle3DAddress geometryRoot(0x601DDF88);

}  // namespace

StepBatchBuffer::StepBatchBuffer() = default;

void StepBatchBuffer::bind() {
  consumer_ = reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<kConsumerGlobal, HostWord>()));
  itemSource_ = pointerAt(hostGlobal<kApplicationGlobal, void*>(), kItemSourceOffset);
  // The geometry root's linked object; its word at +84 goes to the primary fill.
  void* rootSlot = geometryRoot.resolve();
  geometryTable_ = rootSlot == nullptr ? nullptr : SpindleGeometryRoot::linkedObject(pointerAt(rootSlot, 0));
  graphics_ = HostGraphics::instance();
  patchGraphicsPointer();
}

void StepBatchBuffer::patchGraphicsPointer() {
  graphicsStandInWord = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(graphicsStandIn_));
  const auto slot = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(&graphicsStandInWord));
  MemoryPatch patch(HostAddress(kGraphicsReadSite).resolve(), &slot, 4);
  patch.apply();
}

void StepBatchBuffer::reset() {
  const std::int32_t runs = itemSource_ == nullptr ? 0 : fieldAt<std::int32_t>(itemSource_, kRunCountOffset);
  const std::size_t segments = runs > 0 ? static_cast<std::size_t>(runs) + 1 : 1;
  {
    std::lock_guard<std::mutex> filling(fillMutex_);
    std::lock_guard<std::mutex> lock(mutex_);
    a_.clear(segments);
    b_.clear(segments);
  }
  // The consumer's listener, when it has one, leaves its list.
  if (void* listener = pointerAt(consumer_, kListenerOffset)) {
    unlinkListener(*static_cast<HostListenerNode*>(addressAt(listener, 4)));
  }
}

void StepBatchBuffer::update(float seconds) {
  if (consumer_ == nullptr || itemSource_ == nullptr) return;
  std::lock_guard<std::mutex> filling(fillMutex_);
  std::memcpy(graphicsStandIn_ + kViewOffset, back_->view, StepBatch::kViewBytes);
  hostFunction<0x602240, void(QZR_THISCALL*)(void*, float)>()(consumer_, seconds);
  Vector3 v{0.0f, 2.3f, -0.3f};
  hostFunction<0x601A60, void(QZR_THISCALL*)(void*, Vector3*, float, float)>()(consumer_, &v, 2.0f, 4.2f);
  HostFiller filler(itemSource_, geometryTable_ == nullptr ? 0 : fieldAt<HostWord>(geometryTable_, 84));
  back_->fill(filler);
  std::lock_guard<std::mutex> lock(mutex_);
  std::swap(front_, back_);
}

std::int32_t StepBatchBuffer::readPrimary(unsigned char** cursor) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (graphics_ != nullptr) {
    std::memcpy(front_->view, static_cast<const unsigned char*>(graphics_) + kViewOffset, StepBatch::kViewBytes);
  }
  return front_->readPrimary(cursor);
}

void StepBatchBuffer::readSegments(std::int32_t runs, std::int32_t* counts, unsigned char** cursor) {
  std::lock_guard<std::mutex> lock(mutex_);
  front_->readSegments(runs, counts, cursor);
}

StepBatchBuffer& stepBatchBuffer() {
  static StepBatchBuffer buffer;
  return buffer;
}

std::int32_t QZR_STDCALL batchPrimaryHook(unsigned char** cursor, std::uint32_t, std::uint32_t, std::uint32_t,
                                          std::uint32_t, std::uint32_t) noexcept {
  try {
    return cursor == nullptr ? 0 : stepBatchBuffer().readPrimary(cursor);
  } catch (...) {
    return 0;
  }
}

std::int32_t QZR_THISCALL batchSegmentsHook(void* runList, std::int32_t index, unsigned char** cursor) noexcept {
  try {
    if (runList == nullptr) return 0;
    const std::int32_t runs = fieldAt<std::int32_t>(runList, kRunCountOffset);
    auto* counts = static_cast<std::int32_t*>(pointerAt(runList, 32));
    if (counts == nullptr || runs <= 0) return 0;
    if (index == 0 && cursor != nullptr) stepBatchBuffer().readSegments(runs, counts, cursor);
    return index >= 0 && index < runs ? counts[index] : 0;
  } catch (...) {
    return 0;
  }
}

std::int32_t QZR_STDCALL returnZeroHook(std::uint32_t, std::uint32_t) noexcept { return 0; }

std::int32_t QZR_STDCALL returnOneHook(std::uint32_t, std::uint32_t, std::uint32_t) noexcept { return 1; }

void QZR_STDCALL noOpHook(std::uint32_t) noexcept {}

}  // namespace kvl::host
