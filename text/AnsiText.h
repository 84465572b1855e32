#pragma once
// Text crosses the file, the registry and the tray tip in the system's ANSI code page
// (code page 932 on the systems this program is made for).

#include <optional>
#include <string>
#include <string_view>

// The text in the ANSI code page, exactly as it stands. When a character has no place in the
// code page, where the system would write a "?" or a look-alike, nothing is returned.
std::optional<std::string> ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// Whether writing `text` to the code page gives exactly `bytes`: not so for bytes that do not
// decode, nor for a character the code page spells two ways, read in its other spelling.
bool WritesBackAs(std::wstring_view text, std::string_view bytes);

// The first character of `text` that the ANSI code page cannot hold (two UTF-16 units for one
// beyond the basic plane), or an empty view when every character fits.
std::wstring_view FirstUnfitting(std::wstring_view text);

// True for the characters the ANSI code page stores in one byte: on the systems this program
// is made for, ASCII and half-width katakana.
bool IsSingleByteChar(wchar_t c);

// Where Windows' ANSI code page is UTF-8 (a setting of Windows 10 and 11), the program's own
// files are UTF-8 without a mark; elsewhere code page 932.
bool AnsiIsUtf8();

std::wstring Trim(std::wstring_view text);  // leading and trailing spaces only
