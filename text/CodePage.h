#pragma once
// What each platform provides: the conversion to the ANSI code page as the system makes it,
// which may put a "?" or a look-alike where a character has no place.

#include <string>
#include <string_view>

std::string EncodeAnsi(std::wstring_view text);
// Whether the bytes read in the ANSI code page give exactly this text.
bool DecodesTo(std::string_view bytes, std::wstring_view text);
