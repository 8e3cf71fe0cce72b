#include "plugin/tracks/lbs_load_hooks.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "common/lbs/lb2_loader.h"
#include "common/lbs/lb2_walker.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/host_string.h"
#include "plugin/host/model/spindle_track_routines.h"

namespace kvl::tracks {

using host::HostTrackLoaderObject;
using host::SpindleTrackRoutines;

namespace {

// The plugin's read buffer in the host's read-buffer layout (data, read position, size), the
// size showing the capacity. Its data block comes from the process heap.
struct FileBuffer {
  std::uint8_t* data;
  std::int32_t position;
  std::int32_t capacity;
  std::uint8_t mapped;
  host::HostWord file;
  host::HostWord mapping;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(FileBuffer) == 24, "read buffer record");

// The loaded bytes at the start of the buffer, read position 0.
bool fill(FileBuffer& b, const std::uint8_t* bytes, std::size_t n) {
  if (n > 0x7FFFFFFF) return false;
  const auto size = static_cast<std::int32_t>(n);
  if (b.capacity < size) {
    if (b.data != nullptr) HeapFree(GetProcessHeap(), 0, b.data);
    b.capacity = 0;
    b.data = static_cast<std::uint8_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, n == 0 ? 1 : n));
    if (b.data == nullptr) return false;
    b.capacity = size;
  }
  b.position = 0;
  if (n > 0) std::memcpy(b.data, bytes, n);
  return true;
}

// Nothing for the host to read: no earlier bytes are left behind.
void empty(FileBuffer& b) {
  if (b.data != nullptr) HeapFree(GetProcessHeap(), 0, b.data);
  b.data = nullptr;
  b.capacity = 0;
  b.position = 0;
}

Lb2Loader& lb2() {
  static Lb2Loader loader;
  return loader;
}

// The plugin's buffer while a walk runs.
FileBuffer* walkBuffer = nullptr;

// Hands the walk's segments to the module's routines through the loader's read buffer.
class HostSink final : public Lb2Sink {
 public:
  HostSink(void* loader, FileBuffer& buffer) : loader_(loader), buffer_(buffer) {}

  void geomBlocks(Lb2Walker&, const uint8_t* header, std::size_t size) override {
    if (fill(buffer_, header, size)) SpindleTrackRoutines::geomBlocks(loader_);
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
  // Not handed to the host: the block object would go to the host's per-segment list number
  // segIdx, and the size of one list in that vector is not known, so no list can be addressed.
  void objectBlock(int32_t, const uint8_t*, std::size_t) override {}
  void visibleObjects(const uint8_t* segment, std::size_t size) override {
    if (fill(buffer_, segment, size)) SpindleTrackRoutines::visibleObjects(loader_);
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
    // The host frees the block as it frees the block of its own read.
    auto* data = static_cast<std::uint8_t*>(host::hostRuntimeMalloc(bytes == 0 ? 1 : bytes));
    if (data == nullptr) {
      CloseHandle(file);
      return 0;
    }
    std::memset(data, 0, bytes == 0 ? 1 : bytes);
    DWORD total = 0;
    while (total < bytes) {
      DWORD got = 0;
      if (!ReadFile(file, data + total, bytes - total, &got, nullptr) || got == 0) break;
      total += got;
    }
    CloseHandle(file);
    if (total != bytes) {
      host::hostRuntimeFree(data);
      return 0;
    }
    host::fieldAt<host::HostWord>(record, 0) = static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(data));
    host::fieldAt<std::int32_t>(record, 4) = 0;
    host::fieldAt<std::int32_t>(record, 8) = static_cast<std::int32_t>(bytes);
    return 1;
  } catch (...) {
    return 0;
  }
}

void readLb2File(void* loader) noexcept {
  if (loader == nullptr || !lb2().hasStream()) return;
  auto* buffer = static_cast<FileBuffer*>(host::hostRuntimeAlloc(sizeof(FileBuffer)));
  if (buffer == nullptr) return;
  std::memset(buffer, 0, sizeof *buffer);
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
  empty(*buffer);
  host::hostRuntimeRelease(buffer);
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
      if (!lb2().readGeomBlocks(bytes) || !fill(b, bytes.data(), bytes.size())) empty(b);
    }
    return SpindleTrackRoutines::readGeomData(a, buffer);
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::tracks
