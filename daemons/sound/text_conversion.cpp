#include "daemons/sound/text_conversion.h"

#include <windows.h>

namespace kvl {

bool utf8ToWide(const std::string& text, unsigned codePage, std::wstring& out) {
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (needed <= 0) return false;
  std::wstring converted(static_cast<size_t>(needed), L'\0');
  const int written = MultiByteToWideChar(codePage, 0, text.data(), size, &converted[0], needed);
  if (written != needed) return false;
  out = converted;
  return true;
}

bool wideToMultiByte(const std::wstring& text, unsigned codePage, std::string& out) {
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  std::string converted(static_cast<size_t>(needed), '\0');
  const int written = WideCharToMultiByte(codePage, 0, text.data(), size, &converted[0], needed,
                                          nullptr, nullptr);
  if (written != needed) return false;
  out = converted;
  return true;
}

namespace {

// From one code page to another through UTF-16; empty when a step fails.
std::string throughWide(const std::string& text, unsigned from, unsigned to) {
  std::wstring wide;
  if (!utf8ToWide(text, from, wide)) return std::string();
  std::string converted;
  if (!wideToMultiByte(wide, to, converted)) return std::string();
  return converted;
}

}  // namespace

std::string systemToUtf8(const std::string& text) { return throughWide(text, CP_ACP, CP_UTF8); }

std::string utf8ToSystem(const std::string& text) { return throughWide(text, CP_UTF8, CP_ACP); }

}  // namespace kvl
