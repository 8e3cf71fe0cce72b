#include "plugin/tracks/lbs_load_hooks.h"

#include <windows.h>

#include <new>
#include <vector>

#include "common/lbs/lb2_loader.h"
#include "common/lbs/lb2_walker.h"
#include "plugin/foundation/buffers/file_buffer.h"
#include "plugin/foundation/buffers/process_heap.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/host_string.h"
#include "plugin/host/model/spindle_track_routines.h"

namespace kvl::tracks {

using host::HostTrackLoaderObject;
using host::SpindleTrackRoutines;

namespace {

Lb2Loader& lb2() {
  static Lb2Loader loader;
  return loader;
}

// The plugin's buffer while a walk runs. Host routines read it through its first three fields,
// which are laid out like the host's own read buffer.
FileBuffer* walkBuffer = nullptr;

// Hands the walk's segments to the module's routines through the loader's read buffer.
class HostSink final : public Lb2Sink {
 public:
  HostSink(void* loader, FileBuffer& buffer) : loader_(loader), buffer_(buffer) {}

  void geomBlocks(Lb2Walker&, const uint8_t* header, std::size_t size) override {
    if (buffer_.fill(header, size)) SpindleTrackRoutines::geomBlocks(loader_);
  }
  // One holder per load, however many object-block segments the file holds.
  void objectBlockHolder() override {
    if (holderMade_) return;
    holderMade_ = true;
    void* holder = host::hostRuntimeAlloc(4);
    if (holder == nullptr) return;
    void* source = reinterpret_cast<void*>(static_cast<std::uintptr_t>(
        host::fieldAt<host::HostWord>(loader_, HostTrackLoaderObject::kSegmentSourceOffset)));
    SpindleTrackRoutines::constructHolder(holder, source);
    if (void* paths = host::hostApplicationPaths()) {
      host::fieldAt<host::HostWord>(paths, HostTrackLoaderObject::kObjectHolderOffset) =
          static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(holder));
    }
  }
  // A block goes to the host's object list of its segment. Only segment 0's list has a known
  // place, the element at the lists' begin pointer: the others lie one list size apart, and that
  // size is the module's own. Their blocks are not handed to the object-block routine at all, as
  // its new block object could be filed nowhere.
  void objectBlock(int32_t segIdx, const uint8_t* block, std::size_t size) override {
    if (segIdx != 0) return;
    void* list = host::firstSegmentList(loader_);
    if (list == nullptr || !buffer_.fill(block, size)) return;
    SpindleTrackRoutines::addToSegmentList(list, SpindleTrackRoutines::objectBlock(loader_));
  }
  void visibleObjects(const uint8_t* segment, std::size_t size) override {
    if (buffer_.fill(segment, size)) SpindleTrackRoutines::visibleObjects(loader_);
  }

 private:
  void* loader_;
  FileBuffer& buffer_;
  bool holderMade_ = false;
};

}  // namespace

extern "C" std::uint8_t QZR_FASTCALL qzrReadLbsFile(void* record, const void* path) noexcept {
  try {
    if (record == nullptr || path == nullptr) return 0;
    const char* name = static_cast<const host::HostString*>(path)->c_str();
    // A stream left open by an aborted load is dropped here.
    lb2().lb2FileName(name);
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    LARGE_INTEGER size{};
    // The host's record holds a 32-bit signed size.
    if (!GetFileSizeEx(file, &size) || size.QuadPart >= 0x80000000LL) {
      CloseHandle(file);
      return 0;
    }
    const auto bytes = static_cast<DWORD>(size.QuadPart);
    // A zero-filled block of the process heap, where every block of the track files' read
    // buffers lives, so that any of their users may release it.
    auto* data = static_cast<std::uint8_t*>(processHeapAllocate(bytes));
    if (data == nullptr) {
      CloseHandle(file);
      return 0;
    }
    DWORD total = 0;
    while (total < bytes) {
      DWORD got = 0;
      if (!ReadFile(file, data + total, bytes - total, &got, nullptr) || got == 0) break;
      total += got;
    }
    CloseHandle(file);
    if (total != bytes) {
      processHeapRelease(data);
      return 0;
    }
    // The host's read buffer has the layout of the plugin's.
    host::fieldAt<host::HostWord>(record, FileBufferLayout::data) =
        static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(data));
    host::fieldAt<std::int32_t>(record, FileBufferLayout::position) = 0;
    host::fieldAt<std::int32_t>(record, FileBufferLayout::size) = static_cast<std::int32_t>(bytes);
    return 1;
  } catch (...) {
    return 0;
  }
}

void readLb2File(void* loader) noexcept {
  if (loader == nullptr || !lb2().hasStream()) return;
  void* storage = host::hostRuntimeAlloc(sizeof(FileBuffer));
  if (storage == nullptr) return;
  auto* buffer = new (storage) FileBuffer();
  auto& slot = host::fieldAt<host::HostWord>(loader, HostTrackLoaderObject::kReadBufferOffset);
  const host::HostWord previous = slot;
  slot = static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(buffer));
  walkBuffer = buffer;
  try {
    HostSink sink(loader, *buffer);
    lb2().readLb2File(sink);
  } catch (...) {
  }
  // Every path puts the host's own buffer back.
  walkBuffer = nullptr;
  slot = previous;
  buffer->~FileBuffer();
  host::hostRuntimeRelease(storage);
}

void QZR_STDCALL lb2LoadHook(void* loader) noexcept {
  try {
    SpindleTrackRoutines::processLbs(loader);
  } catch (...) {
  }
  readLb2File(loader);
}

std::int32_t QZR_CDECL readGeomBlocks(std::int32_t a, void* buffer) noexcept {
  try {
    if (buffer != nullptr && buffer == walkBuffer && lb2().walking()) {
      auto& b = *static_cast<FileBuffer*>(buffer);
      std::vector<std::uint8_t> bytes;
      // Nothing for the host to read when that fails: no earlier bytes are left behind.
      if (!lb2().readGeomBlocks(bytes) || !b.fill(bytes.data(), bytes.size())) b.release();
    }
    return SpindleTrackRoutines::readGeomData(a, buffer);
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::tracks
