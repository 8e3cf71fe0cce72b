#pragma once
// Conversions between the system code page, UTF-8 and UTF-16.
#include <string>

namespace kvl {

// MultiByteToWideChar over the whole text; an empty input succeeds and leaves `out` alone.
bool utf8ToWide(const std::string& text, unsigned codePage, std::wstring& out);
// WideCharToMultiByte over the whole text, no default character.
bool wideToMultiByte(const std::wstring& text, unsigned codePage, std::string& out);
// System code page to UTF-8; empty when a step fails.
std::string systemToUtf8(const std::string& text);
// UTF-8 to the system code page; empty when a step fails.
std::string utf8ToSystem(const std::string& text);

}  // namespace kvl
