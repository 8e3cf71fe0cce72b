#include "common/daemon/daemon_channel.h"

namespace kvl {

namespace {

SECURITY_ATTRIBUTES inheritableAttributes() {
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof(SECURITY_ATTRIBUTES);
  sa.lpSecurityDescriptor = nullptr;
  sa.bInheritHandle = TRUE;
  return sa;
}

void createEvent(ChannelEvent& event) {
  SECURITY_ATTRIBUTES sa = inheritableAttributes();
  event.handle = CreateEventA(&sa, TRUE, FALSE, nullptr);
  event.lastError = GetLastError();
  event.owned = 1;
}

void closeEvent(ChannelEvent& event) {
  if (event.owned && event.handle) CloseHandle(event.handle);
  event.handle = nullptr;
}

}  // namespace

void SharedMapping::close() {
  if (view) UnmapViewOfFile(view);
  view = nullptr;
  if (owned && mapping) CloseHandle(mapping);
  mapping = nullptr;
}

ScopedHandle::~ScopedHandle() {
  if (owned_ && handle_) CloseHandle(handle_);
}

DaemonChannel::DaemonChannel(size_t blockSize) : blockSize_(blockSize) {
  SECURITY_ATTRIBUTES sa = inheritableAttributes();
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0,
                                static_cast<DWORD>(blockSize), nullptr);
  mappingOwned_ = 1;
  if (mapping_) view_ = MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, blockSize);
  createEvent(request_);
  createEvent(reply_);
  sa = inheritableAttributes();
  mutex_ = CreateMutexA(&sa, FALSE, nullptr);
  mutexOwned_ = 1;
}

void DaemonChannel::close() {
  if (mutexOwned_ && mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
  closeEvent(reply_);
  closeEvent(request_);
  if (view_) UnmapViewOfFile(view_);
  view_ = nullptr;
  if (mappingOwned_ && mapping_) CloseHandle(mapping_);
  mapping_ = nullptr;
}

}  // namespace kvl
