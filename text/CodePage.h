#pragma once
// What each platform provides: the conversion to the ANSI code page.

#include <optional>
#include <string>
#include <string_view>

// As the system makes it, which may put a "?" or a look-alike where a character has no place.
std::string EncodeAnsi(std::wstring_view text);
// Exactly, or nothing: no character replaced, and every character written reads back as
// itself, never as a look-alike that the code page spells the same.
std::optional<std::string> EncodeAnsiExactly(std::wstring_view text);
