#include "plugin/foundation/texts/text_encoding.h"

#include <vector>

namespace kvl {

bool toWide(const std::string& src, std::wstring& out, UINT codePage) {
  if (src.empty()) return true;
  const int size = MultiByteToWideChar(codePage, 0, src.c_str(), -1, nullptr, 0);
  if (size < 1) return false;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(size), L'\0');
  if (MultiByteToWideChar(codePage, 0, src.c_str(), -1, buffer.data(), size) != size) return false;
  out.assign(buffer.data());
  return true;
}

bool toNarrow(const std::wstring& src, std::string& out, UINT codePage) {
  if (src.empty()) return true;
  const int size = WideCharToMultiByte(codePage, 0, src.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size < 1) return false;
  std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(codePage, 0, src.c_str(), -1, buffer.data(), size, nullptr, nullptr) != size) return false;
  out.assign(buffer.data());
  return true;
}

bool fromUtf8(const std::string& src, std::wstring& out) { return toWide(src, out, CP_UTF8); }

bool toUtf8(const std::wstring& src, std::string& out) { return toNarrow(src, out, CP_UTF8); }

std::wstring utf8ToWide(const std::string& src) {
  std::wstring out;
  fromUtf8(src, out);
  return out;
}

}  // namespace kvl
