#pragma once
// The list file as text. The program writes it in the ANSI code page without a mark; other
// editors save it as UTF-8 (Notepad's default), with or without a mark, or as UTF-16.

#include <string>
#include <string_view>

enum class ListEncoding { AnsiCodePage, Utf8, Utf16 };

struct DecodedList {
    std::wstring text;
    ListEncoding encoding = ListEncoding::AnsiCodePage;
    // A save of the same text gives the same bytes: false for another encoding, and for bytes
    // that do not decode in the code page.
    bool writesBackExactly = true;
};

DecodedList DecodeListBytes(std::string_view bytes);
