#include "fuzz/Checks.h"

#include <cstdio>
#include <cstdlib>

#include "core/MainBas.h"
#include "core/ProxyListFormat.h"
#include "text/AnsiText.h"
#include "text/Unicode.h"

std::string CheckProxyList(std::string_view bytes) {
    if (const std::optional<std::wstring> text = FromUtf8(bytes); text && ToUtf8(*text) != bytes)
        return "UTF-8 read as another text than it spells";
    const ParsedProxyList loaded = ParseProxyList(bytes);
    if (static_cast<int32_t>(loaded.entries.size()) > kMaxProxyEntries)
        return "more entries than the table holds";
    const std::optional<std::string> formatted = FormatProxyList(loaded.entries);
    // Another editor's UTF-8 may hold characters the code page lacks: that save is refused.
    if (!formatted && loaded.encoding == ListEncoding::AnsiCodePage)
        return "a list read from the code page cannot be saved";
    if (!formatted) return "";
    const std::string& saved = *formatted;
    const ParsedProxyList reloaded = ParseProxyList(saved);
    // Code page 932 can spell valid UTF-8 by chance, never in Japanese as people write it;
    // a list taken for UTF-8 is kept whole by the next save, so nothing is lost even then.
    if (reloaded.encoding == ListEncoding::Utf8) return "";
    if (reloaded.entries.size() != loaded.entries.size())
        return "a saved list loads with another number of entries";
    if (FormatProxyList(reloaded.entries) != saved)
        return "a saved list does not load back as it was saved";
    return "";
}

std::string CheckProxyServer(std::string_view bytes) {
    const std::wstring text = FromAnsi(bytes);
    const std::wstring cut = MainBas::CutNullChars(text);
    if (!cut.empty() && cut.back() == L'\0') return "a trailing NUL is left";
    if (text.compare(0, cut.size(), cut) != 0) return "cutting NULs changed the text before them";
    if (text.find_first_not_of(L'\0', cut.size()) != std::wstring::npos)
        return "cutting NULs took more than NULs";

    AppState state;
    state.NowProxyName = L"old";
    state.NowPortNo = L"old";
    MainBas::SplitProxyServer(state, cut);
    const std::wstring& name = state.NowProxyName;
    const std::wstring& port = state.NowPortNo;
    if (name.empty() && port.empty()) return "";
    const size_t colon = cut.find(L':');
    if (colon == std::wstring::npos) return "split without a colon";
    if (cut.compare(0, name.size(), name) != 0 || cut[name.size()] != L':')
        return "the address is not the text before a colon";
    if (port != cut.substr(colon + 1)) return "the port is not the text after the first colon";
    return "";
}

namespace {

// UTF-16 units, as Windows holds text, in the platform's wide characters: where those are 32
// bits wide, a surrogate pair becomes the one character it stands for.
std::wstring WideText(std::string_view bytes) {
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                       static_cast<uint8_t>(bytes[i + 1]) << 8);
    auto isHigh = [](char32_t u) { return u >= 0xD800 && u <= 0xDBFF; };
    auto isLow = [](char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
    std::wstring text;
    for (size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (sizeof(wchar_t) == 4 && isHigh(unit) && i + 1 < units.size() && isLow(units[i + 1]))
            text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
        else
            text += static_cast<wchar_t>(unit);
    }
    return text;
}

}  // namespace

std::string CheckAnsiText(std::string_view bytes) {
    const std::wstring text = WideText(bytes);
    const std::optional<std::string> ansi = ToAnsi(text);
    if (ansi && FromAnsi(*ansi) != text) return "a text was altered on its way to the code page";
    if (ansi.has_value() == !FirstUnfitting(text).empty())
        return "the whole text and its characters disagree on whether it fits";
    for (const wchar_t c : text) {
        const std::optional<std::string> one = ToAnsi(std::wstring_view(&c, 1));
        if (IsSingleByteChar(c) != (one && one->size() == 1))
            return "the single-byte test disagrees with the conversion";
    }
    const std::wstring decoded = FromAnsi(bytes);
    if (!ToAnsi(decoded)) return "a text read from the code page cannot be written back";
    return "";
}

int StopOnFailure(const std::string& failure) {
    if (failure.empty()) return 0;
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
}
