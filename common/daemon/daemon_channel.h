#pragma once
// The plugin's side of a shared-memory request/reply exchange with one daemon process: an
// anonymous file mapping holding one fixed-size block, a request event, a reply event and a
// mutex, all created inheritable so that a daemon started with handle inheritance can use them
// by the handle values on its command line.
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace kvl {

// An event handle with the last system error seen after creating or using it.
struct ChannelEvent {
  HANDLE handle = nullptr;
  DWORD lastError = 0;
  uint32_t owned = 0;
};

// A file mapping and its view; closing unmaps the view and closes the mapping when owned.
struct SharedMapping {
  HANDLE mapping = nullptr;
  void* view = nullptr;
  uint32_t owned = 0;

  void close();
};

// One handle that is closed on destruction only when owned.
class ScopedHandle {
 public:
  ScopedHandle() = default;
  ScopedHandle(HANDLE handle, bool owned) : handle_(handle), owned_(owned) {}
  ~ScopedHandle();
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool owned() const { return owned_; }

 private:
  HANDLE handle_ = nullptr;
  bool owned_ = false;
};

// The handle value as a daemon's command line carries it: a signed 32-bit number. Handle values
// fit in 32 bits on both Windows widths, and a 64-bit process sign-extends them back.
inline int32_t handleValue(HANDLE h) {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(h));
}
inline HANDLE handleFromValue(int32_t value) {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(value));
}

class DaemonChannel {
 public:
  // Creates the mapping and its view, the request and reply events (manual reset, not
  // signalled) and the mutex, all inheritable and unnamed. Nothing throws: a failed creation
  // leaves a null handle (and a null view).
  explicit DaemonChannel(size_t blockSize);
  ~DaemonChannel() = default;  // the owner calls close()
  DaemonChannel(const DaemonChannel&) = delete;
  DaemonChannel& operator=(const DaemonChannel&) = delete;

  // Closes the mutex, the reply event and the request event (each when owned), then unmaps
  // the view and closes the mapping. Safe to call more than once.
  void close();

  size_t blockSize() const { return blockSize_; }
  HANDLE mapping() const { return mapping_; }
  unsigned char* view() const { return static_cast<unsigned char*>(view_); }
  ChannelEvent& requestEvent() { return request_; }
  ChannelEvent& replyEvent() { return reply_; }
  HANDLE mutex() const { return mutex_; }

 private:
  HANDLE mapping_ = nullptr;
  void* view_ = nullptr;
  uint32_t mappingOwned_ = 0;
  ChannelEvent request_;
  ChannelEvent reply_;
  HANDLE mutex_ = nullptr;
  uint32_t mutexOwned_ = 0;
  size_t blockSize_ = 0;
};

}  // namespace kvl
