#include "core/ProxyServerValue.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "text/AnsiText.h"

namespace ProxyServerValue {
namespace {

// Windows takes a protocol's name in any case; the old value's "HTTP=" names http too.
bool Names(std::wstring_view scheme, std::wstring_view protocol) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
    return std::equal(scheme.begin(), scheme.end(), protocol.begin(), protocol.end(),
                      [&](wchar_t a, wchar_t b) { return lower(a) == b; });
}

std::vector<std::wstring> EntriesOf(const std::wstring& value) {
    std::vector<std::wstring> entries;
    size_t start = 0;
    while (start <= value.size()) {
        const size_t end = std::min(value.find(L';', start), value.size());
        std::wstring entry = Trim(std::wstring_view(value).substr(start, end - start));
        if (!entry.empty()) entries.push_back(std::move(entry));
        start = end + 1;
    }
    return entries;
}

std::wstring_view SchemeOf(const std::wstring& entry) {
    const size_t equals = entry.find(L'=');
    return equals == std::wstring::npos ? std::wstring_view()
                                        : std::wstring_view(entry).substr(0, equals);
}

Server ServerOf(const std::wstring& entry) {
    const size_t equals = entry.find(L'=');
    const std::wstring server = equals == std::wstring::npos ? entry : entry.substr(equals + 1);
    const size_t colon = server.rfind(L':');
    if (colon == std::wstring::npos) return {Trim(server), std::nullopt};
    return {Trim(server.substr(0, colon)), Trim(server.substr(colon + 1))};
}

}  // namespace

Form FormOf(const std::wstring& value) {
    const bool oneProxy = value.find(L'=') == std::wstring::npos && !Trim(value).empty();
    return oneProxy ? Form::AllProtocols : Form::HttpOnly;
}

Server HttpServerOf(const std::wstring& value) {
    std::vector<std::wstring> entries = EntriesOf(value);
    // A SOCKS server speaks no HTTP: it cannot stand in for an http proxy.
    std::erase_if(entries, [](const std::wstring& e) { return Names(SchemeOf(e), L"socks"); });
    if (entries.empty()) return {};
    const auto http = std::find_if(entries.begin(), entries.end(), [](const std::wstring& e) {
        return Names(SchemeOf(e), L"http");
    });
    return ServerOf(http != entries.end() ? *http : entries.front());
}

std::wstring Compose(Form form, const Server& server) {
    const std::wstring prefix = form == Form::HttpOnly ? L"http=" : L"";
    return prefix + server.address + (server.port ? L":" + *server.port : L"");
}

}  // namespace ProxyServerValue
