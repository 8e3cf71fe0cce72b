#include "tools/animscan/private_file_view.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kvl::tools {

namespace {

#ifdef _WIN32
// Opened as the C runtime opens a file for reading: other programs may still read, write and
// delete it. A mapped file cannot be cut short meanwhile, so the view stays whole.
uint8_t* mapPrivately(const std::string& path, std::size_t& size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER length{};
  uint8_t* view = nullptr;
  if (GetFileSizeEx(file, &length) && length.QuadPart > 0 &&
      static_cast<unsigned long long>(length.QuadPart) <= SIZE_MAX) {
    if (HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_WRITECOPY, 0, 0, nullptr)) {
      view = static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0));
      if (view) size = static_cast<std::size_t>(length.QuadPart);
      CloseHandle(mapping);
    }
  }
  CloseHandle(file);
  return view;
}

void unmap(uint8_t* view, std::size_t) { UnmapViewOfFile(view); }
#else
uint8_t* mapPrivately(const std::string& path, std::size_t& size) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  uint8_t* view = nullptr;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    void* p = mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
    if (p != MAP_FAILED) {
      view = static_cast<uint8_t*>(p);
      size = static_cast<std::size_t>(st.st_size);
    }
  }
  close(fd);
  return view;
}

void unmap(uint8_t* view, std::size_t size) { munmap(view, size); }
#endif

}  // namespace

PrivateFileView::PrivateFileView(const std::string& path) {
  mapped_ = mapPrivately(path, mappedSize_);
  if (!mapped_) read_ = readWholeFile(path);
}

PrivateFileView::~PrivateFileView() {
  if (mapped_) unmap(mapped_, mappedSize_);
}

}  // namespace kvl::tools
