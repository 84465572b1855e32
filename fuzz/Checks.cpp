#include "fuzz/Checks.h"

#include <cstdio>
#include <cstdlib>

#include "text/AnsiText.h"
#include "core/MainBas.h"
#include "core/ProxyListFormat.h"

std::string CheckProxyList(std::string_view bytes) {
    const ParsedProxyList loaded = ParseProxyList(bytes);
    if (static_cast<int32_t>(loaded.entries.size()) > kMaxProxyEntries) return "more entries than the table holds";
    const std::string saved = FormatProxyList(loaded.entries);
    const ParsedProxyList reloaded = ParseProxyList(saved);
    if (reloaded.entries.size() != loaded.entries.size()) return "a saved list loads with another number of entries";
    if (FormatProxyList(reloaded.entries) != saved) return "a saved list does not load back as it was saved";
    return "";
}

std::string CheckProxyServer(std::string_view bytes) {
    const std::wstring text = FromAnsi(bytes);
    const std::wstring cut = MainBas::CutNullChars(text);
    if (!cut.empty() && cut.back() == L'\0') return "a trailing NUL is left";
    if (text.compare(0, cut.size(), cut) != 0) return "cutting NULs changed the text before them";
    if (text.find_first_not_of(L'\0', cut.size()) != std::wstring::npos) return "cutting NULs took more than NULs";

    AppState state;
    state.NowProxyName = L"old";
    state.NowPortNo = L"old";
    MainBas::SplitProxyServer(state, cut);
    const std::wstring& name = state.NowProxyName;
    const std::wstring& port = state.NowPortNo;
    if (name.empty() && port.empty()) return "";
    const size_t colon = cut.find(L':');
    if (colon == std::wstring::npos) return "split without a colon";
    if (cut.compare(0, name.size(), name) != 0 || cut[name.size()] != L':') return "the address is not the text before a colon";
    if (port != cut.substr(colon + 1)) return "the port is not the text after the first colon";
    return "";
}

int StopOnFailure(const std::string& failure) {
    if (failure.empty()) return 0;
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
}
