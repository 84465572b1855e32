#include "text/AnsiText.h"

#include <windows.h>

#include "text/CodePage.h"

bool AnsiIsUtf8() { return GetACP() == CP_UTF8; }

namespace {

// Room for the bytes of any text: two a unit in a double-byte code page, three in UTF-8.
size_t MostBytes(std::wstring_view text) { return text.size() * (AnsiIsUtf8() ? 3 : 2); }

}  // namespace

// Each conversion is one call into room made for its longest result.
std::string EncodeAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    // No best-fit look-alikes; a system whose ANSI code page is UTF-8 takes no such flag.
    const DWORD flags = AnsiIsUtf8() ? 0 : WC_NO_BEST_FIT_CHARS;
    std::string out(MostBytes(text), '\0');
    const int size =
        WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(static_cast<size_t>(size > 0 ? size : 0));
    return out;
}

std::optional<std::string> EncodeAnsiExactly(std::wstring_view text) {
    if (text.empty()) return std::string();
    // Without best fit, a character that would not read back as itself is written as the
    // default character, and the system says so; UTF-8 holds every character but a lone
    // surrogate, which the conversion then refuses.
    const bool utf8 = AnsiIsUtf8();
    BOOL replaced = FALSE;
    std::string out(MostBytes(text), '\0');
    const int size =
        WideCharToMultiByte(CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, text.data(),
                            static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()),
                            nullptr, utf8 ? nullptr : &replaced);
    if (size <= 0 || replaced) return std::nullopt;
    out.resize(static_cast<size_t>(size));
    return out;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    // Never more characters than bytes.
    std::wstring out(bytes.size(), L'\0');
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                         out.data(), static_cast<int>(out.size()));
    out.resize(static_cast<size_t>(size > 0 ? size : 0));
    return out;
}
