#include <windows.h>

#include "text/AnsiText.h"

namespace {
constexpr UINT kJapaneseCodePage = 932;
}

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    const int n = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), n, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int n = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, nullptr, 0);
    std::wstring out(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, out.data(), size);
    return out;
}

bool IsSingleByteChar(wchar_t c) {
    if (c < 0x80) return true;
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(kJapaneseCodePage, WC_NO_BEST_FIT_CHARS, &c, 1, bytes,
                                         sizeof bytes, nullptr, &usedDefault);
    return size == 1 && !usedDefault;
}
