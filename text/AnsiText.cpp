#include "text/AnsiText.h"

#include <algorithm>

#include "text/CodePage.h"
#include "text/Unicode.h"

std::optional<std::string> ToAnsi(std::wstring_view text) {
    if (IsAscii(text)) return std::string(text.begin(), text.end());
    return EncodeAnsiExactly(text);
}

bool WritesBackAs(std::wstring_view text, std::string_view bytes) {
    if (IsAscii(text)) return std::equal(text.begin(), text.end(), bytes.begin(), bytes.end());
    return EncodeAnsi(text) == bytes;
}

std::wstring_view FirstUnfitting(std::wstring_view text) {
    for (size_t at = 0; at < text.size();) {
        // A character beyond the basic plane is two UTF-16 units on Windows.
        const size_t length =
            IsHighSurrogate(static_cast<char32_t>(text[at])) && at + 1 < text.size() ? 2 : 1;
        const std::wstring_view character = text.substr(at, length);
        if (!ToAnsi(character)) return character;
        at += length;
    }
    return {};
}

bool IsSingleByteChar(wchar_t c) {
    const std::optional<std::string> bytes = ToAnsi(std::wstring_view(&c, 1));
    return bytes && bytes->size() == 1;
}

std::wstring Trim(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    const auto last = text.find_last_not_of(L' ');
    return std::wstring(text.substr(first, last - first + 1));
}
