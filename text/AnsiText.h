#pragma once
// Text crosses the file, the registry and the tray tip in the system's ANSI code page
// (code page 932 on the systems this program is made for).

#include <string>
#include <string_view>

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// True for the characters code page 932 stores in one byte: ASCII and half-width katakana.
bool IsSingleByteChar(wchar_t c);

std::wstring Trim(std::wstring_view text);  // leading and trailing spaces only
