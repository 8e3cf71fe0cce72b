#include "common/ini/ini_name_lists.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace kvl {

namespace {

constexpr DWORD kListBufferSize = 1048576;

// Appends the NUL-separated names of a list buffer; the buffer's last byte is never written by
// the system, so every name is terminated.
void appendNames(const std::vector<char>& buffer, std::deque<std::string>& out) {
  std::size_t at = 0;
  while (at < buffer.size()) {
    const char* name = buffer.data() + at;
    const std::size_t length = std::strlen(name);
    if (length == 0) break;
    out.push_back(std::string(name, length));
    at += length + 1;
  }
}

}  // namespace

void appendIniSectionNames(const std::string& fullPath, std::deque<std::string>& out) {
  std::vector<char> buffer(kListBufferSize, '\0');
  GetPrivateProfileSectionNamesA(buffer.data(), kListBufferSize - 1, fullPath.c_str());
  buffer.back() = '\0';
  appendNames(buffer, out);
}

void appendIniKeyNames(const std::string& fullPath, const std::string& section, std::deque<std::string>& out) {
  std::vector<char> buffer(kListBufferSize, '\0');
  GetPrivateProfileStringA(section.c_str(), nullptr, nullptr, buffer.data(), kListBufferSize - 1, fullPath.c_str());
  buffer.back() = '\0';
  appendNames(buffer, out);
}

}  // namespace kvl
