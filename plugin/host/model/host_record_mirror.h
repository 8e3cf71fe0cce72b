#pragma once
// A host-layout copy of the host record at global 0x7C755C, built in plugin memory and kept by
// the 720-per-second worker.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// A 32-byte host callback object: table (deleting destructor, invoke), then words filled in
// later; invoke calls the member function at +24 on the object at +28 adjusted by +16.
struct HostCallbackObject {
  const void* table;
  HostWord words[7];
};
QZR_HOST_LAYOUT_ASSERT(sizeof(HostCallbackObject) == 32, "callback object is 32 bytes");

struct HostRecordMirror {
  static constexpr std::size_t kSize = 6240;
  static constexpr std::size_t kBlockSize = 4096;

  const void* table;
  HostWord first;   // +4
  HostWord second;  // +8
  std::uint8_t block[kBlockSize];  // +12
  HostWord third;   // +4108
  HostWord fourth;  // +4112
  std::uint8_t hostPart[6176 - 4116];
  HostCallbackObject callbackA;  // +6176
  HostCallbackObject callbackB;  // +6208

  // Sets the plugin's fields, then runs the host routine 0x5001C0 on the object. When the host
  // routine fails, the callback objects are destroyed again and false is returned.
  static bool construct(HostRecordMirror* mirror) noexcept;
  // Copies the words at +4 and +8, the block at +12 and the word at +4112 from a host record.
  static void copyFrom(HostRecordMirror* mirror, const void* source) noexcept;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(HostRecordMirror) == HostRecordMirror::kSize, "the host record is 6240 bytes");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostRecordMirror, block) == 12, "block at +12");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostRecordMirror, third) == 4108, "word at +4108");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostRecordMirror, fourth) == 4112, "word at +4112");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostRecordMirror, callbackA) == 6176, "callback at +6176");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostRecordMirror, callbackB) == 6208, "callback at +6208");

// The host record the worker copies (host global 0x7C755C).
void* hostRecordSource();

}  // namespace kvl::host
