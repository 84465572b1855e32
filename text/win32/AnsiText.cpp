#include "text/AnsiText.h"

#include <windows.h>

#include "text/CodePage.h"

std::string EncodeAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    // No best-fit look-alikes; a system whose ANSI code page is UTF-8 takes no such flag.
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int n = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, flags, text.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), n, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int n = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, out.data(), size);
    return out;
}

bool DecodesTo(std::string_view bytes, std::wstring_view text) { return FromAnsi(bytes) == text; }
