#pragma once
// UTF-8 and UTF-16, as other editors save text, to and from the platform's wide text: UTF-16
// on Windows, one code point a character where wchar_t is 32 bits wide.

#include <optional>
#include <string>
#include <string_view>

// Nothing when the bytes are not well-formed UTF-8 (overlong forms, surrogates and code
// points beyond U+10FFFF included).
std::optional<std::wstring> FromUtf8(std::string_view bytes);
std::string ToUtf8(std::wstring_view text);

// Two bytes a unit, in the order given; a last odd byte is dropped.
std::wstring FromUtf16(std::string_view bytes, bool bigEndian);

// Below 0x80 a unit is the same character in ASCII, UTF-8, UTF-16 and code page 932.
bool IsAscii(std::string_view bytes);
bool IsAscii(std::wstring_view text);
// The first unit of a character beyond the basic plane in UTF-16.
bool IsHighSurrogate(char32_t c);
