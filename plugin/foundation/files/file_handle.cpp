#include "plugin/foundation/files/file_handle.h"

namespace kvl::io {

FileHandle::FileHandle() = default;

FileHandle::~FileHandle() { close(); }

void FileHandle::close() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  // The handle is protected against stray closes while it is held; lift that first.
  SetHandleInformation(handle_, HANDLE_FLAG_PROTECT_FROM_CLOSE, 0);
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

bool FileHandle::open(const std::string& path) {
  close();
  const HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  handle_ = handle;
  if (!queryInformation()) return false;
  SetHandleInformation(handle_, HANDLE_FLAG_PROTECT_FROM_CLOSE, HANDLE_FLAG_PROTECT_FROM_CLOSE);
  return true;
}

bool FileHandle::queryInformation() {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  return GetFileInformationByHandle(handle_, &information_) != 0;
}

bool FileHandle::isUnchanged() const {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION now{};
  if (GetFileInformationByHandle(handle_, &now) == 0) return false;
  const BY_HANDLE_FILE_INFORMATION& was = information_;
  return now.ftLastWriteTime.dwLowDateTime == was.ftLastWriteTime.dwLowDateTime &&
         now.ftLastWriteTime.dwHighDateTime == was.ftLastWriteTime.dwHighDateTime &&
         now.dwVolumeSerialNumber == was.dwVolumeSerialNumber && now.nFileSizeHigh == was.nFileSizeHigh &&
         now.nFileSizeLow == was.nFileSizeLow && now.nFileIndexHigh == was.nFileIndexHigh &&
         now.nFileIndexLow == was.nFileIndexLow;
}

}  // namespace kvl::io
