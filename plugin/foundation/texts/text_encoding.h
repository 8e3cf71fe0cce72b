#pragma once
#include <windows.h>

#include <string>

// Conversions between narrow texts in a code page (the system's, or UTF-8) and wide UTF-16
// texts. A failure leaves `out` untouched; an empty source succeeds and leaves it untouched
// too. A source is converted up to its first zero character; invalid input is not rejected
// but replaced by the system.
namespace kvl {

bool toWide(const std::string& src, std::wstring& out, UINT codePage);
bool toNarrow(const std::wstring& src, std::string& out, UINT codePage);
bool fromUtf8(const std::string& src, std::wstring& out);
bool toUtf8(const std::wstring& src, std::string& out);
// The wide form of a UTF-8 text; empty when the conversion fails.
std::wstring utf8ToWide(const std::string& src);

}  // namespace kvl
