#include "plugin/host/model/spindle_track_routines.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

namespace {

template <std::uint32_t VirtualAddress, typename Fn>
Fn spindleFunction() {
  return reinterpret_cast<Fn>(Spindle3DAddress(VirtualAddress).resolve());
}

void* wordPointer(const void* object, std::size_t offset) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}

}  // namespace

// The module may be loaded anywhere: each call resolves against its recorded load address.
void SpindleTrackRoutines::processLbs(void* loader) {
  spindleFunction<0x60053B70, void(QZR_THISCALL*)(void*, void*)>()(loader, loader);
}
void SpindleTrackRoutines::geomBlocks(void* loader) {
  spindleFunction<0x600553B0, void(QZR_THISCALL*)(void*, void*)>()(loader, loader);
}
std::int32_t SpindleTrackRoutines::readGeomData(std::int32_t a, void* buffer) {
  return spindleFunction<0x6005F1E0, std::int32_t(QZR_CDECL*)(std::int32_t, void*)>()(a, buffer);
}
void* SpindleTrackRoutines::objectBlock(void* loader) {
  return spindleFunction<0x60056150, void*(QZR_THISCALL*)(void*, void*)>()(loader, loader);
}
void SpindleTrackRoutines::addToSegmentList(void* list, void* block) {
  spindleFunction<0x60024A60, void(QZR_THISCALL*)(void*, void*)>()(list, block);
}
void SpindleTrackRoutines::constructHolder(void* holder, void* source) {
  spindleFunction<0x6002DA40, void(QZR_THISCALL*)(void*, void*)>()(holder, source);
}
void SpindleTrackRoutines::visibleObjects(void* loader) {
  spindleFunction<0x600526B0, void(QZR_THISCALL*)(void*)>()(loader);
}
std::int32_t SpindleTrackRoutines::reloadGeometry(void* object) {
  return spindleFunction<0x600526C0, std::int32_t(QZR_THISCALL*)(void*)>()(object);
}
void SpindleTrackRoutines::drawWithRenderState(void* object, std::uint32_t argument) {
  spindleFunction<0x6006ACE0, void(QZR_THISCALL*)(void*, std::uint32_t)>()(object, argument);
}

void* hostApplicationPaths() noexcept {
  void* application = hostGlobal<0x7EA990, void*>();
  return application == nullptr ? nullptr : wordPointer(application, 0x40);
}

void* firstSegmentList(const void* loader) noexcept {
  const void* source = wordPointer(loader, HostTrackLoaderObject::kSegmentSourceOffset);
  const void* segments = source == nullptr ? nullptr : wordPointer(source, 0);
  if (segments == nullptr) return nullptr;
  const HostWord begin = fieldAt<HostWord>(segments, HostSegmentStructure::kListsBeginOffset);
  const HostWord end = fieldAt<HostWord>(segments, HostSegmentStructure::kListsEndOffset);
  return begin != 0 && begin < end ? reinterpret_cast<void*>(static_cast<std::uintptr_t>(begin)) : nullptr;
}

}  // namespace kvl::host
