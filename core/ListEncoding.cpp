#include "core/ListEncoding.h"

#include <algorithm>
#include <optional>

#include "text/AnsiText.h"
#include "text/Unicode.h"

namespace {

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

// Code page 932 text can pass for UTF-8 (half-width katakana before a full-width character
// can), so a list that is valid UTF-8 is taken for UTF-8 only as what Notepad makes of
// Japanese: characters from U+0800 on, which take three bytes, all of them ones the list can
// be saved with; or, holding others, as long as it would not be read back exactly as code
// page 932 either.
bool LooksLikeUtf8(std::string_view bytes, const std::wstring& text) {
    const bool japanese =
        std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x800; });
    return japanese && (ToAnsi(text) || !WritesBackAs(FromAnsi(bytes), bytes));
}

// A byte that does not decode may take the next one with it, and that may be a separator. No
// separator can be the second byte of a character, so a list that did not decode exactly is
// decoded again between its separators, which then all stand.
std::wstring DecodeBetweenSeparators(std::string_view bytes) {
    std::wstring text;
    while (!bytes.empty()) {
        const size_t stop = bytes.find_first_of(",\"\r\n");
        text += FromAnsi(bytes.substr(0, stop));
        if (stop == std::string_view::npos) break;
        text += static_cast<wchar_t>(bytes[stop]);
        bytes.remove_prefix(stop + 1);
    }
    return text;
}

DecodedList Foreign(std::wstring text, ListEncoding encoding) {
    return {std::move(text), encoding, false};
}

// Where the ANSI code page itself is UTF-8 (a Windows setting), UTF-8 is the program's own.
DecodedList ReadAsUtf8(std::string_view bytes, std::wstring text) {
    if (FromAnsi(bytes) == text && WritesBackAs(text, bytes))
        return {std::move(text), ListEncoding::AnsiCodePage, true};
    return Foreign(std::move(text), ListEncoding::Utf8);
}

}  // namespace

DecodedList DecodeListBytes(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        const std::string_view body = bytes.substr(3);
        std::optional<std::wstring> text = FromUtf8(body);
        return text ? Foreign(std::move(*text), ListEncoding::Utf8)
                    : Foreign(DecodeBetweenSeparators(body), ListEncoding::AnsiCodePage);
    }
    if (StartsWith(bytes, "\xFF\xFE"))
        return Foreign(FromUtf16(bytes.substr(2), false), ListEncoding::Utf16);
    if (StartsWith(bytes, "\xFE\xFF"))
        return Foreign(FromUtf16(bytes.substr(2), true), ListEncoding::Utf16);
    if (!IsAscii(bytes))
        if (std::optional<std::wstring> text = FromUtf8(bytes); text && LooksLikeUtf8(bytes, *text))
            return ReadAsUtf8(bytes, std::move(*text));
    std::wstring text = FromAnsi(bytes);
    if (WritesBackAs(text, bytes)) return {std::move(text), ListEncoding::AnsiCodePage, true};
    return Foreign(DecodeBetweenSeparators(bytes), ListEncoding::AnsiCodePage);
}
